#!/usr/bin/env bash
# Start-up of the real program under Xvfb against a bare Qt main window with a
# menu bar (bench/bare), launched alternately in one run: time from process
# start to the first paint of the main window (wall clock, and the CPU time the
# process used until then, which a busy machine does not inflate), and the
# resident memory one second later. The summary takes the minima over the runs.
# Usage: [PAGE=n] [TRACE=1] bench/startup.sh [build-dir] [runs]
# PAGE starts on that sheet (as if the user had left it open), e.g. 1 for fonts.
# TRACE=1 prints the program's start-up trace of the fastest run.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
if [ -z "${TINTORB_BENCH_INNER:-}" ]; then
  export TINTORB_BENCH_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build" "$runs"
fi

# One launch: prints "wall cpu rss_kb"; the trace goes to $3 when given.
launch() {
  local program=$1 home=$2 keep=${3:-} err t0 pid painted= rss
  err=$(mktemp)
  t0=$(date +%s.%N)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$program" 2>"$err" &
  pid=$!
  for _ in $(seq 200); do
    painted=$(sed -n 's/^tintorb: first-paint \([0-9.]*\) cpu \([0-9.]*\)$/\1 \2/p' "$err")
    [ -n "$painted" ] && break
    sleep 0.02
  done
  sleep 1
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  [ -n "$keep" ] && cp "$err" "$keep"
  rm -f "$err"
  read -r wall cpu <<<"$painted"
  awk -v a="$t0" -v b="$wall" -v c="$cpu" -v r="$rss" 'BEGIN { printf "%.4f %.4f %d\n", b - a, c, r }'
}

results=$(mktemp)
best_trace=$(mktemp)
best=999
for i in $(seq "$runs"); do
  home=$(mktemp -d)
  if [ -n "${PAGE:-}" ]; then
    printf '[Config]\r\nActivePage=%s\r\n' "$PAGE" >"$home/tintorb.ini"
  fi
  read -r bw bc br <<<"$(launch "$build/bench/bare_window" "$home")"
  trace=$(mktemp)
  read -r tw tc tr <<<"$(launch "$build/tintorb" "$home" "$trace")"
  if awk -v a="$tw" -v b="$best" 'BEGIN { exit !(a < b) }'; then
    best=$tw
    cp "$trace" "$best_trace"
  fi
  rm -rf "$home" "$trace"
  echo "$bw $bc $br $tw $tc $tr" >>"$results"
  awk -v i="$i" -v bw="$bw" -v bc="$bc" -v br="$br" -v tw="$tw" -v tc="$tc" -v tr="$tr" 'BEGIN {
    printf "run %d: bare %.1f ms (%.1f ms CPU) %.1f MB | tintorb %.1f ms (%.1f ms CPU) %.1f MB\n",
      i, bw * 1000, bc * 1000, br / 1024, tw * 1000, tc * 1000, tr / 1024 }'
done
awk 'NR == 1 { bw = $1; bc = $2; br = $3; tw = $4; tc = $5; tr = $6 }
     { if ($1 < bw) bw = $1; if ($2 < bc) bc = $2; if ($3 < br) br = $3
       if ($4 < tw) tw = $4; if ($5 < tc) tc = $5; if ($6 < tr) tr = $6 }
     END {
       printf "minimum of %d: first paint bare %.1f ms, tintorb %.1f ms (%.2f x)\n", NR, bw * 1000, tw * 1000, tw / bw
       printf "               CPU to first paint bare %.1f ms, tintorb %.1f ms (%.2f x)\n", bc * 1000, tc * 1000, tc / bc
       printf "               RSS after 1 s bare %.1f MB, tintorb %.1f MB (+%.1f MB)\n", br / 1024, tr / 1024, (tr - br) / 1024
     }' "$results"
if [ -n "${TRACE:-}" ]; then
  echo "start-up trace of the fastest run (ms after the first step, CPU ms):"
  awk '/^tintorb: / { if (!t0) t0 = $3; printf "  %-16s %7.1f  cpu %6.1f\n", $2, ($3 - t0) * 1000, $5 * 1000 }' "$best_trace"
fi
rm -f "$results" "$best_trace"
