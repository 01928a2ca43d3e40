#!/usr/bin/env bash
# Ravelight's JPEG load against djpeg decoding the same 13.7-megapixel baseline file at the same
# scale: natively (release build, both 64-bit) and under Wine (the Windows tree, same libjpeg-turbo).
# Prints the cost of our load over djpeg's; the target is at most 1.10 natively.
#   bench/jpeg_load.sh [PHOTO.jpg]   (by default a photograph made here)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-15}
out=build/bench-files
mkdir -p "$out"

. bench/bench_trees.sh
build_bench_program jpeg_load_bench

# A real photograph (libjxl's flower) doubled to 4536 × 3024, baseline 4:2:0 at quality 90.
photo=${1:-$out/photo.jpg} tiny=$out/tiny.jpg
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$photo" ] || [ $# -ge 1 ] || convert "$flower" -resize 200% ppm:- | cjpeg -quality 90 > "$photo"
[ -f "$tiny" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny"

wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
ours=$top/build/bench/bin/jpeg_load_bench
ours_win=$top/$win/bin/jpeg_load_bench.exe
djpeg_win=$top/$win_deps/bin/djpeg.exe
ppm=/dev/shm/vireldan-bench.ppm

# djpeg's job ends with the pixels in a file, ours with them in memory: the first peer writes its
# PPM to a memory file system, the second throws it away (decoding alone, no pixels kept).
wine_cases=""
if bench_wine; then
  wine_cases=$(cat <<JSON
,
 {"label": "$win_label, full size", "ours": [$wine"$ours_win", "{file}", "0", "5"],
  "peers": {"djpeg.exe to a PPM in memory": [$wine"$djpeg_win", "-outfile", "Z:$ppm", "{file}"],
            "djpeg.exe to NUL": [$wine"$djpeg_win", "-outfile", "NUL", "{file}"]}},
 {"label": "$win_label, 1/8 (thumbnail)", "ours": [$wine"$ours_win", "{file}", "160", "1"],
  "peers": {"djpeg.exe to a PPM in memory": [$wine"$djpeg_win", "-scale", "1/8", "-outfile", "Z:$ppm", "{file}"],
            "djpeg.exe to NUL": [$wine"$djpeg_win", "-scale", "1/8", "-outfile", "NUL", "{file}"]}}
JSON
)
fi
cases=$out/cases.json
cat > "$cases" <<JSON
[
 {"label": "native, full size", "ours": ["$ours", "{file}", "0", "5"],
  "peers": {"djpeg to a PPM in memory": ["djpeg", "-outfile", "$ppm", "{file}"],
            "djpeg to /dev/null": ["djpeg", "-outfile", "/dev/null", "{file}"]}},
 {"label": "native, 1/8 (thumbnail)", "ours": ["$ours", "{file}", "160", "1"],
  "peers": {"djpeg to a PPM in memory": ["djpeg", "-scale", "1/8", "-outfile", "$ppm", "{file}"],
            "djpeg to /dev/null": ["djpeg", "-scale", "1/8", "-outfile", "/dev/null", "{file}"]}}$wine_cases
]
JSON
python3 bench/compare.py "$runs" "$(realpath "$photo")" "$top/$tiny" "$cases"
rm -f "$ppm"
