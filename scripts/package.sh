#!/usr/bin/env bash
# Builds dist/tintorb_<version>_<arch>.deb with CPack in a build folder of its
# own (build-deb, no tests), then checks it: lintian must report no errors and
# the package must depend on the Qt 6 libraries.
#   scripts/package.sh                  make and check the package
#   scripts/package.sh --install-check  then, as root, install it with apt,
#                                       check the installed files, and remove it
set -euo pipefail
cd "$(dirname "$0")/.."
install_check=0
[ "${1:-}" = --install-check ] && install_check=1

bash scripts/setup.sh
build=${PACKAGE_BUILD_DIR:-build-deb}
# Debian's own compiler flags and hardening, as a Debian build would use them
# (build type None: no flags of CMake's on top).
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DTINTORB_TESTS=OFF -DTINTORB_DEBIAN=ON \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -B "$PWD/$build/cpack" >/dev/null
mkdir -p dist
debs=("$build"/cpack/tintorb_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "package: CPack made no .deb" >&2; exit 1; }
deb=dist/$(basename "${debs[0]}")
mv "${debs[0]}" "$deb"

depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || {
  echo "package: Depends lacks the Qt 6 libraries: $depends" >&2
  exit 1
}
echo "package: lintian $deb" >&2
lintian --fail-on error "$deb"
echo "$deb"

if ((install_check)); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq "./$deb" >/dev/null
  fail() { echo "package: $*" >&2; exit 1; }
  command -v tintorb >/dev/null || fail "tintorb is not on the PATH"
  [ "$(tintorb-cli info FF0000 | head -n1)" = "hex FF0000" ] || fail "tintorb-cli does not run"
  desktop-file-validate /usr/share/applications/org.tintorb.Tintorb.desktop 2>&1 |
    grep 'error:' | grep -v SingleMainWindow && fail "the installed desktop entry is not valid"
  man -w tintorb-cli >/dev/null || fail "man does not find tintorb-cli"
  apt-get remove --purge -y -qq tintorb >/dev/null
  [ ! -e /usr/bin/tintorb ] && [ ! -e /usr/share/applications/org.tintorb.Tintorb.desktop ] ||
    fail "files left after removal"
  echo "package: installed with apt, checked and removed" >&2
fi
