#!/usr/bin/env bash
# Gathers real photographs for the benchmark: camera JPEGs of 2 to 5 megapixels from
# Debian's wallpaper packages, unpacked next to this script (nothing is installed).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dest="$here/photos"
[ -d "$dest" ] && [ "$(ls "$dest" | wc -l)" -ge 16 ] && { echo "$dest"; exit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get download -qq mate-backgrounds plasma-workspace-wallpapers >/dev/null 2>&1 || {
    [ "$(id -u)" -eq 0 ] || { echo "run as root or with the packages' .deb files at hand" >&2; exit 1; }
    apt-get update -qq && apt-get download -qq mate-backgrounds plasma-workspace-wallpapers >/dev/null
}
for deb in ./*.deb; do dpkg -x "$deb" unpacked; done

mkdir -p "$dest"
# Photographs only (the packages also hold paintings and renders): 18 pictures
# of 2.3 to 4.9 megapixels.
photos=(
    usr/share/backgrounds/mate/nature/Blinds.jpg
    usr/share/backgrounds/mate/nature/RainDrops.jpg
    usr/share/backgrounds/mate/nature/Storm.jpg
    usr/share/backgrounds/mate/nature/Aqua.jpg
    usr/share/backgrounds/mate/nature/Garden.jpg
    usr/share/backgrounds/mate/nature/YellowFlower.jpg
    usr/share/backgrounds/mate/nature/LadyBird.jpg
    usr/share/backgrounds/mate/nature/TwoWings.jpg
    usr/share/backgrounds/mate/nature/Wood.jpg
    usr/share/wallpapers/BytheWater/contents/images/2560x1600.jpg
    usr/share/wallpapers/ColdRipple/contents/images/2560x1600.jpg
    usr/share/wallpapers/ColorfulCups/contents/images/2560x1600.jpg
    usr/share/wallpapers/EveningGlow/contents/images/2560x1600.jpg
    usr/share/wallpapers/FallenLeaf/contents/images/2560x1600.jpg
    usr/share/wallpapers/Path/contents/images/2560x1600.jpg
    usr/share/wallpapers/OneStandsOut/contents/images/2560x1600.jpg
    usr/share/wallpapers/summer_1am/contents/images/2560x1600.jpg
    usr/share/wallpapers/Kite/contents/images/2560x1600.jpg
)
for photo in "${photos[@]}"; do
    # Wallpaper folders name their files after the size; keep the folder's name.
    name=$(echo "$photo" | sed -E 's#.*/wallpapers/([^/]+)/.*#\1.jpg#; s#.*/##')
    cp "unpacked/$photo" "$dest/$name"
done
echo "$dest"
