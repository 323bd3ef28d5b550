#!/usr/bin/env bash
# Writers racing for one program directory never both hold it: every
# tintorb-cli import that reports success keeps its group. Forced with strace
# (the first import held just before it locks, the second before its write),
# then unforced: three imports at once, many rounds.
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
printf 'GIMP Palette\nName: Same\n255 0 0\tred\n' >"$work/p.gpl"

run_import() {  # run_import DIR OUT [wrapper...]: status into OUT.rc
  local dir=$1 out=$2 rc=0
  shift 2
  "$@" "$build/tintorb-cli" import "$work/p.gpl" --dir "$dir" >"$out.out" 2>"$out.err" || rc=$?
  echo "$rc" >"$out.rc"
}

check() {  # check DIR OUT...: one group file per success, each one printed
  local dir=$1 ok=0 p
  shift
  for p in "$@"; do
    [ "$(cat "$p.rc")" = 0 ] || { grep -q "is in use by" "$p.err" || fail "$(cat "$p.err")"; continue; }
    ok=$((ok + 1))
    [ -f "$dir/$(cut -f1 "$p.out").tintorb" ] || fail "$dir: a reported group is gone"
  done
  [ "$ok" -ge 1 ] || fail "$dir: no import succeeded"
  [ "$(find "$dir" -name '*.tintorb' | wc -l)" -eq "$ok" ] || fail "$dir: $ok successes, other files"
}

mkdir "$work/forced"
run_import "$work/forced" "$work/a" strace -qq -o "$work/a.strace" \
  -e trace=flock -e inject=flock:delay_enter=2000000 &
for _ in $(seq 200); do
  grep -qs 'flock(' "$work/a.strace" && break
  sleep 0.05
done
run_import "$work/forced" "$work/b" strace -qq -o /dev/null \
  -e trace=rename -e inject=rename:delay_enter=3000000
wait
check "$work/forced" "$work/a" "$work/b"

# A folder named like an old version's lock file is no lock.
mkdir -p "$work/old/tintorb.lock"
run_import "$work/old" "$work/c"
check "$work/old" "$work/c"

rounds=${TINTORB_LOCK_ROUNDS:-150}
for r in $(seq "$rounds"); do
  mkdir "$work/r$r"
  for p in x y z; do run_import "$work/r$r" "$work/$p" & done
  wait
  check "$work/r$r" "$work/x" "$work/y" "$work/z"
done
echo "ok: forced race and $rounds rounds of three imports lost nothing"
