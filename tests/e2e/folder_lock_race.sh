#!/usr/bin/env bash
# Writers racing for one program directory never both hold it: every
# tintorb-cli import that reports success keeps its group. First with the
# first import held by strace just before it locks and the second held before
# its write, then with unforced simultaneous imports over many rounds.
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
rounds=${TINTORB_LOCK_ROUNDS:-150}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

printf 'GIMP Palette\nName: Same\n255 0 0\tred\n' >"$work/p.gpl"
run_import() {  # run_import <dir> <out-prefix> [strace options...]: exit status in <out-prefix>.rc
  local dir=$1 out=$2
  shift 2
  local rc=0
  "$@" "$build/tintorb-cli" import "$work/p.gpl" --dir "$dir" >"$out.out" 2>"$out.err" || rc=$?
  echo "$rc" >"$out.rc"
}

# Each import that exited 0 printed its group's name: that group file must be
# there, one per success, and nothing else may have succeeded.
check() {  # check <dir> <label> <out-prefix...>
  local dir=$1 label=$2
  shift 2
  local ok=0 p name
  for p in "$@"; do
    [ "$(cat "$p.rc")" = 0 ] || continue
    ok=$((ok + 1))
    name=$(cut -f1 "$p.out")
    [ -f "$dir/$name.tintorb" ] || fail "$label: '$name' reported written, the file is gone"
  done
  local files
  files=$(find "$dir" -maxdepth 1 -name '*.tintorb' | wc -l)
  [ "$files" -eq "$ok" ] || fail "$label: $ok imports succeeded, $files group files"
  [ "$ok" -ge 1 ] || fail "$label: no import succeeded: $(cat "$p.err")"
}

# Forced: A stops at its flock for 2 s; B starts meanwhile and stops before its
# rename for 3 s.
dir=$work/forced
mkdir "$dir"
run_import "$dir" "$work/a" strace -qq -o "$work/a.strace" -e trace=flock \
  -e inject=flock:delay_enter=2000000 &
for _ in $(seq 200); do
  grep -q 'flock(' "$work/a.strace" 2>/dev/null && break
  sleep 0.05
done
grep -q 'flock(' "$work/a.strace" || fail "the first import never reached its lock"
run_import "$dir" "$work/b" strace -qq -o /dev/null -e trace=rename \
  -e inject=rename:delay_enter=3000000
wait
check "$dir" "held by strace" "$work/a" "$work/b"
for p in a b; do
  rc=$(cat "$work/$p.rc")
  case $rc in
    0) ;;
    2) grep -q "is in use by" "$work/$p.err" || fail "import $p: $(cat "$work/$p.err")" ;;
    *) fail "import $p exited $rc: $(cat "$work/$p.err")" ;;
  esac
done

# A folder where an old version kept its lock file is no lock at all.
dir=$work/old
mkdir -p "$dir/tintorb.lock"
run_import "$dir" "$work/c"
check "$dir" "old lock folder" "$work/c"

# Unforced: three imports at once, many rounds.
for r in $(seq "$rounds"); do
  dir=$work/r$r
  mkdir "$dir"
  for p in x y z; do run_import "$dir" "$work/$p" & done
  wait
  check "$dir" "round $r" "$work/x" "$work/y" "$work/z"
  rm -rf "$dir"
done
echo "ok: forced race and $rounds rounds of three imports lost nothing"
