#!/usr/bin/env bash
# A batch resize of 100 camera-sized JPEGs (12 to 24 megapixels, made here from libjxl's flower)
# to fit inside 1024 × 1024 (decoded at a quarter or a half on the way), saved as JPEG quality 85,
# on one thread: our batch loop natively
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
mkdir -p "$out"

. bench/camera_photos.sh
if [ $# -ge 1 ]; then
  photos=$(cd "$1" && pwd)
  make_tiny_photo "$tiny"
else
  make_camera_photos "$photos" "$tiny"
fi

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
  peers+="\"gm mogrify -resize 1024x1024\": [\"sh\", \"-c\", \"OMP_NUM_THREADS=1 gm mogrify -limit threads 1 -create-directories -output-directory '$out' -resize 1024x1024 -quality 85 {file}/*.jpg\"]"
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
