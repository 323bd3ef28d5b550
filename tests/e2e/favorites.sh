#!/usr/bin/env bash
# The real program under Xvfb: Ctrl+A opens the add-favourite dialog, a typed
# name is added with Return, a second dialog is cancelled with Escape, the
# program is closed through its menu, and the group file holds the new row.
# A group file in UTF-8 without BOM comes back byte for byte, and the settings
# file, a link to a 0600 file holding UTF-8, is written through the link.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

# One group of our own (CP932, CR LF) so the store holds no built-in groups,
# and a current colour of 123456.
printf 'FF0000,\x90\xd4\r\n' >"$home/e2e.tintorb"
printf 'FF0000,赤い色\r\n00FF00,みどり\r\n' >"$home/和色.tintorb"
mkdir "$home/real"
printf '[Color]\r\nRed=18\r\nGreen=52\r\nBlue=86\r\n[Preview]\r\nCaption=日本語のメモ\r\n' \
  >"$home/real/tintorb.ini"
chmod 600 "$home/real/tintorb.ini"
ln -s real/tintorb.ini "$home/tintorb.ini"

TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!

wid=$(find_window '^Tintorb \[') || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$wid"
[ "$(xdotool getwindowname "$wid")" = 'Tintorb ["#123456"]' ] || fail "current colour is not 123456"

# Add: the name box proposes the code, selected, so typing replaces it.
xdotool key --clearmodifiers ctrl+a
dlg=$(find_window 'お気に入りの追加') || fail "Ctrl+A opened no dialog"
xdotool windowfocus --sync "$dlg" 2>/dev/null || true
sleep 0.3
xdotool type --delay 30 'night sky, deep'
xdotool key Return
window_gone 'お気に入りの追加' || fail "the dialog stayed open after Return"

# Cancel adds nothing.
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+a
dlg=$(find_window 'お気に入りの追加') || fail "the second Ctrl+A opened no dialog"
sleep 0.3
xdotool type --delay 30 'never'
xdotool key Escape
window_gone 'お気に入りの追加' || fail "the dialog stayed open after Escape"

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key --clearmodifiers x
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end through its menu"; fi
wait "$pid" || fail "exit status $?"
pid=

want=$(printf 'FF0000,\x90\xd4\r\n123456,night sky, deep\r\n' | od -An -tx1)
got=$(od -An -tx1 "$home/e2e.tintorb")
[ "$got" = "$want" ] || fail "group file holds: $(cat -A "$home/e2e.tintorb")"
groups=$(find "$home" -maxdepth 1 -name '*.tintorb' | wc -l)
[ "$groups" -eq 2 ] || fail "expected only the two group files, found $groups"
want=$(printf 'FF0000,赤い色\r\n00FF00,みどり\r\n' | od -An -tx1)
got=$(od -An -tx1 "$home/和色.tintorb")
[ "$got" = "$want" ] || fail "the UTF-8 group file changed: $(cat -A "$home/和色.tintorb")"
[ -L "$home/tintorb.ini" ] || fail "tintorb.ini is no longer a link"
[ "$(stat -c %a "$home/real/tintorb.ini")" = 600 ] || fail "the settings file lost its mode"
grep -q $'^Caption=日本語のメモ\r$' "$home/real/tintorb.ini" ||
  fail "settings file holds: $(cat -A "$home/real/tintorb.ini")"
[ "$(head -c3 "$home/real/tintorb.ini" | od -An -tx1)" = "$(printf '[Co' | od -An -tx1)" ] ||
  fail "the settings file gained a byte-order mark"
[ -z "$(find "$home" -name '*.bak' -o -name '*.tmp-*')" ] || fail "stray files: $(ls -R "$home")"

echo "e2e favourites: ok"
