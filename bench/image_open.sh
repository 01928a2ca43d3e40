#!/usr/bin/env bash
# Image windows under Wine on a 24-megapixel camera-sized JPEG (libjxl's flower photograph
# enlarged to 6000 × 4000, baseline 4:2:0 at quality 90):
# - opening it fitted to the screen up to its first paint (image_window_bench.exe, the whole
#   process) against djpeg.exe decoding the same file in full, timed the same way in the same run
#   (process start-up taken off by timing both on a tiny file too); target at most 1.25;
# - one line of scrolling with its repaint at 2:1 and at 1:4, timed inside the program; target at
#   most 10 ms.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-7}
out=build/bench-files
mkdir -p "$out"

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program image_window_bench

photo=$out/photo24mp.jpg tiny=$out/tiny.jpg
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$photo" ] || convert "$flower" -resize '6000x4000!' ppm:- | cjpeg -quality 90 > "$photo"
[ -f "$tiny" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny"

. tools/session.sh
start_display  # Wine runs already (require_bench_wine)
wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
ours_win=$top/$win/bin/image_window_bench.exe
djpeg_win=$top/$win_deps/bin/djpeg.exe

cases=$out/image_open_cases.json
cat > "$cases" <<JSON
[
 {"label": "$win_label, open fitted to the first paint", "ours": [$wine"$ours_win", "open", "{file}"],
  "peers": {"djpeg.exe full decode to NUL": [$wine"$djpeg_win", "-outfile", "NUL", "{file}"]}}
]
JSON
echo "== opening a 6000 x 4000 JPEG in an image window (fastest of $runs runs; target ours/peer at most 1.25)"
python3 bench/compare.py "$runs" "$top/$photo" "$top/$tiny" "$cases"

echo "== one line of scrolling with its repaint (fastest of 3 runs; target at most 10 ms)"
best2="" best4=""
for _ in 1 2 3; do
  lines=$(tools/wine-run.sh "$top/$win/wineprefix" "$ours_win" scroll "$top/$photo" | tr -d '\r')
  two=$(echo "$lines" | awk '$1 == "scroll_2_to_1" {print $2}')
  four=$(echo "$lines" | awk '$1 == "scroll_1_to_4" {print $2}')
  if [ -z "$best2" ] || [ "$(echo "$two < $best2" | bc)" = 1 ]; then best2=$two; fi
  if [ -z "$best4" ] || [ "$(echo "$four < $best4" | bc)" = 1 ]; then best4=$four; fi
done
printf '2:1  %7.3f ms per line\n1:4  %7.3f ms per line\n' "$best2" "$best4"
