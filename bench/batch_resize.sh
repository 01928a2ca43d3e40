#!/usr/bin/env bash
# A batch resize of 100 camera-sized JPEGs (12 to 24 megapixels, made here from libjxl's flower)
# to fit inside 1024 × 1024, saved as JPEG quality 85, on one thread: our batch loop natively
# (release build) and under Wine, against vipsthumbnail -s 1024 and gm mogrify -resize 1024x1024
# natively, each limited to one thread. Prints our cost over each peer's; the target is at most
# 1.0 times the faster peer natively. A peer that is not installed is left out.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
build_bench_program batch_resize_bench
files=$top/build/bench-files/batch
photos=$files/photos tiny=$files/tiny out=$files/out
mkdir -p "$photos" "$tiny" "$out"

make_camera_photos "$photos"
[ -f "$tiny/tiny.jpg" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny/tiny.jpg"

. tools/session.sh
start_wine $win/wineprefix
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
cases=$files/cases.json
cat > "$cases" <<JSON
[
 {"label": "native, 100 photographs", "ours": ["$ours", "{file}", "$out"], "peers": {$peers}},
 {"label": "$win_label, 100 photographs", "ours": [$wine"$ours_win", "Z:{file}", "Z:$out"], "peers": {$peers}}
]
JSON
python3 bench/compare.py "$runs" "$photos" "$tiny" "$cases"
