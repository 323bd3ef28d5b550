#!/usr/bin/env bash
# Fuzzes the readers for longer than the test run does.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]
#   TARGET is settings, group_file, paste, hex, canvas_layout or ini_migration
#   (default all). New inputs that reach new code are merged into the seed
#   corpus under tests/fuzz/corpus; a failing input is kept as
#   tests/fuzz/corpus/TARGET/crash-* (fix the fault, then commit it).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings group_file paste hex canvas_layout ini_migration)
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets
for t in "${targets[@]}"; do
  bin="$build/tests/fuzz/bin/fuzz_$t"
  corpus="tests/fuzz/corpus/$t"
  work=$(mktemp -d)
  echo "== $t: $seconds s"
  status=0
  "$bin" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
    -artifact_prefix="$corpus/" "$work" "$corpus" 2>"$work.log" || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work.log" || true
  # Keep only the new inputs that add coverage.
  "$bin" -merge=1 "$corpus" "$work" >/dev/null 2>&1 || true
  rm -rf "$work" "$work.log"
  [ "$status" -eq 0 ] || { echo "$t: failing input kept in $corpus"; exit 1; }
done
