#!/usr/bin/env bash
# `tintorb --pick` under Xvfb: time from starting the command (what a desktop
# key does) to the first paint of the pick window, with the program already
# running, and from a cold start (no program running). Wall clock, so run it
# on a quiet machine; the minimum of the runs is the figure to quote. The CPU
# time the program spends from the request to the paint is the figure a busy
# machine does not inflate.
# Usage: bench/pick_latency.sh [build-dir] [runs]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
if [ -z "${TINTORB_BENCH_INNER:-}" ]; then
  export TINTORB_BENCH_INNER=1
  unset WAYLAND_DISPLAY
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build" "$runs"
fi

home=$(mktemp -d)
err=$(mktemp)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$home" "$err"' EXIT

# One pick: prints the ms from the command's start to the pick window's paint.
pick_once() {
  local before t0 shown
  before=$(grep -c '^tintorb: pick-shown' "$err" || true)
  t0=$(date +%s.%N)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$build/tintorb" --pick=hex >/dev/null 2>>"$err" &
  local client=$!
  for _ in $(seq 500); do
    shown=$(sed -n 's/^tintorb: pick-shown \([0-9.]*\) .*/\1/p' "$err" | sed -n "$((before + 1))p")
    [ -n "$shown" ] && break
    sleep 0.01
  done
  xdotool key Escape
  wait "$client" 2>/dev/null || true
  awk -v a="$t0" -v b="$shown" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
}

summary() {
  sort -n | awk -v what="$1" '{ v[NR] = $1 } END {
    printf "%s: min %.1f ms, median %.1f ms, max %.1f ms (%d runs)\n", what, v[1], v[int((NR + 1) / 2)], v[NR], NR }'
}

main_pid() {
  xdotool getwindowpid "$(xdotool search --onlyvisible --name '^Tintorb \[' | head -n1)"
}

# Cold: also how long after the main window's first paint the pick window
# came (the share beyond start-up).
for _ in $(seq 5); do
  rm -rf "$home" && home=$(mktemp -d)
  : >"$err"
  pick_once >/dev/null
  sed -n 's/^tintorb: \(first-paint\|pick-shown\) \([0-9.]*\) .*/\2/p' "$err" | paste -sd' ' |
    awk '{ printf "%.1f\n", ($2 - $1) * 1000 }'
  sleep 0.5
  kill "$(main_pid)"
  sleep 0.5
done | summary "cold start: pick window after the main window's first paint"
for _ in $(seq 5); do
  rm -rf "$home" && home=$(mktemp -d)
  pick_once
  sleep 0.5
  kill "$(main_pid)"
  sleep 0.5
done | summary "cold start to pick window"
pick_once >/dev/null
pid=$(main_pid)
sleep 1
for _ in $(seq "$runs"); do
  pick_once
  sleep 0.2
done | summary "running program, command to pick window"
sed -n 's/^tintorb: \(pick-request\|pick-shown\) [0-9.]* cpu \([0-9.]*\)$/\1 \2/p' "$err" |
  awk '$1 == "pick-request" { t = $2 } $1 == "pick-shown" && t != "" { printf "%.1f\n", ($2 - t) * 1000; t = "" }' |
  summary "running program, CPU from request to painted pick window"
