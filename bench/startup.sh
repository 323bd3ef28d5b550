#!/usr/bin/env bash
# Start-up of the real program under Xvfb against a bare Qt main window with a
# menu bar (bench/bare), launched in turn in one run: the bare window as it
# is, the bare window with a Japanese menu bar in the program's UI font, and
# the program. Time from process start to the first paint of the main window
# (wall clock, and the CPU time the process used until then, which a busy
# machine does not inflate), and the resident memory one second later. The
# summary takes the minima over the runs.
#
# Each measured launch follows an unmeasured one of the same program (its own
# throw-away folder), as on a desktop where the libraries are in memory. On
# the virtual machines this runs on, a launch after a pause of a second or
# more can cost several times the CPU time of the same launch just after
# another, the bare window's as much as the program's: that says more about
# the host than about either. COLD=1 measures without the warm-up.
# Usage: [PAGE=n] [TRACE=1] [COLD=1] bench/startup.sh [build-dir] [runs]
# PAGE starts on that sheet (as if the user had left it open), e.g. 1 for fonts.
# TRACE=1 prints the program's start-up trace of the fastest run.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
if [ -z "${TINTORB_BENCH_INNER:-}" ]; then
  export TINTORB_BENCH_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build" "$runs"
fi

# Starts the program in a folder of its own and ends it at its first paint.
warm_up() {
  local program=$1 home err pid
  local -a args=()
  [ -n "${BARE_ARG:-}" ] && args=("$BARE_ARG")
  home=$(mktemp -d)
  err=$(mktemp)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$program" "${args[@]}" 2>"$err" &
  pid=$!
  for _ in $(seq 200); do
    grep -q '^tintorb: first-paint' "$err" && break
    sleep 0.02
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$home" "$err"
}

# One launch: prints "wall cpu rss_kb"; the trace goes to $3 when given.
launch() {
  local program=$1 home=$2 keep=${3:-} err t0 pid painted= rss
  local -a args=()
  [ -n "${BARE_ARG:-}" ] && args=("$BARE_ARG")
  [ -z "${COLD:-}" ] && warm_up "$program"
  err=$(mktemp)
  t0=$(date +%s.%N)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$program" "${args[@]}" 2>"$err" &
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
  line=""
  for who in bare ja tintorb; do
    case $who in
      bare) r=$(launch "$build/bench/bare_window" "$home") ;;
      ja) r=$(BARE_ARG=ja launch "$build/bench/bare_window" "$home") ;;
      tintorb)
        trace=$(mktemp)
        r=$(launch "$build/tintorb" "$home" "$trace")
        if awk -v a="${r%% *}" -v b="$best" 'BEGIN { exit !(a < b) }'; then
          best=${r%% *}
          cp "$trace" "$best_trace"
        fi
        rm -f "$trace"
        ;;
    esac
    line="$line $r"
  done
  rm -rf "$home"
  echo "$line" >>"$results"
  echo "$line" | awk -v i="$i" '{
    printf "run %d: bare %.1f ms (%.1f CPU) %.1f MB | bare ja %.1f ms (%.1f CPU) %.1f MB | tintorb %.1f ms (%.1f CPU) %.1f MB\n",
      i, $1 * 1000, $2 * 1000, $3 / 1024, $4 * 1000, $5 * 1000, $6 / 1024, $7 * 1000, $8 * 1000, $9 / 1024 }'
done
# Minima, then medians (one lucky run on a busy machine moves only the first).
summary() {  # summary <title> min|median
  local title=$1 pick=$2
  for f in $(seq 9); do
    cut -d' ' -f$((f + 1)) "$results" | sort -g | awk -v pick="$pick" '
      { v[NR] = $1 } END { print (pick == "min") ? v[1] : v[int((NR + 1) / 2)] }'
  done | paste -sd' ' | awk -v title="$title" '{
    printf "%-24s  bare      bare ja   tintorb  (x bare, x bare ja)\n", title
    printf "  first paint, wall   %7.1f ms %7.1f ms %7.1f ms  (%.2f, %.2f)\n", $1 * 1000, $4 * 1000, $7 * 1000, $7 / $1, $7 / $4
    printf "  first paint, CPU    %7.1f ms %7.1f ms %7.1f ms  (%.2f, %.2f)\n", $2 * 1000, $5 * 1000, $8 * 1000, $8 / $2, $8 / $5
    printf "  RSS after 1 s       %7.1f MB %7.1f MB %7.1f MB  (+%.1f, +%.1f MB)\n", $3 / 1024, $6 / 1024, $9 / 1024, ($9 - $3) / 1024, ($9 - $6) / 1024
  }'
}
runs_done=$(wc -l <"$results")
summary "minimum of $runs_done runs" min
summary "median of $runs_done runs" median
if [ -n "${TRACE:-}" ]; then
  echo "start-up trace of the fastest run (ms after the first step, CPU ms):"
  awk '/^tintorb: / { if (!t0) t0 = $3; printf "  %-16s %7.1f  cpu %6.1f\n", $2, ($3 - t0) * 1000, $5 * 1000 }' "$best_trace"
fi
rm -f "$results" "$best_trace"
