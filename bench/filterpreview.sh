#!/usr/bin/env bash
# The filter settings dialog on a 24-megapixel photograph: its preview against gm
# convert doing the same decode and filter in the same run, and how soon Cancel
# gives control back during a slow Oil Paint preview (target < 0.5 s).
# Never part of the test suite.
#
#   bench/filterpreview.sh [REPEATS]     (default 3; medians are printed)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
repeats=${1:-3}
[ -d "$root/build" ] || { echo "build first: ./test.sh or ./run.sh" >&2; exit 1; }
command -v gm >/dev/null || { echo "gm (package graphicsmagick) is needed" >&2; exit 1; }
cmake --build "$root/build" --target filterpreviewbench >/dev/null

photos=$("$here/fetch-photos.sh")
work=$(mktemp -d "$here/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The photographs gathered are 2 to 5 megapixels; one of them, scaled to
# 6000 x 4000, stands for a 24-megapixel camera picture.
gm convert "$photos/Garden.jpg" -resize '6000x4000!' -quality 92 "$work/photo24mp.jpg"
echo "photograph: $(gm identify -format '%wx%h' "$work/photo24mp.jpg") ($(du -h "$work/photo24mp.jpg" | cut -f1)); cores: $(nproc)"
QT_QPA_PLATFORM=offscreen "$root/build/bench/filterpreviewbench" "$work/photo24mp.jpg" "$repeats"
