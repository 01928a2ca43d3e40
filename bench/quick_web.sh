#!/usr/bin/env bash
# A Quick Web site of 200 camera JPEGs (8 to 12 megapixels, made here from libjxl's flower): a
# page image inside 800 × 800 and a thumbnail inside 150 × 150 of each, JPEG quality 75, and the
# pages, on one thread: our run natively (release build) and under Wine, against vipsthumbnail
# making the same two sizes of each file, limited to one thread. Prints our cost over the peer's;
# the target is at most 1.2 times natively (the pages themselves cost next to nothing).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
build_bench_program quick_web_bench
files=$top/build/bench-files/quick_web
photos=$files/photos tiny=$files/tiny out=$files/out
mkdir -p "$photos" "$tiny" "$out"

flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
sizes=(3264x2448 4000x3000)
if [ "$(ls "$photos" | wc -l)" -ne 200 ]; then
  for size in "${sizes[@]}"; do
    convert "$flower" -resize "${size}!" ppm:- | cjpeg -quality 92 > "$files/master-$size.jpg"
  done
  for i in $(seq -w 0 199); do
    cp "$files/master-${sizes[$((10#$i % 2))]}.jpg" "$photos/photo$i.jpg"
  done
  rm -f "$files"/master-*.jpg
fi
[ -f "$tiny/tiny.jpg" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$tiny/tiny.jpg"

wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
ours=$top/build/bench/bin/quick_web_bench
ours_win=$top/$win/bin/quick_web_bench.exe
vips="VIPS_CONCURRENCY=1 vipsthumbnail -s 800 -o '$out/%s.jpg[Q=75]' {file}/*.jpg && VIPS_CONCURRENCY=1 vipsthumbnail -s 150 -o '$out/tn_%s.jpg[Q=75]' {file}/*.jpg"
peers="{\"vipsthumbnail -s 800 and -s 150\": [\"sh\", \"-c\", \"$vips\"]}"
wine_case=""
if bench_wine; then
  wine_case=", {\"label\": \"$win_label, 200 photographs\", \"ours\": [$wine\"$ours_win\", \"Z:{file}\", \"Z:$out\"], \"peers\": $peers}"
fi
cases=$files/cases.json
cat > "$cases" <<JSON
[
 {"label": "native, 200 photographs", "ours": ["$ours", "{file}", "$out"], "peers": $peers}$wine_case
]
JSON
python3 bench/compare.py "$runs" "$photos" "$tiny" "$cases"
