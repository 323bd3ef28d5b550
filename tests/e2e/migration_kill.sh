#!/usr/bin/env bash
# Favourites kept in the old settings layout are moved into group files at
# start-up by the real program and by tintorb-cli. Each is held by strace right
# after its first or its second rename and killed there (SIGKILL): the folder
# must hold the old layout or the new one, and the next run finds the colours.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

trace=$(mktemp)
scratch=$(mktemp -d)
trap 'cleanup; rm -rf "$trace" "$scratch"' EXIT

old_layout() {
  printf '[Favorite]\r\nCount=1\r\nFavorite[0].Name=MyColours\r\nFavorite[0].Colors.Count=2\r\n%s\r\n%s\r\n' \
    'Favorite[0].Colors.0=123456,precious one' 'Favorite[0].Colors.1=654321,precious two' \
    >"$1/tintorb.ini"
}

# Runs the command under strace, which holds every rename for two seconds,
# and kills it while it is held after its Nth rename into the folder (Qt's own
# renames elsewhere do not count); lets it end when it makes fewer.
run_killed() { # N command...
  local n=$1
  shift
  : >"$trace"
  strace -f -qq -o "$trace" -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:delay_exit=2000000 "$@" >>"$log" 2>&1 &
  local tracer=$!
  held=
  for _ in $(seq 300); do
    held=$(grep "\"$home/" "$trace" | sed -n "${n}p" | cut -d' ' -f1 || true)
    [ -n "$held" ] && break
    kill -0 "$tracer" 2>/dev/null || break
    sleep 0.05
  done
  # Not held (too few renames): a program still running ends here too.
  kill -9 "${held:-$(ps -o pid= --ppid "$tracer" | head -n1)}" 2>/dev/null || true
  wait "$tracer" 2>/dev/null || true
}

for who in program cli; do
  for n in 1 2; do
    rm -rf "$home"/* "$home"/.[!.]* 2>/dev/null || true
    old_layout "$home"
    if [ "$who" = program ]; then
      TINTORB_HOME=$home run_killed "$n" "$build/tintorb"
    else
      run_killed "$n" "$build/tintorb-cli" favorites "$home"
    fi
    [ -n "$held" ] || fail "$who: no rename $n was held"
    # Old layout or new: the colours are somewhere that the next run reads.
    old=$(grep -c 'precious' "$home/tintorb.ini" || true)
    new=$(cat "$home"/*.tintorb 2>/dev/null | grep -c 'precious' || true)
    [ "$old" = 2 ] || [ "$new" = 2 ] ||
      fail "$who killed after rename $n: settings hold $old, group files $new: $(ls -a "$home")"
    out=$("$build/tintorb-cli" favorites "$home" 2>&1) || fail "$who $n: next run: $out"
    [ "$out" = "$(printf 'MyColours\t2')" ] || fail "$who killed after rename $n: next run: $out"
    [ "$(cat "$home/MyColours.tintorb")" = "$(printf '123456,precious one\r\n654321,precious two\r')" ] ||
      fail "$who $n: $(od -c "$home/MyColours.tintorb")"
    ! grep -q 'Count' "$home/tintorb.ini" || fail "$who $n: the old layout stayed"
    [ -z "$(find "$home" -name '*.tmp-*')" ] || fail "$who $n: temporaries left: $(ls -a "$home")"
  done
done
echo "PASS"
