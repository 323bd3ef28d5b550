#!/usr/bin/env bash
# Start-up of the real program under Xvfb: time from process start to the
# first paint of the main window (wall clock, and the CPU time the process used
# until then, which a busy machine does not inflate), and the resident memory
# one second later.
# Usage: [PAGE=n] bench/startup.sh [build-dir] [runs]
# PAGE starts on that sheet (as if the user had left it open), e.g. 1 for fonts.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
if [ -z "${TINTORB_BENCH_INNER:-}" ]; then
  export TINTORB_BENCH_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build" "$runs"
fi

for i in $(seq "$runs"); do
  home=$(mktemp -d)
  if [ -n "${PAGE:-}" ]; then
    printf '[Config]\r\nActivePage=%s\r\n' "$PAGE" >"$home/tintorb.ini"
  fi
  err=$(mktemp)
  t0=$(date +%s.%N)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$build/tintorb" 2>"$err" &
  pid=$!
  painted=
  for _ in $(seq 200); do
    painted=$(sed -n 's/^tintorb: first-paint \([0-9.]*\) cpu \([0-9.]*\)$/\1 \2/p' "$err")
    [ -n "$painted" ] && break
    sleep 0.02
  done
  sleep 1
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  read -r wall cpu <<<"$painted"
  awk -v a="$t0" -v b="$wall" -v c="$cpu" -v r="$rss" -v i="$i" \
    'BEGIN { printf "run %d: first paint %.3f s (%.3f s CPU), RSS after 1 s %.1f MB\n", i, b - a, c, r / 1024 }'
  rm -rf "$home" "$err"
done
