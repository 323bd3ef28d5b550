#!/usr/bin/env bash
# Favourites of the old settings layout are moved into group files at start-up
# by the real program and by tintorb-cli. strace holds each rename into the
# folder; the process is killed (SIGKILL) after its first or second one. The
# folder must hold the old layout or the new one; the next run finds both rows.
set -euo pipefail
source "$(dirname "$0")/lib/xvfb_session.sh"
trace=$(mktemp)
trap 'cleanup; rm -f "$trace"' EXIT

run_killed() { # N command... (Qt's own renames elsewhere do not count)
  local n=$1 tracer
  shift
  : >"$trace"
  strace -f -qq -o "$trace" -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:delay_exit=2000000 "$@" >>"$log" 2>&1 &
  tracer=$!
  held=
  for _ in $(seq 300); do
    held=$(grep "\"$home/" "$trace" | sed -n "${n}p" | cut -d' ' -f1 || true)
    [ -n "$held" ] || ! kill -0 "$tracer" 2>/dev/null && break
    sleep 0.05
  done
  kill -9 "${held:-$(ps -o pid= --ppid "$tracer" | head -n1)}" 2>/dev/null || true
  wait "$tracer" 2>/dev/null || true
}

for who in program cli; do
  for n in 1 2; do
    rm -rf "${home:?}"/*
    printf '[Favorite]\r\nCount=1\r\nFavorite[0].Name=MyColours\r\nFavorite[0].Colors.Count=2\r\n%s\r\n%s\r\n' \
      'Favorite[0].Colors.0=123456,precious one' 'Favorite[0].Colors.1=654321,precious two' \
      >"$home/tintorb.ini"
    if [ $who = program ]; then
      TINTORB_HOME=$home run_killed $n "$build/tintorb"
    else run_killed $n "$build/tintorb-cli" favorites "$home"; fi
    [ -n "$held" ] || fail "$who: no rename $n was held"
    old=$(grep -c 'precious' "$home/tintorb.ini" || true)
    new=$(cat "$home"/*.tintorb 2>/dev/null | grep -c 'precious' || true)
    [ "$old" = 2 ] || [ "$new" = 2 ] || fail "$who killed after rename $n: settings $old, groups $new"
    out=$("$build/tintorb-cli" favorites "$home" 2>&1) || fail "$who $n: next run: $out"
    [ "$out" = "$(printf 'MyColours\t2')" ] || fail "$who killed after rename $n: next run: $out"
  done
done
echo PASS
