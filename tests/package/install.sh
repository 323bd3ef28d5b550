#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, then what a desktop, a packager and
# a user see of the installed tree: layout, desktop entry, AppStream data,
# manual pages, completion, and both installed programs (tintorb under Xvfb
# with an empty HOME, writing its settings under $XDG_CONFIG_HOME/tintorb).
set -euo pipefail

source "$(dirname "$0")/../e2e/lib/xvfb_session.sh"

id=org.tintorb.Tintorb
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'cleanup; rm -rf "$prefix" "$work"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
bin=$prefix/bin
share=$prefix/share

# --- layout
expected=(
  bin/tintorb bin/tintorb-cli
  "share/applications/$id.desktop"
  "share/icons/hicolor/scalable/apps/$id.svg"
  "share/metainfo/$id.metainfo.xml"
  share/man/man1/tintorb.1 share/man/man1/tintorb-cli.1
  share/bash-completion/completions/tintorb-cli
  share/tintorb/tintorb-help.html
)
for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || fail "not installed: $f"; done
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$png" ] || fail "no ${size}px icon"
  got=$(identify -format '%wx%h' "$png")
  [ "$got" = "${size}x$size" ] || fail "$png is $got"
done
for exe in tintorb tintorb-cli; do
  [ -x "$bin/$exe" ] || fail "$exe is not executable"
  if readelf -d "$bin/$exe" | grep -E 'RPATH|RUNPATH'; then fail "$exe keeps an RPATH"; fi
done

# --- desktop entry and AppStream data. The Debian 12 validator predates the
# SingleMainWindow key of the desktop entry format 1.5: that one complaint is not ours.
desktop=$share/applications/$id.desktop
report=$(desktop-file-validate "$desktop" 2>&1 || true)
errors=$(grep 'error:' <<<"$report" | grep -v 'key "SingleMainWindow".*should start with "X-"' || true)
[ -z "$errors" ] || fail "desktop-file-validate: $errors"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
grep -qx "SingleMainWindow=true" "$desktop" || fail "no SingleMainWindow"
for exec_name in $(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop"); do
  [ -x "$bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
done
grep -qx "Exec=tintorb --pick" "$desktop" || fail "no pick action"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/as.txt" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/as.txt")"
version=$("$bin/tintorb" --version | cut -d' ' -f2)
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
  fail "no AppStream release for $version"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$share/metainfo/$id.metainfo.xml" || fail "the launchable is not the desktop entry"

# --- manual pages: render without warnings, and hold every command and option.
for page in tintorb tintorb-cli; do
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" \
    >"$work/$page.txt" 2>"$work/$page.err" || fail "man -l $page.1 failed"
  [ ! -s "$work/$page.err" ] || fail "man -l $page.1: $(cat "$work/$page.err")"
done
for opt in --version --pick; do
  grep -q -- "$opt" "$work/tintorb.txt" || fail "tintorb.1 lacks $opt"
done
grep -q ' /[^ ]*/share/tintorb/tintorb-help\.html' "$work/tintorb.txt" || fail "tintorb.1 lacks the help page"
commands=$("$bin/tintorb-cli" --help | sed -n '/^commands:$/,/^$/s/^  \([^ ]*\).*/\1/p')
[ -n "$commands" ] || fail "tintorb-cli --help lists no commands"
for c in $commands; do
  grep -q "^   $c\$" "$work/tintorb-cli.txt" || fail "tintorb-cli.1 has no section for $c"
  for opt in $("$bin/tintorb-cli" "$c" --help | head -n1 | grep -o -- '--[a-z][a-z0-9-]*'); do
    grep -q -- "$opt" "$work/tintorb-cli.txt" || fail "tintorb-cli.1 lacks $c $opt"
  done
done
for section in 'EXIT STATUS' EXAMPLES; do
  grep -q "^$section" "$work/tintorb-cli.txt" || fail "tintorb-cli.1 has no $section"
done

# --- the installed tintorb-cli, and every example its help gives
out=$("$bin/tintorb-cli" info FF0000) || fail "tintorb-cli info FF0000 failed"
[ "$(head -n1 <<<"$out")" = "hex FF0000" ] || fail "tintorb-cli info FF0000 printed: $out"
while read -r example; do
  (cd "$work" && PATH=$bin:$PATH eval "$example" >/dev/null) || fail "example failed: $example"
done < <("$bin/tintorb-cli" --help | sed -n '/^examples:$/,/^$/s/^  //p')

# --- completion, from the installed program's own help
complete_words() {  # complete_words WORD... ; the last word is the one completed
  PATH=$bin:$PATH bash -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _tintorb_cli; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$share/bash-completion/completions/tintorb-cli" "$@" | LC_ALL=C sort | tr '\n' ' '
}
want=$(printf '%s\n' $commands --help --version | sort | tr '\n' ' ')
[ "$(complete_words tintorb-cli '')" = "$want" ] || fail "completion of commands: $(complete_words tintorb-cli '')"
[ "$(complete_words tintorb-cli copy --no)" = "--no-quote --no-sharp " ] ||
  fail "completion of copy options: $(complete_words tintorb-cli copy --no)"
[ "$(complete_words tintorb-cli pictogram 3 --mode '')" = "0 1 2 " ] ||
  fail "completion of --mode: $(complete_words tintorb-cli pictogram 3 --mode '')"
# Values that a command's help lists; the last word is the one completed.
while IFS='|' read -r words want; do
  got=$(complete_words tintorb-cli $words)
  [ "$got" = "$want " ] || fail "completion of '$words': $got"
done <<'LIST'
css 0 --form ok|oklab oklch
copy 0 --lower --literal actI|actIAppli actIAppli16
scheme --fore 000000 Tetr|Tetrards TetrardsOblong
LIST

# --- the installed tintorb: an empty HOME, settings under $XDG_CONFIG_HOME/tintorb,
# the help page found in the installed tree, and the window class of the entry.
fakebin=$work/fakebin
mkdir "$fakebin"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened" >"$fakebin/xdg-open"
chmod +x "$fakebin/xdg-open"
env -u TINTORB_HOME HOME="$home" XDG_CONFIG_HOME="$home/config" PATH="$fakebin:$PATH" \
  "$bin/tintorb" >"$log" 2>&1 &
pid=$!
wmclass=$(sed -n 's/^StartupWMClass=//p' "$desktop")
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --class "^$wmclass\$" 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the installed tintorb ended at start-up"
  sleep 0.1
done
[ -n "$wid" ] || fail "no window of class $wmclass"
sleep 0.5
# Its icon is read from the installed PNGs without opening every image plug-in.
grep -q 'plugins/imageformats/' "/proc/$pid/maps" && fail "the window icon loaded image plug-ins"
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key --clearmodifiers h
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
grep -q "$share/tintorb/tintorb-help.html" "$work/opened" 2>/dev/null ||
  fail "Help did not open the installed page (opened: $(cat "$work/opened" 2>/dev/null))"
kill -TERM "$pid"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "tintorb did not end on SIGTERM"
wait "$pid" || true
pid=
[ -f "$home/config/tintorb/tintorb.ini" ] || fail "no settings in \$XDG_CONFIG_HOME/tintorb: $(find "$home")"
grep -q '^\[Color\]' "$home/config/tintorb/tintorb.ini" || fail "settings file lacks [Color]"
[ -z "$(ls "$bin" | grep -v '^tintorb\(-cli\)\?$')" ] || fail "written beside the program: $(ls "$bin")"
echo "package: installed tree checked"
