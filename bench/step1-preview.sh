#!/usr/bin/env bash
# Times the wizard's Step 1 preview of a 24-megapixel JPEG and a 24-megapixel
# TIFF (from selecting the row to the picture painted) against
# `gm convert FILE rgba:/dev/null` on the same file, in the same run, and prints
# the ratios (target <= 1.3). Never part of the test suite.
#
#   bench/step1-preview.sh [REPEATS]     (default 5; medians count)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-5}
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
cmake --build "$root/build" --target bench-step1-preview -j2 >/dev/null
program="$root/build/bench/bench-step1-preview"

photos=$("$here/fetch-photos.sh")
work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A real photograph enlarged to 6000 x 4000 (24 megapixels), as a camera JPEG
# and as an 8-bit RGB TIFF.
source=$(ls "$photos"/*.jpg | head -1)
gm convert "$source" -resize '6000x4000!' -quality 92 "$work/photo24.jpg"
gm convert "$work/photo24.jpg" -depth 8 -compress None "$work/photo24.tif"

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
gm_ms() {
    local start end
    start=$(date +%s%N)
    gm convert "$1" rgba:/dev/null
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}

declare -A gm_times wizard_times
for f in photo24.jpg photo24.tif; do gm_ms "$work/$f" >/dev/null; done  # warm the page cache
for r in $(seq 1 "$repeats"); do
    for f in photo24.jpg photo24.tif; do
        gm_times[$f]="${gm_times[$f]:-} $(gm_ms "$work/$f")"
    done
    while read -r file ms; do
        f=$(basename "$file")
        wizard_times[$f]="${wizard_times[$f]:-} $ms"
    done < <(QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program" 1 "$work/photo24.jpg" "$work/photo24.tif" 2>/dev/null)
done

echo "cores: $(nproc); repeats: $repeats; source photograph: $(basename "$source") enlarged to 6000x4000"
for f in photo24.jpg photo24.tif; do
    g=$(median ${gm_times[$f]})
    w=$(median ${wizard_times[$f]})
    printf '%-12s gm convert rgba: %5d ms   wizard Step 1: %5d ms   ratio %.2f (target <= 1.3)\n' \
        "$f" "$g" "$w" "$(awk -v a="$w" -v b="$g" 'BEGIN { print a / b }')"
    echo "             runs gm:${gm_times[$f]}   wizard:${wizard_times[$f]}"
done
