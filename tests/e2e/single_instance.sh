#!/usr/bin/env bash
# Two starts on one program directory: the second brings the first to the
# front and ends; tintorb-cli refuses to write the directory while the program
# runs and gets the folder once the program was killed.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name '^Tintorb \[' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window"

# The second start ends at once with status 0; one window remains.
start=$(date +%s%N)
TINTORB_HOME=$home timeout 20 "$build/tintorb" >>"$log" 2>&1 || fail "the second start failed ($?)"
echo "second start ended after $(( ($(date +%s%N) - start) / 1000000 )) ms"
kill -0 "$pid" 2>/dev/null || fail "the first copy is gone"
[ "$(xdotool search --onlyvisible --name '^Tintorb \[' | wc -l)" -eq 1 ] || fail "two windows"

# tintorb-cli refuses while the program runs on the directory.
status=0
err=$("$build/tintorb-cli" favorites "$home" 2>&1 >/dev/null) || status=$?
[ "$status" -eq 2 ] || fail "tintorb-cli favorites exited $status while the program runs"
case $err in
  *"is in use by tintorb (pid $pid)"*) ;;
  *) fail "unexpected message: $err" ;;
esac

# A killed program's lock goes with it; the next writer takes the folder.
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
"$build/tintorb-cli" favorites "$home" >/dev/null || fail "tintorb-cli did not get the folder after the kill"
echo "ok"
