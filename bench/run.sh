#!/usr/bin/env bash
# Times kelvarine-batch against GraphicsMagick's gm doing the same work on the same
# real photographs, in the same run, and prints the ratios (lower is faster for
# time ratios). Never part of the test suite.
#
#   bench/run.sh [REPEATS]     (default 5; the median of the repeats counts)
#
# Workloads:
#   chain  Levels (default string) then Sharpen (default string), written as JPG:
#          kelvarine-batch --jobs 1 and with its default --jobs, against a shell
#          loop of `gm convert -level 15%,0.9,40% -sharpen 3x1 -quality 77`.
#   copy   empty chain, format Original, against `cp` of the same files, on a
#          folder large enough that copying, not start-up, is what is measured.
#   resize 1600 pixels wide, JPEG quality 85: kelvarine-batch with its default
#          --jobs against a loop of `gm convert -resize 1600x -quality 85` and
#          libvips' vipsthumbnail (package libvips-tools, installed here if missing).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-5}
batch="$root/build/bin/kelvarine-batch"
[ -x "$batch" ] || { echo "build first: ./test.sh or ./run.sh" >&2; exit 1; }
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
if ! command -v vipsthumbnail >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "vipsthumbnail (package libvips-tools) is needed" >&2; exit 1; }
    apt-get install -y -qq libvips-tools >/dev/null
fi

photos=$("$here/fetch-photos.sh")
work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The copy workload: the photographs many times over (about 300 MB).
mkdir -p "$work/many"
for i in $(seq 1 25); do
    for f in "$photos"/*.jpg; do cp "$f" "$work/many/$(basename "$f" .jpg)_$i.jpg"; done
done

levels="Levels=Channel:0,Black:15,White:40,Mid:9"
sharpen="Sharpen=Channel:0,Radius:3,Sigma:10"

gm_loop() {
    for f in "$photos"/*.jpg; do
        gm convert "$f" -level 15%,0.9,40% -sharpen 3x1 -quality 77 "$1/$(basename "$f")"
    done
}
batch_jobs1() { "$batch" -q --jobs 1 -o "$1" -f JPG --filter "$levels" --filter "$sharpen" "$photos"; }
batch_default() { "$batch" -q -o "$1" -f JPG --filter "$levels" --filter "$sharpen" "$photos"; }
cp_copy() { cp "$work/many"/*.jpg "$1/"; }
gm_resize() {
    for f in "$photos"/*.jpg; do
        gm convert "$f" -resize 1600x -quality 85 "$1/$(basename "$f")"
    done
}
vips_resize() { vipsthumbnail "$photos"/*.jpg --size 1600x -o "$1/%s.jpg[Q=85]" 2>/dev/null; }  # it remarks on odd EXIF
batch_resize() {
    "$batch" -q -o "$1" -f JPG --quality 85 --filter "Resize=Type:0,Width:1600,Height:1000,Radio:1,RadioBy:0" "$photos"
}
batch_copy() { "$batch" -q -o "$1" -f Original "$work/many"; }

workloads=(gm_loop batch_jobs1 batch_default cp_copy batch_copy gm_resize vips_resize batch_resize)
declare -A times

# One timed run into an empty output folder; prints seconds.
timed() {
    local out="$work/out"
    rm -rf "$out" && mkdir -p "$out"
    sync
    local start end
    start=$(date +%s.%N)
    "$1" "$out" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$end" -v b="$start" 'BEGIN { printf "%.3f", a - b }'
}

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

echo "photographs: $(ls "$photos" | wc -l) in $photos; copy folder: $(ls "$work/many" | wc -l) files, $(du -sh "$work/many" | cut -f1)"
echo "cores: $(nproc); repeats: $repeats (interleaved; medians below)"
for w in "${workloads[@]}"; do "$w" "$work/warm" >/dev/null 2>&1 || true; done  # warm the page cache
rm -rf "$work/warm"
for r in $(seq 1 "$repeats"); do
    for w in "${workloads[@]}"; do
        times[$w]="${times[$w]:-} $(timed "$w")"
    done
done

declare -A med
for w in "${workloads[@]}"; do
    med[$w]=$(median ${times[$w]})
    printf '%-14s median %7.3f s   runs:%s\n' "$w" "${med[$w]}" "${times[$w]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
echo
echo "kelvarine-batch --jobs 1 / gm loop        = $(ratio "${med[batch_jobs1]}" "${med[gm_loop]}")   (target <= 1.05)"
echo "kelvarine-batch default jobs / gm loop    = $(ratio "${med[batch_default]}" "${med[gm_loop]}")   (target <= 0.80)"
echo "copy speed, kelvarine-batch vs cp         = $(ratio "${med[cp_copy]}" "${med[batch_copy]}")   (target >= 0.90)"
echo "resize, kelvarine-batch / gm loop         = $(ratio "${med[batch_resize]}" "${med[gm_resize]}")   (target <= 1.00)"
echo "resize, kelvarine-batch / vipsthumbnail   = $(ratio "${med[batch_resize]}" "${med[vips_resize]}")   (target <= 1.00)"
