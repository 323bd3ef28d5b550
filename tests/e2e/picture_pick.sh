#!/usr/bin/env bash
# The real program under Xvfb: a picture opened through 「画像から色を取る...」
# and the real file dialog, then an image pasted from the real clipboard;
# each is picked in the pick window with keys only.
# TINTORB_E2E_SHOTS=DIR keeps a screenshot of the zoomed picture there.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

# Red left of x = 200, blue from there; the cross starts on the first blue column.
convert -size 400x300 xc:'#0000FF' -fill '#FF0000' -draw 'rectangle 0,0 199,299' \
  "PNG24:$home/halves.png"

TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!
wid=$(find_window '^Tintorb \[') || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$wid"

xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key --clearmodifiers g
dlg=$(find_window '色を取る画像を開く') || fail "no file dialog"
xdotool windowfocus --sync "$dlg" 2>/dev/null || true
sleep 0.5
xdotool type --delay 20 "$home/halves.png"
xdotool key Return
pick=$(find_window '^画像から色を取る$') || fail "no pick window for the file"
sleep 0.5
xdotool key Left Return
window_gone '^画像から色を取る$' || fail "the pick window stayed open"
expect_title 'Tintorb ["#FF0000"]'

# The clipboard holds an image (what a screenshot tool copies).
xclip -selection clipboard -t image/png -i "$home/halves.png"
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+e
sleep 0.3
xdotool key --clearmodifiers p
pick=$(find_window '^画像から色を取る$') || fail "no pick window for the pasted image"
sleep 0.5
xdotool key plus plus Home Home End End End Right
sleep 0.3
if [ -n "${TINTORB_E2E_SHOTS:-}" ]; then
  import -window root "$TINTORB_E2E_SHOTS/picture_pick.png"
fi
xdotool key Return
window_gone '^画像から色を取る$' || fail "the pick window stayed open"
expect_title 'Tintorb ["#0000FF"]'
echo "e2e picture pick: ok"
