#!/usr/bin/env bash
# A batch resize of 100 camera-sized JPEGs (12 to 24 megapixels, made here from libjxl's flower)
# to fit inside 1024 × 1024, saved as JPEG quality 85, on one thread: our batch loop natively
# (release build) and under Wine, against vipsthumbnail -s 1024 and gm mogrify -resize 1024x1024
# natively, each limited to one thread. Prints our cost over each peer's; the target is at most
# 1.0 times the faster peer natively. A peer that is not installed is left out.
#   bench/batch_resize.sh [FOLDER]   (its JPEG files; by default 100 photographs made here)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
build_bench_program batch_resize_bench
files=$top/build/bench-files/batch
photos=$files/photos tiny=$files/tiny out=$files/out
[ $# -ge 1 ] && photos=$(cd "$1" && pwd)
mkdir -p "$photos" "$tiny" "$out"

# Sizes of common cameras, baseline 4:2:0 at quality 92; made once and kept.
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
sizes=(4000x3000 4608x3456 5184x3456 6000x4000)
if [ $# -eq 0 ] && [ "$(ls "$photos" | wc -l)" -ne 100 ]; then
  for size in "${sizes[@]}"; do
    convert "$flower" -resize "${size}!" ppm:- | cjpeg -quality 92 > "$files/master-$size.jpg"
  done
  for i in $(seq -w 0 99); do
    cp "$files/master-${sizes[$((10#$i % 4))]}.jpg" "$photos/photo$i.jpg"
  done
  rm -f "$files"/master-*.jpg
fi
[ -f "$tiny/tiny.jpg" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny/tiny.jpg"

wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
ours=$top/build/bench/bin/batch_resize_bench
ours_win=$top/$win/bin/batch_resize_bench.exe
peers=""
if command -v vipsthumbnail >/dev/null; then
  peers+="\"vipsthumbnail -s 1024\": [\"sh\", \"-c\", \"VIPS_CONCURRENCY=1 vipsthumbnail -s 1024 -o '$out/%s.jpg[Q=85]' {file}/*.jpg\"]"
else
  echo "vipsthumbnail is not installed (libvips-tools): left out"
fi
if command -v gm >/dev/null; then
  [ -n "$peers" ] && peers+=", "
  peers+="\"gm mogrify -resize 1024x1024\": [\"sh\", \"-c\", \"OMP_NUM_THREADS=1 gm mogrify -limit threads 1 -output-directory '$out' -resize 1024x1024 -quality 85 {file}/*.jpg\"]"
else
  echo "gm is not installed (graphicsmagick): left out"
fi
wine_case=""
if bench_wine; then
  wine_case=", {\"label\": \"$win_label\", \"ours\": [$wine\"$ours_win\", \"Z:{file}\", \"Z:$out\"], \"peers\": {$peers}}"
fi
cases=$files/cases.json
cat > "$cases" <<JSON
[
 {"label": "native", "ours": ["$ours", "{file}", "$out"], "peers": {$peers}}$wine_case
]
JSON
python3 bench/compare.py "$runs" "$photos" "$tiny" "$cases"
