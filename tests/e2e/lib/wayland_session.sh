# Shared start of the Wayland scripts; source it with the build directory as $1.
# Starts a headless sway with the desktop portal (screenshots through
# xdg-desktop-portal-wlr) on a private session bus and runtime directory, and
# re-runs the calling script inside it with WAYLAND_DISPLAY, SWAYSOCK and
# DBUS_SESSION_BUS_ADDRESS set. sway refuses to run as root: as root, the
# program, this library and the caller are copied to a directory that an
# unprivileged user (created on first use) can read, and run as that user.
# The caller may set $wl_sway_config (lines for sway's configuration) before.
# Inside, it gets $home (TINTORB_HOME), $log, fail(), $rt (runtime dir), and
# the program's $pid is killed when the script ends. Any failure to bring the
# session up is a failure, never a skip.
set -euo pipefail

wl_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wl_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ -z "${TINTORB_WL_INNER:-}" ]; then
  build=$(cd "${1:?build directory}" && pwd)
  script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
  for tool in sway pipewire dbus-daemon wtype grim swaymsg; do
    command -v "$tool" >/dev/null || wl_fail "$tool is not installed (run scripts/setup.sh)"
  done
  for d in xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk; do
    [ -x "/usr/libexec/$d" ] || wl_fail "/usr/libexec/$d is missing (run scripts/setup.sh)"
  done
  stage=$(mktemp -d /tmp/tintorb-wl.XXXXXX)
  trap 'rm -rf "$stage"' EXIT
  mkdir -p "$stage/build" "$stage/lib"
  cp "$script" "$stage/"
  cp "$wl_lib"/*.sh "$stage/lib/"
  for f in "$build"/tintorb "$build"/tintorb-help.html "${wl_extra_files[@]}"; do
    [ -e "$f" ] && cp "$f" "$stage/build/"
  done
  chmod -R a+rX "$stage"
  # Below ctest's own limit, so that the session is always torn down here.
  wl_timeout=${wl_timeout:-150}
  inner=(env TINTORB_WL_INNER=1 TINTORB_WL_SCALE="${TINTORB_WL_SCALE:-1}" bash "$stage/$(basename "$script")" "$stage/build" "${@:2}")
  if [ "$(id -u)" -eq 0 ]; then
    user=tintorb-wl
    if ! id "$user" >/dev/null 2>&1; then
      useradd --system --user-group --no-create-home --home-dir /nonexistent \
        --shell /usr/sbin/nologin "$user" || id "$user" >/dev/null 2>&1 ||
        wl_fail "cannot create the user $user"
    fi
    # runuser drops the environment except for a few names; pass ours on.
    set +e
    timeout -k 5 "$wl_timeout" runuser -u "$user" -- env PATH="$PATH" "${inner[@]}"
    rc=$?
  else
    set +e
    timeout -k 5 "$wl_timeout" "${inner[@]}"
    rc=$?
  fi
  [ "$rc" -eq 124 ] && echo "FAIL: the Wayland session ran out of time (${wl_timeout} s)" >&2
  exit "$rc"
fi

build=$(cd "${1:?build directory}" && pwd)
stage=$(dirname "$build")
rt=$(mktemp -d /tmp/tintorb-wl-run.XXXXXX)
chmod 700 "$rt"
export XDG_RUNTIME_DIR=$rt HOME=$rt/home XDG_CONFIG_HOME=$rt/config
export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK DBUS_SESSION_BUS_ADDRESS
home=$(mktemp -d "$rt/home.XXXXXX")
log=$rt/program.log
: >"$log"
pid=
wl_pids=()

cleanup() {
  set +e
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  local p i
  for ((i = ${#wl_pids[@]} - 1; i >= 0; i--)); do kill "${wl_pids[i]}" 2>/dev/null; done
  sleep 0.2
  for p in "${wl_pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  rm -rf "$rt"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

fail() {
  echo "FAIL: $*" >&2
  echo "--- program output:" >&2
  cat "$log" >&2 || true
  for f in "$rt"/*.session.log; do
    echo "--- $(basename "$f"):" >&2
    tail -n 20 "$f" >&2 || true
  done
  exit 1
}

# Waits up to 10 s for a file or socket to appear.
wl_wait_for() {
  for _ in $(seq 100); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  fail "$2"
}

# The private session bus.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$rt/bus" \
  >"$rt/dbus.session.log" 2>&1 &
wl_pids+=($!)
wl_wait_for "$rt/bus" "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$rt/bus

# The compositor: one headless output of 1280x800 logical pixels, at the
# scale TINTORB_WL_SCALE (1 or 2), so $wl_scale device pixels to one.
wl_scale=${TINTORB_WL_SCALE:-1}
conf=$rt/sway.conf
{
  echo "output HEADLESS-1 resolution $((1280 * wl_scale))x$((800 * wl_scale)) scale $wl_scale"
  echo "output HEADLESS-1 bg #808080 solid_color"
  echo "focus_follows_mouse no"
  echo "${wl_sway_config:-}"
} >"$conf"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$conf" >"$rt/sway.session.log" 2>&1 &
wl_pids+=($!)
sway_pid=$!
for _ in $(seq 100); do
  sock=$(ls "$rt"/wayland-? 2>/dev/null | head -n1 || true)
  SWAYSOCK=$(ls "$rt"/sway-ipc.*.sock 2>/dev/null | head -n1 || true)
  [ -n "$sock" ] && [ -n "$SWAYSOCK" ] && break
  kill -0 "$sway_pid" 2>/dev/null || fail "sway ended at start-up"
  sleep 0.1
done
[ -n "$sock" ] && [ -n "$SWAYSOCK" ] || fail "sway did not open its sockets"
export WAYLAND_DISPLAY=$(basename "$sock") SWAYSOCK
swaymsg -t get_outputs >/dev/null || fail "sway does not answer"

# The portal: wlr needs pipewire; the Screenshot interface is exported only
# when an Access back end (gtk) exists.
pipewire >"$rt/pipewire.session.log" 2>&1 &
wl_pids+=($!)
wl_wait_for "$rt/pipewire-0" "pipewire did not start"
/usr/libexec/xdg-desktop-portal-wlr >"$rt/portal-wlr.session.log" 2>&1 &
wl_pids+=($!)
NO_AT_BRIDGE=1 GTK_A11Y=none GDK_BACKEND=wayland /usr/libexec/xdg-desktop-portal-gtk >"$rt/portal-gtk.session.log" 2>&1 &
wl_pids+=($!)
for name in org.freedesktop.impl.portal.desktop.wlr org.freedesktop.impl.portal.desktop.gtk; do
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner "string:$name" 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
  done
done
/usr/libexec/xdg-desktop-portal -r >"$rt/portal.session.log" 2>&1 &
wl_pids+=($!)
wl_screenshot_ok=
for _ in $(seq 100); do
  if dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
    /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
    string:org.freedesktop.portal.Screenshot string:version >/dev/null 2>&1; then
    wl_screenshot_ok=1
    break
  fi
  sleep 0.1
done
[ -n "$wl_screenshot_ok" ] || fail "the desktop portal offers no Screenshot interface"

# Types keys into the focused window. Keys sent right after wtype creates its
# keyboard get lost, hence the pauses inside the call.
wl_keys() {
  wtype -s 150 "$@" -s 150
}
