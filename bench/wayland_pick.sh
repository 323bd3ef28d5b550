#!/usr/bin/env bash
# Runs bench/ui/wayland_pick_bench in a headless sway session with the
# desktop portal (the session of tests/e2e/wayland_pick.sh).
# Usage: bench/wayland_pick.sh [build-dir] [benchmark options...]
set -euo pipefail
if [ -z "${TINTORB_WL_INNER:-}" ]; then
  b=$(cd "${1:-build}" && pwd)
  wl_extra_files=("$b/bench/wayland_pick_bench")
  [ -x "${wl_extra_files[0]}" ] || { echo "build the target wayland_pick_bench first" >&2; exit 1; }
  set -- "$b" "${@:2}"
fi
wl_sway_config='for_window [title="^Tintorb "] floating enable, move position 0 0'
lib=$(dirname "$0")/lib
[ -d "$lib" ] || lib=$(dirname "$0")/../tests/e2e/lib
source "$lib/wayland_session.sh"
QT_QPA_PLATFORM=wayland "$build/wayland_pick_bench" "${@:2}" 2>&1 | grep -v '^qt\.'
