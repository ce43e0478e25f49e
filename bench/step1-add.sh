#!/usr/bin/env bash
# Times adding a folder of many pictures to the wizard's Step 1: the rows must be
# listed and painted in under a second (before thumbnails), whatever the count;
# the facts and thumbnails follow in the background. Prints the program's lines
# for 1 000 and 10 000 pictures (small camera JPEGs with EXIF and a thumbnail).
# Never part of the test suite.
#
#   bench/step1-add.sh [REPEATS]     (default 3)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-3}
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
command -v exiftool >/dev/null || { echo "exiftool (package libimage-exiftool-perl) is needed" >&2; exit 1; }
cmake --build "$root/build" --target bench-step1-add -j2 >/dev/null
program="$root/build/bench/bench-step1-add"

work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
gm convert -size 640x480 plasma:fractal -quality 85 "$work/seed.jpg"
gm convert "$work/seed.jpg" -resize 160x120 "$work/thumb.jpg"
exiftool -q -overwrite_original -Model=Bench -DateTimeOriginal='2024:05:01 10:00:00' \
    '-ThumbnailImage<='"$work/thumb.jpg" "$work/seed.jpg"
for count in 1000 10000; do
    folder="$work/p$count"
    mkdir -p "$folder"
    for i in $(seq -w 1 "$count"); do ln "$work/seed.jpg" "$folder/IMG_$i.jpg"; done
    echo "== $count pictures (cores: $(nproc))"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program" "$folder" "$repeats" 2>/dev/null
done
