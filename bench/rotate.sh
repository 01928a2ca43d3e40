#!/usr/bin/env bash
# Turns and mirrors of a 12-megapixel picture, natively (release build, 64-bit) and under Wine
# (the Windows tree): the in-memory operations timed inside the program (pixel bytes per second; the target
# for quarter turns is at least 1 GB/s natively), and the lossless 90-degree turn of the JPEG file
# against jpegtran -rotate 90 -trim on the same file (the target is at most 1.10 times its time).
#   bench/rotate.sh [PHOTO.jpg]   (by default a photograph made here)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

. bench/bench_trees.sh
build_bench_program rotate_bench
out=build/bench-files
mkdir -p "$out"

# A real photograph (libjxl's flower) stretched to 4000 × 3000, baseline 4:2:0 at quality 90: its
# height is not whole MCUs, so the turn trims as it would on a camera's file.
photo=${1:-$out/photo-12mp.jpg} tiny=$out/tiny.jpg
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$photo" ] || [ $# -ge 1 ] || convert "$flower" -resize '4000x3000!' ppm:- | cjpeg -quality 90 > "$photo"
[ -f "$tiny" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny"

ours=$top/build/bench/bin/rotate_bench
ours_win=$top/$win/bin/rotate_bench.exe
jpegtran_win=$top/$win_deps/bin/jpegtran.exe
# Our program turns a fresh copy of the file in place (the copy is in its time, a few
# milliseconds); the old copy goes to the recycle bin: natively it is deleted, under Wine it goes to
# the freedesktop trash, emptied of it below. Everything stays on one file system.
work=$top/$out/vireldan-bench-turn.jpg
turned=$top/$out/jpegtran-turned.jpg

echo "== in memory, native 64-bit"
"$ours" pixels "$photo"
if bench_wine; then
  echo "== in memory, $win_label"
  tools/wine-run.sh $win/wineprefix "$ours_win" pixels "$photo"
fi

echo "== lossless turn of the file"
wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
wine_case=""
if bench_wine; then
  wine_case=$(cat <<JSON
,
 {"label": "$win_label, lossless 90 degrees", "ours": [$wine"$ours_win", "lossless", "{file}", "Z:$work"],
  "peers": {"jpegtran.exe -rotate 90 -trim": [$wine"$jpegtran_win", "-rotate", "90", "-trim", "-outfile", "Z:$turned", "{file}"]}}
JSON
)
fi
cases=$out/rotate-cases.json
cat > "$cases" <<JSON
[
 {"label": "native, lossless 90 degrees", "ours": ["$ours", "lossless", "{file}", "$work"],
  "peers": {"jpegtran -rotate 90 -trim": ["jpegtran", "-rotate", "90", "-trim", "-outfile", "$turned", "{file}"]}}$wine_case
]
JSON
python3 bench/compare.py "${RUNS:-15}" "$(realpath "$photo")" "$top/$tiny" "$cases"
rm -f "$turned" "$work"
# Under Wine the turned-away copies went to the recycle bin of the prefix's own home.
if [ -n "${XDG_DATA_HOME:-}" ]; then
  rm -f "$XDG_DATA_HOME"/Trash/files/vireldan-bench-turn.jpg* "$XDG_DATA_HOME"/Trash/info/vireldan-bench-turn.jpg*.trashinfo
fi
