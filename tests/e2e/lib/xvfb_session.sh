# Shared start of the end-to-end scripts; source it with the build directory as $1.
# Re-runs the calling script under its own Xvfb, gives it a fresh TINTORB_HOME
# ($home), a log file for the program's output ($log) and fail(), and kills the
# program ($pid) when the script ends.
build=$(cd "${1:?build directory}" && pwd)
if [ -z "${TINTORB_E2E_INNER:-}" ]; then
  export TINTORB_E2E_INNER=1
  # An X11 session even when started from a Wayland desktop.
  unset WAYLAND_DISPLAY
  export XDG_SESSION_TYPE=x11
  exec xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build"
fi

home=$(mktemp -d)
log=$(mktemp)
pid=
cleanup() {
  if [ -n "$pid" ] && kill "$pid" 2>/dev/null; then
    # It saves on SIGTERM: its folder goes only once it has ended.
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$home" "$log"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- program output:" >&2
  cat "$log" >&2 || true
  exit 1
}

# Waits up to 10 s for a window whose name matches $1; prints its id.
find_window() {
  local id=
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s until no visible window matches $1.
window_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for the title of window $wid to become $1.
expect_title() {
  local want=$1 got=
  for _ in $(seq 100); do
    got=$(xdotool getwindowname "$wid" 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "title is «$got», expected «$want»"
}
