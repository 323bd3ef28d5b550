#!/usr/bin/env bash
# Runs one fuzz target over its seed corpus, then for SECONDS on new inputs
# (kept in a scratch folder, not in the repository). Prints the executions per
# second and the total; a crash fails with the input's path and bytes.
# Usage: run_fuzz.sh TARGET CORPUS SECONDS [WHY-SKIPPED]
set -euo pipefail
target=$1 corpus=$2 seconds=$3 why=${4:-}
if [ -n "$why" ]; then
  echo "skipped: $why"
  exit 77
fi
[ -x "$target" ] || { echo "no fuzz target $target"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/new"
status=0
"$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/new" "$corpus" >"$work/log" 2>&1 || status=$?
name=$(basename "$target")
execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
echo "$name: ${execs:-?} executions, ${rate:-?} per second, corpus $(ls "$corpus" | wc -l) seeds + $(ls "$work/new" | wc -l) new"
if [ "$status" -ne 0 ]; then
  tail -n 60 "$work/log"
  for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
    [ -e "$f" ] || continue
    echo "failing input $(basename "$f"):"
    od -An -c "$f" | head -n 20
    # Keep it for the corpus.
    mkdir -p "${TMPDIR:-/tmp}/tintorb-fuzz-failures"
    cp "$f" "${TMPDIR:-/tmp}/tintorb-fuzz-failures/$name-$(basename "$f")"
  done
  exit 1
fi
