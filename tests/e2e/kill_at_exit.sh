#!/usr/bin/env bash
# Kill at any moment: 200 rounds of closing the real program through its menu
# while it is killed (SIGKILL) at a random moment of its exit writes; two
# workers of 100 rounds (fixed seeds 22 and 23), each with its own Xvfb.
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
rounds=${KILL_ROUNDS:-100}
out=$(mktemp -d)
servers=()
cleanup() {
  for s in "${servers[@]}"; do kill "$s" 2>/dev/null || true; done
  rm -rf "$out"
}
trap cleanup EXIT

# Xvfb chooses a free display itself (-displayfd), so parallel runs never
# share one; -noreset keeps it accepting while one program ends and the next
# starts.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$out/display.$1" 2>/dev/null &
  servers+=($!)
  for _ in $(seq 100); do
    [ -s "$out/display.$1" ] && return 0
    sleep 0.1
  done
  echo "FAIL: Xvfb did not start" >&2
  exit 1
}

worker() {
  DISPLAY=":$(cat "$out/display.$1")" "$build/tests/kill_at_exit" "$build/tintorb" "$rounds" "$1" \
    >"$out/$1" 2>&1
}
start_xvfb 22
start_xvfb 23
worker 22 &
first=$!
worker 23 &
second=$!
status=0
wait "$first" || status=1
wait "$second" || status=1
cat "$out/22" "$out/23"
exit "$status"
