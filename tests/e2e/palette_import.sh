#!/usr/bin/env bash
# The real program under Xvfb: a GIMP palette and an ASE file are imported at
# once through 「読み込み...」 of the group tree's context menu and the real
# file dialog; after closing, the new groups are group files.
# TINTORB_E2E_SHOTS=DIR keeps a screenshot of the imported groups there.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

# One group of our own (no built-in groups); the favourites page shown.
printf '000000,black\r\n' >"$home/e2e.tintorb"
printf '[Config]\r\nActivePage=2\r\n' >"$home/tintorb.ini"
in=$home/in
mkdir "$in"
printf 'GIMP Palette\nName: Web Reds\nColumns: 4\n#\n255   0   0\tred\n128  0  0 dark red\n' >"$in/reds.gpl"
printf '0000FF,blue\r\n00FFFF,cyan\r\n008080,teal\r\n' >"$in/Ocean.tintorb"
"$build/tintorb-cli" export-ase "$in/Ocean.tintorb" "$in/ocean.ase"
rm "$in/Ocean.tintorb"

TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!

wid=$(find_window '^Tintorb \[') || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$wid"

# The context menu of the group tree; its last item is 「読み込み...」.
xdotool mousemove --window "$wid" 40 200 click 3
sleep 0.5
xdotool key Up Return
dlg=$(find_window 'パレットの読み込み') || fail "no file dialog"
xdotool windowfocus --sync "$dlg" 2>/dev/null || true
sleep 0.5
xdotool type --delay 20 "$in/"
xdotool key Return
sleep 0.5
xdotool type --delay 20 '"reds.gpl" "ocean.ase"'
xdotool key Return
window_gone 'パレットの読み込み' || fail "the file dialog stayed open"
sleep 0.5
if [ -n "${TINTORB_E2E_SHOTS:-}" ]; then
  import -window root "$TINTORB_E2E_SHOTS/palette_import.png"
fi

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

[ "$(cat "$home/Web Reds.tintorb" 2>/dev/null)" = "$(printf 'FF0000,red\r\n800000,dark red\r')" ] ||
  fail "Web Reds.tintorb: $(ls "$home"; cat -A "$home/Web Reds.tintorb" 2>&1)"
[ "$(cat "$home/Ocean.tintorb" 2>/dev/null)" = "$(printf '0000FF,blue\r\n00FFFF,cyan\r\n008080,teal\r')" ] ||
  fail "Ocean.tintorb: $(ls "$home"; cat -A "$home/Ocean.tintorb" 2>&1)"
echo "e2e palette import: ok"
