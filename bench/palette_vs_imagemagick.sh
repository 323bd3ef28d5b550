#!/usr/bin/env bash
# tintorb-cli palette-from-image against ImageMagick's `convert IMG -colors N`
# on real pictures (the wallpapers of Debian's gnome-backgrounds):
#  - quality: mean OKLab distance of every pixel to the nearest palette colour
#    (the same measure, bench/ui/palette_quality, for both palettes);
#  - time: a 12-megapixel JPEG made from a wallpaper, N = 8, each tool run
#    three times in turns; the minimum wall and CPU (user + sys) seconds.
# Usage: bench/palette_vs_imagemagick.sh [build-dir]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
for exe in tintorb-cli bench/palette_quality; do
  [ -x "$build/$exe" ] || { echo "build $exe first" >&2; exit 1; }
done

# The bench's own packages: the peer and the pictures.
need=()
for p in imagemagick gnome-backgrounds qt6-image-formats-plugins; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq update >/dev/null
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq install -y --no-install-recommends \
    "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=(/usr/share/backgrounds/gnome/*.webp)

im_palette() {  # im_palette IMG N: the colours of convert -colors N
  convert "$1" -colors "$2" -unique-colors txt:- | grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}
tt_palette() {
  "$build/tintorb-cli" palette-from-image "$1" --count "$2" | cut -f1 | tr -d '#'
}

echo "quality: mean OKLab distance to the nearest palette colour (lower is better)"
printf '%-22s %3s %10s %12s\n' picture N tintorb imagemagick
worse=0
for img in "${pictures[@]}"; do
  for n in 8 16; do
    t=$("$build/bench/palette_quality" "$img" $(tt_palette "$img" "$n"))
    m=$("$build/bench/palette_quality" "$img" $(im_palette "$img" "$n"))
    printf '%-22s %3d %10s %12s\n' "$(basename "$img")" "$n" "$t" "$m"
    awk -v t="$t" -v m="$m" 'BEGIN { exit !(t > m) }' && worse=$((worse + 1))
  done
done

big=$work/photo12mp.jpg
convert /usr/share/backgrounds/gnome/wood-l.webp -resize '4000x3000!' -quality 92 "$big"
best() { sort -g | head -n1; }
for _ in 1 2 3; do
  /usr/bin/time -f '%e %U %S' -a -o "$work/tt" "$build/tintorb-cli" palette-from-image "$big" >/dev/null
  /usr/bin/time -f '%e %U %S' -a -o "$work/im" convert "$big" -colors 8 -unique-colors txt:- >/dev/null
done
tt_wall=$(awk '{print $1}' "$work/tt" | best)
tt_cpu=$(awk '{print $2 + $3}' "$work/tt" | best)
im_wall=$(awk '{print $1}' "$work/im" | best)
im_cpu=$(awk '{print $2 + $3}' "$work/im" | best)
echo
echo "time: 12-megapixel JPEG ($(identify -format '%wx%h' "$big")), N = 8, best of 3"
printf '%-12s wall %6.2f s   cpu %6.2f s\n' tintorb "$tt_wall" "$tt_cpu" imagemagick "$im_wall" "$im_cpu"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$worse" -eq 0 ] || echo "tintorb worse than ImageMagick on $worse picture(s)"
