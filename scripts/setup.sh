#!/usr/bin/env bash
# Installs the Debian packages Tintorb builds, tests and runs with.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools
  qt6-translations-l10n libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  fonts-ipafont-gothic
  xvfb xauth imagemagick xdotool xclip
  pngcheck
  chromium
  clang-format
  sway qt6-wayland xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk
  pipewire wtype grim dbus
  python3-dbus python3-gi  # the notification server of the pick end-to-end test
  librsvg2-bin desktop-file-utils appstream man-db
  dpkg-dev file lintian
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "setup: missing packages (${missing[*]}) and no sudo to install them" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
# Passed through env because sudo drops the caller's environment.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -qq)
"${sudo[@]}" "${apt[@]}" update >/dev/null
"${sudo[@]}" "${apt[@]}" install -y --no-install-recommends "${missing[@]}" >/dev/null
