#!/usr/bin/env bash
# The screen pick in a real Wayland session (headless sway, the desktop
# portal): Esc opens the pick window on a frozen frame of a desktop whose left
# half is red and right half blue; keys typed by a virtual keyboard (wtype)
# move the cross, average, cancel and store a swatch. The main window floats
# at the top left, away from the centre where the cross starts.
set -euo pipefail

wl_sway_config='for_window [title="^Tintorb "] floating enable, move position 0 0'
lib=$(dirname "$0")/lib
source "$lib/wayland_session.sh"

# Drawn in device pixels, so that the halves meet at device column 640 * scale.
w=$((640 * wl_scale)) h=$((800 * wl_scale))
convert -size "${w}x$h" xc:'#FF0000' xc:'#0000FF' +append "PNG24:$rt/desktop.png"
swaymsg "output HEADLESS-1 bg $rt/desktop.png stretch" >/dev/null

# The main window's title as sway reports it, with JSON's \" unescaped.
title() {
  swaymsg -t get_tree | grep -o '"name": "Tintorb \[[^]]*\]"' | head -n1 |
    sed 's/^"name": "//; s/"$//; s/\\"/"/g'
}

expect_title() {
  local want=$1 got=
  for _ in $(seq 50); do
    got=$(title)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "title is «$got», expected «$want»${2:+ ($2)}"
}

pick_windows() {
  swaymsg -t get_tree | grep -c '"name": "画面から色を取る"' || true
}

# Esc on the main window opens the pick window; waits until it is there.
open_pick() {
  wl_keys -k Escape
  for _ in $(seq 100); do
    [ "$(pick_windows)" -ge 1 ] && sleep 0.3 && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended"
    sleep 0.1
  done
  fail "Esc opened no pick window"
}

expect_pick_closed() {
  for _ in $(seq 50); do
    [ "$(pick_windows)" -eq 0 ] && sleep 0.3 && return 0
    sleep 0.1
  done
  fail "the pick window stayed open"
}

QT_QPA_PLATFORM=wayland TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -n "$(title)" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.1
done
expect_title 'Tintorb ["#000000"]' "fresh start"
sleep 0.5
# The task switcher finds the desktop entry through the Wayland app id.
swaymsg -t get_tree | grep -q '"app_id": "org.tintorb.Tintorb"' ||
  fail "app id is not org.tintorb.Tintorb: $(swaymsg -t get_tree | grep -o '"app_id": "[^"]*"' | sort -u)"

# The cross starts at the centre device pixel: the first blue column.
open_pick
wl_keys -k Return
expect_pick_closed
expect_title 'Tintorb ["#0000FF"]' "Return at the centre"

# One pixel left is the last red column.
open_pick
wl_keys -k Left -k Return
expect_pick_closed
expect_title 'Tintorb ["#FF0000"]' "Left, Return"

# Ctrl+Shift+Alt: 11 x 11 device pixels, five red and six blue columns:
# red 255*5/11 = 115 (73), blue 255*6/11 = 139 (8B).
open_pick
wl_keys -M ctrl -M shift -M alt -s 50 -k Return -m alt -m shift -m ctrl
expect_pick_closed
expect_title 'Tintorb ["#73008B"]' "Ctrl+Shift+Alt+Return"

# Esc in the pick window changes nothing.
open_pick
wl_keys -k Left -k Left -k Escape
expect_pick_closed
sleep 0.3
expect_title 'Tintorb ["#73008B"]' "Esc in the pick window"

# A digit stores the pixel at the cross into that swatch, not the colour.
open_pick
wl_keys -k Left -k 3
expect_pick_closed
open_pick
wl_keys -k 7
expect_pick_closed
expect_title 'Tintorb ["#73008B"]' "digits store swatches only"

# tintorb --pick, as a key bound in sway runs it: the running copy picks
# through the portal, and the command prints the text.
TINTORB_HOME=$home timeout 60 "$build/tintorb" --pick=hex >"$rt/pick.out" 2>>"$log" &
client=$!
for _ in $(seq 100); do
  [ "$(pick_windows)" -ge 1 ] && break
  sleep 0.1
done
sleep 0.3
wl_keys -k Left -k Return
wait "$client" || fail "tintorb --pick exited with status $?"
[ "$(cat "$rt/pick.out")" = '#FF0000' ] || fail "tintorb --pick printed «$(cat "$rt/pick.out")»"
expect_title 'Tintorb ["#FF0000"]' "tintorb --pick"

# Closed by the compositor, it saves like a title-bar close.
swaymsg '[title="^Tintorb "] kill' >/dev/null
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not close"
wait "$pid" || fail "the program exited with status $?"
pid=
ini=$home/tintorb.ini
[ -f "$ini" ] || fail "no tintorb.ini written"
grep -q $'^3=FF0000\r$' "$ini" || fail "swatch 3 is not FF0000: $(grep -a '^3=' "$ini")"
grep -q $'^7=0000FF\r$' "$ini" || fail "swatch 7 is not 0000FF: $(grep -a '^7=' "$ini")"
# The portal's screenshot files were removed after loading.
leftover=$(find "$HOME" /tmp -maxdepth 2 -user "$(id -u)" -name '*.png' \
  -newer "$rt/desktop.png" ! -path "$rt/*" 2>/dev/null || true)
[ -z "$leftover" ] || fail "screenshot files left behind: $leftover"
echo "wayland pick: ok"
