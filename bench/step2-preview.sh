#!/usr/bin/env bash
# Times the wizard's Step 2 Preview tab of a 24-megapixel photograph with Levels,
# Sharpen and a 50 % Resize (from the chain's change to the picture painted)
# against gm convert doing the same decode and chain into raw samples, in the
# same run, and prints the ratio (target <= 1.3). Never part of the test suite.
#
#   bench/step2-preview.sh [REPEATS]     (default 5; medians count)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-5}
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
cmake --build "$root/build" --target bench-step2-preview -j2 >/dev/null
program="$root/build/bench/bench-step2-preview"

photos=$("$here/fetch-photos.sh")
work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
gm convert "$photos/Garden.jpg" -resize '6000x4000!' -quality 92 "$work/photo24.jpg"

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
gm_ms() {
    local start end
    start=$(date +%s%N)
    gm convert "$1" -level 15%,0.9,40% -sharpen 3x1 -resize 50% rgba:/dev/null
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}

gm_ms "$work/photo24.jpg" >/dev/null  # warm the page cache
gm_times=""
for r in $(seq 1 "$repeats"); do gm_times="$gm_times $(gm_ms "$work/photo24.jpg")"; done
wizard_times=$(QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program" "$repeats" "$work/photo24.jpg" 2>/dev/null | tr '\n' ' ')

g=$(median $gm_times)
w=$(median $wizard_times)
echo "cores: $(nproc); repeats: $repeats; Garden.jpg enlarged to 6000x4000; Levels, Sharpen, Resize 50 %"
printf 'gm convert: %5d ms   wizard Step 2 Preview: %5d ms   ratio %.2f (target <= 1.3)\n' \
    "$g" "$w" "$(awk -v a="$w" -v b="$g" 'BEGIN { print a / b }')"
echo "runs gm:$gm_times   wizard: $wizard_times"
