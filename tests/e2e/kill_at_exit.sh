#!/usr/bin/env bash
# Kill at any moment: 200 rounds of closing the real program through its menu
# while it is killed (SIGKILL) at a random moment of its exit writes; two
# workers of 100 rounds (fixed seeds 22 and 23), each under its own Xvfb.
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
rounds=${KILL_ROUNDS:-100}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
worker() {
  xvfb-run -a -s '-screen 0 1280x800x24' "$build/tests/kill_at_exit" "$build/tintorb" "$rounds" "$1" \
    >"$out/$1" 2>&1
}
worker 22 &
first=$!
sleep 1  # xvfb-run -a picks a free display; do not race for the same one
worker 23 &
second=$!
status=0
wait "$first" || status=1
wait "$second" || status=1
cat "$out/22" "$out/23"
exit "$status"
