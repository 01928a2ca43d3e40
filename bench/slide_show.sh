#!/usr/bin/env bash
# The slideshow under Wine on the virtual screen (1280 × 1024):
# - every transition effect: its length against what its steps call for (target within 10 %),
#   and its slowest step's own drawing (target under 8 ms);
# - a show of a 24-megapixel camera-sized JPEG (libjxl's flower photograph enlarged to
#   6000 × 4000) with a 1 s timer: after each step's transition the next slide is loaded ahead;
#   the margin left before the next tick must stay above 0 in every step (the worst is printed).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=build/bench-files
mkdir -p "$out"

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program slide_show_bench

photo=$out/photo24mp.jpg
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$photo" ] || convert "$flower" -resize '6000x4000!' ppm:- | cjpeg -quality 90 > "$photo"

. tools/session.sh
start_display  # Wine runs already (require_bench_wine)
bench=$top/$win/bin/slide_show_bench.exe
echo "== transitions at the screen's size ($win_label)"
tools/wine-run.sh "$top/$win/wineprefix" "$bench" transitions
echo "== a show of 6000 x 4000 JPEGs at 1 s ($win_label)"
tools/wine-run.sh "$top/$win/wineprefix" "$bench" show "$top/$photo" 20
