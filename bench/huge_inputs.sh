#!/usr/bin/env bash
# Huge inputs through the real program under Xvfb: a group file of 1,000,000
# rows, a 50 MB settings file, and a 50 MB settings file in the old favourites
# layout. For each: time to the first paint, peak memory, time of the exit
# writes, and whether the rewritten files hold every row and key.
# Usage: bench/huge_inputs.sh [build-dir]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -z "${TINTORB_BENCH_INNER:-}" ]; then
  export TINTORB_BENCH_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build"
fi

run() {  # run <label> <home>: start, wait for the first paint, close, report
  local label=$1 home=$2 err t0 painted hwm t1
  err=$(mktemp)
  t0=$(date +%s.%N)
  TINTORB_HOME=$home TINTORB_TRACE_STARTUP=1 "$build/tintorb" 2>"$err" &
  local pid=$!
  painted=
  for _ in $(seq 6000); do
    painted=$(sed -n 's/^tintorb: first-paint \([0-9.]*\) cpu \([0-9.]*\)$/\1 \2/p' "$err")
    [ -n "$painted" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$painted" ] || { echo "$label: no first paint"; cat "$err"; exit 1; }
  sleep 1
  hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
  t1=$(date +%s.%N)
  kill -TERM "$pid"  # closes the window the ordinary way: the exit writes run
  wait "$pid" || { echo "$label: exit status $?"; exit 1; }
  local t2
  t2=$(date +%s.%N)
  read -r wall cpu <<<"$painted"
  awk -v l="$label" -v a="$t0" -v b="$wall" -v c="$cpu" -v h="$hwm" -v t1="$t1" -v t2="$t2" \
    'BEGIN { printf "%s: first paint after %.2f s (%.2f s CPU), peak memory %.0f MB, close and write %.2f s\n", l, b - a, c, h / 1024, t2 - t1 }'
  rm -f "$err"
}

check() {  # check <label> <condition-description> <command...>
  local label=$1 what=$2
  shift 2
  if "$@"; then echo "$label: $what: yes"; else echo "$label: $what: NO"; fails=1; fi
}
fails=0

# 1. One group of 1,000,000 rows (20 MB).
home=$(mktemp -d)
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "%06X,colour %d\r\n", (i * 2654435761) % 16777216, i }' \
  >"$home/big.tintorb"
cp "$home/big.tintorb" "$home/big.orig"
run "1,000,000-row group" "$home"
check "1,000,000-row group" "rewritten byte for byte" cmp -s "$home/big.tintorb" "$home/big.orig"
rm -rf "$home"

# 2. A settings file of 50 MB: 1,000,000 keys in a section of another tool.
home=$(mktemp -d)
{
  printf '[Color]\r\nRed=255\r\n[Other]\r\n'
  awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "Key%07d=a value of about forty characters, %07d\r\n", i, i }'
} >"$home/tintorb.ini"
grep '^Key' "$home/tintorb.ini" >"$home/other.orig"
echo "settings file: $(( $(stat -c %s "$home/tintorb.ini") / 1000000 )) MB"
run "50 MB settings" "$home"
grep '^Key' "$home/tintorb.ini" >"$home/other.new"
check "50 MB settings" "every key written back" cmp -s "$home/other.orig" "$home/other.new"
rm -rf "$home"

# 3. 50 MB of the old favourites layout: 1,000 groups of 1,000 colours.
home=$(mktemp -d)
{
  printf '[Favorite]\r\nCount=1000\r\n'
  awk 'BEGIN { for (g = 0; g < 1000; g++) {
    printf "Favorite[%d].Name=group %d\r\nFavorite[%d].Colors.Count=1000\r\n", g, g, g
    for (j = 0; j < 1000; j++) printf "Favorite[%d].Colors.%d=%06X,an old colour name %d-%d\r\n", g, j, (g * 1000 + j) % 16777216, g, j } }'
} >"$home/tintorb.ini"
echo "old layout: $(( $(stat -c %s "$home/tintorb.ini") / 1000000 )) MB"
run "50 MB old layout" "$home"
rows=$(cat "$home"/*.tintorb | wc -l)
check "50 MB old layout" "1,000 group files with 1,000,000 rows ($rows)" test "$(ls "$home"/*.tintorb | wc -l)" -eq 1000 -a "$rows" -eq 1000000
check "50 MB old layout" "old keys gone from the settings file" test "$(grep -c '^Favorite\[' "$home/tintorb.ini" || true)" -eq 0
rm -rf "$home"
exit "$fails"
