#!/usr/bin/env bash
# Times the planning of batches whose naming template gives every picture the
# same name (each later picture is numbered "same (n).png"): kelvarine-batch
# --dry-run over a folder of N small pictures, for each N given. Planning should
# grow with N, not with its square. Never part of the test suite.
#
#   bench/planning.sh [N ...]            (default 1000 3000 10000)
#   KELVARINE_BATCH=/other/build/bin/kelvarine-batch bench/planning.sh   (another build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 3000 10000)
program=${KELVARINE_BATCH:-$root/build/bin/kelvarine-batch}
[ -x "$program" ] || { echo "no kelvarine-batch at $program (build first)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarine-planning.XXXXXX")
trap 'rm -rf "$work"' EXIT
# One small JPEG, copied: the names are made without decoding the pictures.
seed=$(ls "$root"/examples/pictures/*.jpg | head -1)

for n in "${sizes[@]}"; do
    pictures="$work/in$n"
    mkdir -p "$pictures" "$work/out$n"
    seq -f "$pictures/p%06g.jpg" 1 "$n" | xargs -n 500 sh -c 'for f; do ln "$0" "$f"; done' "$seed"
    # A file from before in the way of the first name, as in a folder used twice.
    cp "$seed" "$work/out$n/same.png"
    start=$(date +%s%N)
    "$program" "$pictures" -o "$work/out$n" -f PNG --name same --dry-run >"$work/plan$n.txt"
    end=$(date +%s%N)
    lines=$(wc -l <"$work/plan$n.txt")
    printf '%6d pictures: %6.2f s (%d targets)\n' "$n" "$(echo "($end - $start) / 1000000000" | bc -l)" "$lines"
done
