#!/usr/bin/env bash
# The thumbnail path (load fitted into 180 × 180, then written to a cache file as a JPEG) for a
# folder of camera-size pictures, against vipsthumbnail -s 180 and djpeg -scale 1/8 on the same
# files, single-threaded, natively and (ours) under Wine. Also PNG and TIFF folders against
# vipsthumbnail. Prints the cost per picture and our cost over each peer's.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-5}
out=$top/build/bench-files/thumbnails
mkdir -p "$out"

. bench/bench_trees.sh
build_bench_program thumbnail_bench

# Eight camera-size photographs (libjxl's flower, doubled to 13.7 megapixels, in eight crops and
# turns), half baseline and half progressive; the same pictures as PNG and as TIFF (LZW).
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
if [ ! -f "$out/jpeg/8.jpg" ]; then
  mkdir -p "$out/jpeg" "$out/png" "$out/tiff" "$out/tiny"
  for i in 1 2 3 4 5 6 7 8; do
    rotate=$(( (i % 4) * 90 ))
    convert "$flower" -resize 200% -rotate "$rotate" -crop "$((96 - i))%x100%+$((i * 20))+0" +repage "$out/p$i.ppm"
    progressive=(); [ $((i % 2)) -eq 0 ] && progressive=(-progressive)
    cjpeg -quality 90 "${progressive[@]}" "$out/p$i.ppm" > "$out/jpeg/$i.jpg"
    convert "$out/p$i.ppm" "$out/png/$i.png"
    convert "$out/p$i.ppm" -compress LZW "$out/tiff/$i.tif"
    rm "$out/p$i.ppm"
  done
  convert -size 8x8 xc:gray "$out/tiny/1.jpg"
  convert -size 8x8 xc:gray "$out/tiny/1.png"
  convert -size 8x8 xc:gray -compress LZW "$out/tiny/1.tif"
fi

. tools/session.sh
start_wine $win/wineprefix
shell() { printf '["sh", "-c", "%s"]' "$1"; }
ours=$top/build/bench/bin/thumbnail_bench
ours_win="$top/tools/wine-run.sh $top/$win/wineprefix $top/$win/bin/thumbnail_bench.exe"
vips="VIPS_CONCURRENCY=1 vipsthumbnail -s 180 -o $out/vips-%s.jpg"

for ext in jpg png tif; do
  folder=$(case $ext in jpg) echo jpeg;; png) echo png;; tif) echo tiff;; esac)
  peers="\"vipsthumbnail -s 180\": $(shell "$vips {file}/*.$ext")"
  [ "$ext" = jpg ] && peers="$peers, \"djpeg -scale 1/8, one process a file\": $(shell "for f in {file}/*.$ext; do djpeg -scale 1/8 -outfile /dev/null \$f; done")"
  cat > "$out/cases-$ext.json" <<JSON
[
 {"label": "native, $folder", "ours": $(shell "cd {file} && $ours $out/cache.tnc *.$ext"), "peers": {$peers}},
 {"label": "$win_label (peers native), $folder", "ours": $(shell "cd {file} && $ours_win Z:$out/cache.tnc *.$ext"), "peers": {$peers}}
]
JSON
  echo "== $folder: 8 pictures of 13.7 megapixels; times are for all eight"
  python3 bench/compare.py "$runs" "$out/$folder" "$out/tiny" "$out/cases-$ext.json"
done
