#!/usr/bin/env bash
# The real program under Xvfb: real keys (xdotool), the real clipboard (xclip),
# closed through its menu, then the files it wrote.
set -euo pipefail

source "$(dirname "$0")/lib/xvfb_session.sh"

expect_clipboard() {
  local want=$1 got=
  for _ in $(seq 50); do
    got=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "clipboard holds «$got», expected «$want»"
}

set_clipboard() {
  printf '%s' "$1" | xclip -selection clipboard
}

menu() {  # menu <alt letter> <item letter>
  xdotool key --clearmodifiers "alt+$1"
  sleep 0.3
  xdotool key --clearmodifiers "$2"
}

TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!

wid=
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Tintorb \[' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window"
sleep 0.5
# Start-up stays lean: no image format plug-ins, no print support.
if grep -E 'plugins/imageformats/|libQt6PrintSupport' "/proc/$pid/maps"; then
  fail "start-up loaded libraries it does not need"
fi
xdotool windowfocus --sync "$wid"

# Fresh start: black on white with "#" and quotes on.
expect_title 'Tintorb ["#000000"]'

xdotool key --clearmodifiers ctrl+c
expect_clipboard '"#000000"'

set_clipboard '#ABCDEF'
menu e p
expect_title 'Tintorb ["#ABCDEF"]'

set_clipboard '"#123456"'
menu e p
sleep 0.5
expect_title 'Tintorb ["#ABCDEF"]'

xdotool key --clearmodifiers ctrl+z
expect_title 'Tintorb ["#000000"]'
xdotool key --clearmodifiers ctrl+z
expect_title 'Tintorb ["#ABCDEF"]'

xdotool key --clearmodifiers ctrl+i
expect_title 'Tintorb ["#543210"]'

# The digit keys sample the real screen: the colour well shows #543210 at the
# top left, white at the bottom right.
xdotool mousemove --window "$wid" 20 35
sleep 0.2
xdotool key 2
xdotool mousemove --window "$wid" 66 60
sleep 0.2
xdotool key Escape
expect_title 'Tintorb ["#FFFFFF"]'

xdotool key --clearmodifiers ctrl+c
expect_clipboard '"#FFFFFF"'

# CSS colours: an oklch() text pastes; the CSS menu copies its first form, rgb().
set_clipboard 'oklch(62.8% 0.2577 29.23)'
xdotool key --clearmodifiers ctrl+v
expect_title 'Tintorb ["#FF0000"]'
menu s Return
expect_clipboard 'rgb(255 0 0)'
set_clipboard ' oklch(100% 0 0) '
menu e p
expect_title 'Tintorb ["#FFFFFF"]'

menu f x
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end through its menu"; fi
wait "$pid" || fail "exit status $?"
pid=

ini=$home/tintorb.ini
[ -f "$ini" ] || fail "no tintorb.ini"
# CP932 with CR LF on every line and no byte-order mark.
if head -c3 "$ini" | grep -q $'\xEF\xBB\xBF'; then fail "tintorb.ini has a BOM"; fi
if grep -v -q $'\r$' "$ini"; then fail "a line of tintorb.ini lacks CR LF"; fi
text=$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r') || fail "tintorb.ini is not CP932"
grep -qx 'Caption=だってTintorbなんだもん！' <<<"$text" || fail "preview caption not in CP932"

for key in Red Green Blue Back Form.Flags Form.Show Form.MaxX Form.MaxY Form.X Form.Y Form.XSize \
  Form.YSize Add_Shape Add_Quote Use_Small Add_COLOR StayOnTop WebSafe TaskTray ActivePage Size \
  Show Caption Font.Name Font.Size Font.Color Font.Style FontColor Color 0 1 2 3 4 5 6 7 8 9 \
  Count H0 H1; do
  grep -q "^$key=" <<<"$text" || fail "key $key missing from tintorb.ini"
done
grep -qx 'Red=255' <<<"$text" || fail "Red is not 255"
grep -qx 'Back=16777215' <<<"$text" || fail "Back is not white"
grep -qx '2=543210' <<<"$text" || fail "swatch 2 is not 543210"
grep -qx 'Size=[3-9][0-9]' <<<"$text" || fail "preview size is not one line of its font"
grep -qx 'H0=rgb(255 0 0)' <<<"$text" || fail "newest copy is not at the top"
grep -qx 'H1="#FFFFFF"' <<<"$text" || fail "second copy is not second"
grep -qx 'H2="#000000"' <<<"$text" || fail "first copy is not third"
# History comes last: its own copy re-read the file after the main write.
[ "$(printf '%s\n' "$text" | grep '^\[' | tail -n1)" = "[History]" ] || fail "History is not last"

groups=$(find "$home" -maxdepth 1 -name '*.tintorb' | wc -l)
[ "$groups" -eq 8 ] || fail "expected 8 group files, found $groups"
for f in "$home"/*.tintorb; do
  if grep -v -q $'\r$' "$f"; then fail "a line of $(basename "$f") lacks CR LF"; fi
done

# A second start comes back where the first ended; SIGTERM closes it the
# ordinary way, so the files are written again.
touch -d '2000-01-01' "$ini"
TINTORB_HOME=$home "$build/tintorb" >"$log" 2>&1 &
pid=$!
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Tintorb \[' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window at the second start"
expect_title 'Tintorb ["#FFFFFF"]'
kill -TERM "$pid"
wait "$pid" || fail "exit status $? after SIGTERM"
pid=
[ "$(find "$ini" -newermt '2001-01-01')" = "$ini" ] || fail "SIGTERM did not write the settings"
iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | grep -qx '2=543210' || fail "swatch 2 did not survive"
iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | grep -qx 'Count=3' || fail "history did not survive"

echo "e2e main window: ok"
