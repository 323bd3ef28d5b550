#!/usr/bin/env bash
# Fetches the palettes GIMP ships (Debian package gimp-data) into DIR for the
# palette reader tests, without installing GIMP: only the .deb is downloaded
# and only usr/share/gimp/2.0/palettes/ is unpacked. Kept once fetched.
set -euo pipefail

dest=${1:?usage: fetch_gimp_palettes.sh DIR}
if compgen -G "$dest/*.gpl" >/dev/null; then exit 0; fi

work=$(mktemp -d "${dest%/}.fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
if ! apt-get download gimp-data >/dev/null 2>&1; then
  # A bare machine has no package lists yet.
  if [ "$(id -u)" -eq 0 ]; then
    apt-get -qq update >/dev/null || true
  elif command -v sudo >/dev/null 2>&1; then
    sudo apt-get -qq update >/dev/null || true
  fi
  apt-get download gimp-data >/dev/null || {
    echo "fetch_gimp_palettes: cannot download gimp-data" >&2
    exit 1
  }
fi
dpkg-deb --fsys-tarfile gimp-data_*.deb | tar -x ./usr/share/gimp/2.0/palettes/
ls usr/share/gimp/2.0/palettes/*.gpl >/dev/null
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv usr/share/gimp/2.0/palettes "$dest"
