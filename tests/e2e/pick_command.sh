#!/usr/bin/env bash
# `tintorb --pick` as a desktop key runs it: a cold start takes the pixel under
# the pointer and prints it; the running copy serves the next pick, moved with
# an arrow key; Esc prints nothing, exits 1 and leaves the clipboard alone. A
# notification server on a private bus receives what was copied.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

work=$(mktemp -d)
extra=()
trap 'cleanup; kill "${extra[@]}" 2>/dev/null; rm -rf "$work"' EXIT
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" >/dev/null 2>&1 &
extra+=($!)
for _ in $(seq 100); do [ -S "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
/usr/bin/python3 "$(dirname "$0")/lib/notification_server.py" "$work/notes" &
extra+=($!)
for _ in $(seq 100); do [ -e "$work/notes.ready" ] && break; sleep 0.1; done
[ -e "$work/notes.ready" ] || fail "no notification server (python3-dbus, python3-gi)"

# Another program's window: red, one green column at screen x = 300
# (ImageMagick draws 2 pixels in), blue right of it.
convert -size 298x800 xc:red -size 1x800 xc:lime -size 981x800 xc:blue +append "PNG24:$work/d.png"
display -geometry +0+0 "$work/d.png" &
extra+=($!)
for _ in $(seq 100); do xdotool search --onlyvisible --name ImageMagick >/dev/null && break; sleep 0.1; done
printf 'before' | xclip -selection clipboard

# pick FORM KEYS...: tintorb --pick=FORM, the keys typed into the pick window;
# sets $out and $rc.
pick() {
  TINTORB_HOME=$home timeout 30 "$build/tintorb" "--pick=$1" >"$work/out" 2>>"$log" &
  local client=$!
  for _ in $(seq 100); do xdotool search --onlyvisible --name '^画面から色を取る$' >/dev/null && break; sleep 0.1; done
  sleep 0.3
  xdotool key "${@:2}"
  rc=0
  wait "$client" || rc=$?
  out=$(cat "$work/out")
}
clip() { xclip -o -selection clipboard; }

rc=0
"$build/tintorb" --pick=HEX 2>/dev/null || rc=$?
[ "$rc" -eq 2 ] || fail "an unknown form gave status $rc"

# Where the main window is about to appear: the frame is the screen as it was.
xdotool mousemove 300 400
pick hex Return
[ "$rc/$out/$(clip)" = '0/#00FF00/#00FF00' ] || fail "cold pick: $rc/$out/$(clip)"
wid=$(xdotool search --onlyvisible --name '^Tintorb \[') || fail "no main window"
pid=$(xdotool getwindowpid "$wid")
[ "$(xdotool getwindowname "$wid")" = 'Tintorb ["#00FF00"]' ] || fail "the colour was not set"

xdotool mousemove 300 780
pick rgb Right Return
[ "$rc/$out/$(clip)" = '0/rgb(0 0 255)/rgb(0 0 255)' ] || fail "second pick: $rc/$out/$(clip)"
[ "$(xdotool search --onlyvisible --name '^Tintorb \[')" = "$wid" ] || fail "another main window"

pick copy Left Left Escape
[ "$rc/$out/$(clip)" = '1//rgb(0 0 255)' ] || fail "Esc: $rc/$out/$(clip)"
[ "$(xdotool getwindowname "$wid")" = 'Tintorb ["#0000FF"]' ] || fail "Esc changed the colour"
kill -0 "$pid" || fail "the program is gone"

want=$'Tintorb|コピーしました|#00FF00|48x48|0,255,0\nTintorb|コピーしました|rgb(0 0 255)|48x48|0,0,255'
for _ in $(seq 50); do [ "$(cat "$work/notes")" = "$want" ] && break; sleep 0.1; done
[ "$(cat "$work/notes")" = "$want" ] || fail "notifications: $(cat "$work/notes")"
echo "pick command: ok"
