#!/usr/bin/env bash
# `tintorb --pick` from a shell, as a desktop shortcut runs it: a cold start
# takes the pixel under the pointer and prints it; a second pick is served by
# the running copy and moved with an arrow key; Esc prints nothing, exits 1
# and leaves the clipboard alone. A notification server on a private bus
# receives what was copied.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

py=/usr/bin/python3
"$py" -c 'import dbus, gi' 2>/dev/null || fail "python3-dbus and python3-gi are needed (run scripts/setup.sh)"
extra_pids=()
work=$(mktemp -d)
stop_all() {
  cleanup
  for p in "${extra_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop_all EXIT

dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" >/dev/null 2>&1 &
extra_pids+=($!)
for _ in $(seq 100); do [ -S "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
"$py" "$(dirname "$0")/lib/notification_server.py" "$work/notes" &
extra_pids+=($!)
for _ in $(seq 100); do [ -e "$work/notes.ready" ] && break; sleep 0.1; done
[ -e "$work/notes.ready" ] || fail "the notification server did not start"

# The desktop: another program's window, red with one green column at
# screen x = 700 (ImageMagick draws the picture 2 pixels in), blue right of it.
convert -size 698x800 xc:'#FF0000' -size 1x800 xc:'#00FF00' -size 581x800 xc:'#0000FF' \
  +append "PNG24:$work/desk.png"
display -geometry +0+0 "$work/desk.png" &
extra_pids+=($!)
for _ in $(seq 100); do xdotool search --onlyvisible --name ImageMagick >/dev/null 2>&1 && break; sleep 0.1; done
printf 'before' | xclip -selection clipboard

# pick FORM KEYS...: runs tintorb --pick=FORM, types the keys into the pick
# window; sets $out and $rc.
pick() {
  local form=$1 client
  shift
  TINTORB_HOME=$home timeout 30 "$build/tintorb" "--pick=$form" >"$work/out" 2>>"$log" &
  client=$!
  local shown=
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '画面から色を取る' >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.1
  done
  [ -n "$shown" ] || fail "--pick=$form opened no pick window"
  sleep 0.3
  xdotool key "$@"
  rc=0
  wait "$client" || rc=$?
  out=$(cat "$work/out")
}

clip() { xclip -o -selection clipboard 2>/dev/null || true; }

xdotool mousemove 700 400
pick hex Return
[ "$rc" -eq 0 ] && [ "$out" = '#00FF00' ] || fail "cold --pick=hex: status $rc, printed «$out»"
[ "$(clip)" = '#00FF00' ] || fail "clipboard holds «$(clip)» after the cold pick"
wid=$(find_window '^Tintorb \[') || fail "no main window after the cold pick"
pid=$(xdotool getwindowpid "$wid")
[ "$(xdotool getwindowname "$wid")" = 'Tintorb ["#00FF00"]' ] || fail "the pick did not set the colour"

pick rgb Right Return
[ "$rc" -eq 0 ] && [ "$out" = 'rgb(0 0 255)' ] || fail "second --pick=rgb: status $rc, printed «$out»"
[ "$(clip)" = 'rgb(0 0 255)' ] || fail "clipboard holds «$(clip)» after the second pick"
[ "$(xdotool search --onlyvisible --name '^Tintorb \[' | wc -l)" -eq 1 ] || fail "a second main window"
[ "$(xdotool getwindowpid "$(find_window '^Tintorb \[')")" = "$pid" ] || fail "another program served it"

pick copy Left Left Escape
[ "$rc" -eq 1 ] && [ -z "$out" ] || fail "Esc: status $rc, printed «$out»"
[ "$(clip)" = 'rgb(0 0 255)' ] || fail "Esc changed the clipboard to «$(clip)»"
[ "$(xdotool getwindowname "$wid")" = 'Tintorb ["#0000FF"]' ] || fail "Esc changed the colour"
kill -0 "$pid" || fail "the program is gone"

for _ in $(seq 50); do [ "$(wc -l <"$work/notes")" -ge 2 ] && break; sleep 0.1; done
expected=$'Tintorb|コピーしました|#00FF00|48x48|0,255,0\nTintorb|コピーしました|rgb(0 0 255)|48x48|0,0,255'
[ "$(cat "$work/notes")" = "$expected" ] || fail "notifications: $(cat "$work/notes")"
echo "pick command: ok"
