#!/usr/bin/env bash
# The photographer's headline job, timed and weighed against its peers in the same
# run: 100 photographs of 12 to 24 megapixels fitted within 1600 x 1600,
# sharpened, written as JPEG at quality 85 with their metadata kept. Prints the
# median time and the peak memory (largest resident set of any one process,
# from /usr/bin/time -v) of each, and Kelvarine's ratios to the peers. Never
# part of the test suite; on a shared machine the numbers are noisy, the
# ratios of one run less so.
#
#   bench/fit.sh [REPEATS [COUNT]]   (default 3 repeats, interleaved, the median
#                                    counts; COUNT of the 100 photographs, for a
#                                    quick look on a busy machine)
#
#   kelvarine   kelvarine-batch with its default --jobs and the Fit filter
#               "Width:1600,Height:1600,Enlarge:0,Sharpen:40"
#   vips        vipsthumbnail --size 1600 (package libvips-tools), then
#               `vips sharpen` on each result, written as JPEG quality 85
#   gm          gm convert -size 3200x3200 IN -resize 1600x1600 -unsharp ... -quality 85
#
# The photographs are bench/fetch-photos.sh's camera pictures (2 to 5
# megapixels), each enlarged once to 12 to 24 megapixels and repeated to 100
# files in bench/photos-fit/: real photographs, but smoother than a camera's
# of that size, so they compress smaller; decoding costs what their size costs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-3}
count=${2:-100}
batch="$root/build/bin/kelvarine-batch"
[ -x "$batch" ] || { echo "build first: ./test.sh or ./run.sh" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time (package time) is needed" >&2; exit 1; }
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
if ! command -v vipsthumbnail >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "vipsthumbnail (package libvips-tools) is needed" >&2; exit 1; }
    apt-get install -y -qq libvips-tools >/dev/null
fi

photos=$("$here/fetch-photos.sh")
large="$here/photos-fit"
if [ "$(ls "$large"/photo_*.jpg 2>/dev/null | wc -l)" -lt 100 ]; then
    mkdir -p "$large/made"
    sources=("$photos"/*.jpg)
    echo "enlarging ${#sources[@]} photographs to 12 to 24 megapixels in $large (once)" >&2
    for i in "${!sources[@]}"; do
        made="$large/made/$(printf %02d "$i").jpg"
        [ -s "$made" ] && continue
        megapixels=$((12 + (i * 7) % 13))  # 12 to 24, spread over the set
        # The same shape, enlarged to that many pixels; the EXIF and profile stay.
        gm convert "${sources[$i]}" -resize "$((megapixels * 1000000))@" -quality 92 "$made.part"
        mv "$made.part" "$made"
    done
    # Repeated to 100, as separate files.
    for i in $(seq 0 99); do
        cp "$large/made/$(printf %02d $((i % ${#sources[@]}))).jpg" "$large/photo_$(printf %03d "$i").jpg"
    done
fi

work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
for f in $(ls "$large"/photo_*.jpg | head -n "$count"); do ln "$f" "$work/in/"; done
large="$work/in"

fit="Fit=Width:1600,Height:1600,Enlarge:0,Sharpen:40"
# Sharpen 40 is an unsharp mask of radius 2, sigma 0.8, amount 0.8, threshold 0.02.
kelvarine() { "$batch" -q -o "$1" -f JPG --quality 85 --filter "$fit" "$large"/photo_*.jpg; }
vips_sharpen() {
    mkdir -p "$1/v"
    vipsthumbnail "$large"/photo_*.jpg --size 1600 -o "$1/v/%s.v" 2>/dev/null  # it remarks on odd EXIF
    for f in "$1"/v/*.v; do
        command vips sharpen "$f" "$1/$(basename "$f" .v).jpg[Q=85]" --sigma 0.8
    done
    rm -rf "$1/v"
}
gm_loop() {
    for f in "$large"/photo_*.jpg; do
        gm convert -size 3200x3200 "$f" -resize 1600x1600 -unsharp 2x0.8+0.8+0.02 -quality 85 "$1/$(basename "$f")"
    done
}
workloads=(kelvarine vips_sharpen gm_loop)
declare -A times memory

# One run into an empty output folder; sets seconds and the peak resident set (MB).
measure() {
    local out="$work/out" log="$work/time.log"
    rm -rf "$out" && mkdir -p "$out"
    sync
    local start end
    start=$(date +%s.%N)
    /usr/bin/time -v -o "$log" bash -c "$(declare -f "$1"); large='$large' batch='$batch' fit='$fit' $1 '$out'" >/dev/null
    end=$(date +%s.%N)
    [ "$(ls "$out" | wc -l)" -eq "$count" ] || { echo "$1 wrote $(ls "$out" | wc -l) pictures, not $count" >&2; exit 1; }
    times[$1]="${times[$1]:-} $(awk -v a="$end" -v b="$start" 'BEGIN { printf "%.2f", a - b }')"
    memory[$1]="${memory[$1]:-} $(awk '/Maximum resident set size/ { printf "%.0f", $6 / 1024 }' "$log")"
}

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "photographs: $(ls "$large"/photo_*.jpg | wc -l), $(du -chL "$large"/photo_*.jpg | tail -1 | cut -f1); cores: $(nproc); repeats: $repeats (interleaved)"
for r in $(seq 1 "$repeats"); do
    for w in "${workloads[@]}"; do measure "$w"; done
done

declare -A t m
for w in "${workloads[@]}"; do
    t[$w]=$(median ${times[$w]})
    m[$w]=$(median ${memory[$w]})
    printf '%-10s time %7.2f s  (runs:%s)   peak memory %5s MB  (runs:%s)\n' "$w" "${t[$w]}" "${times[$w]}" "${m[$w]}" "${memory[$w]}"
done
echo
echo "time,   kelvarine / vipsthumbnail + sharpen = $(ratio "${t[kelvarine]}" "${t[vips_sharpen]}")   (goal <= 1.0)"
echo "memory, kelvarine / vipsthumbnail + sharpen = $(ratio "${m[kelvarine]}" "${m[vips_sharpen]}")   (goal <= 2.0)"
echo "time,   kelvarine / gm convert -size        = $(ratio "${t[kelvarine]}" "${t[gm_loop]}")"
echo "memory, kelvarine / gm convert -size        = $(ratio "${m[kelvarine]}" "${m[gm_loop]}")"
