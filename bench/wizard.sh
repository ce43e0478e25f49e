#!/usr/bin/env bash
# Times the wizard's Process (the real window offscreen: a project loaded, Process
# pressed, the batch run to its end) on 100 photographs against kelvarine-batch
# with its default --jobs on the same project, interleaved in the same run, and
# prints the ratio (target <= 1.10). Never part of the test suite.
#
#   bench/wizard.sh [REPEATS]     (default 3; medians count)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-3}
cmake --build "$root/build" --target bench-wizard-process kelvarine-batch -j2 >/dev/null
program="$root/build/bench/bench-wizard-process"
batch="$root/build/bin/kelvarine-batch"

photos=$("$here/fetch-photos.sh")
work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT

# 100 photographs: the gathered ones over and over, each copy a file of its own.
mkdir -p "$work/in"
n=0
while [ "$n" -lt 100 ]; do
    for f in "$photos"/*.jpg; do
        [ "$n" -lt 100 ] || break
        cp "$f" "$work/in/$(printf '%03d' "$n")_$(basename "$f")"
        n=$((n + 1))
    done
done
QT_QPA_PLATFORM=offscreen "$program" make "$work/job.bps" "$work/out" "$work/in"/*.jpg

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
fresh() { rm -rf "$work/out" && mkdir -p "$work/out" && sync; }
batch_ms() {
    local start end
    start=$(date +%s%N)
    "$batch" -q "$work/job.bps"
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}
wizard_ms() { QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program" run "$work/job.bps" 2>/dev/null; }

fresh; batch_ms >/dev/null  # warm the page cache
batch_times=() wizard_times=()
for r in $(seq 1 "$repeats"); do
    fresh; batch_times+=("$(batch_ms)")
    fresh; wizard_times+=("$(wizard_ms)")
    [ "$(ls "$work/out" | wc -l)" -eq 100 ] || { echo "the wizard wrote $(ls "$work/out" | wc -l) of 100 files" >&2; exit 1; }
done

b=$(median "${batch_times[@]}")
w=$(median "${wizard_times[@]}")
echo "cores: $(nproc); repeats: $repeats; 100 photographs, Levels + Sharpen to JPG"
printf 'kelvarine-batch (default jobs): %6.0f ms   wizard Process: %6.0f ms   ratio %.2f (target <= 1.10)\n' \
    "$b" "$w" "$(awk -v a="$w" -v b="$b" 'BEGIN { print a / b }')"
echo "runs kelvarine-batch: ${batch_times[*]}   wizard: ${wizard_times[*]}"
