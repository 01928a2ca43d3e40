#!/usr/bin/env bash
# The thumbnail view's loader thread end to end under Wine (requests of up to 64 files one at a
# time as the view makes them, results taken as they come, new thumbnails added to the folder's
# "vireldan.tnc"):
# - cold: a folder of 200 camera-size JPEGs (3000 x 2000, varied content) without a cache, in
#   thumbnails per second, against vipsthumbnail -s 180 (one thread) on the same folder;
# - warm: a folder of 1,000 JPEGs whose cache is complete: every thumbnail delivered, with no
#   decode, and the time that takes.
# Our times are taken inside the program (Wine's start-up left out); the wall time of each run is
# printed too.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}
edge=180
out=$top/build/bench-files/loader
cold=$out/cold
warm=$out/warm
mkdir -p "$out"

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program thumb_loader_bench
program=$win/bin/thumb_loader_bench.exe

# 200 photographs: libjxl's flower enlarged past 3000 x 2000, cut at different places, turned,
# mirrored and recoloured; 1,000 smaller ones (40 pictures under 25 names each).
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
make_photo() {  # <index> <width> <height> <file>
  local i=$1 turn=$(( ($1 % 2) * 180 )) flop=() hue=$(( 60 + ($1 * 37) % 80 ))
  [ $(( $1 % 3 )) -eq 0 ] && flop=(-flop)
  convert "$flower" -resize "$(( $2 + 400 ))x$(( $3 + 300 ))^" -rotate "$turn" "${flop[@]}" \
    -crop "$2x$3+$(( (i * 7) % 400 ))+$(( (i * 11) % 300 ))" +repage -modulate "100,$(( 80 + i % 40 )),$hue" \
    -quality 90 "$4"
}
export -f make_photo
export flower
if [ ! -f "$cold/done" ]; then
  rm -rf "$cold" && mkdir -p "$cold"
  seq 1 200 | xargs -P 4 -I{} bash -c 'make_photo {} 3000 2000 '"$cold"'/photo{}.jpg'
  touch "$cold/done"
fi
if [ ! -f "$warm/done" ]; then
  rm -rf "$warm" && mkdir -p "$warm/pictures"
  seq 1 40 | xargs -P 4 -I{} bash -c 'make_photo {} 1024 768 '"$warm"'/pictures/{}.jpg'
  for i in $(seq 1 1000); do cp "$warm/pictures/$(( (i - 1) % 40 + 1 )).jpg" "$warm/img$i.jpg"; done
  rm -rf "$warm/pictures"
  touch "$warm/done"
fi

ours() {  # <folder>: one run; prints the program's line and the wall time
  local start end line
  start=$(date +%s.%N)
  # (Wine reports that Z: has no volume label when the loader looks at the drive.)
  line=$(tools/wine-run.sh $win/wineprefix "$program" "Z:$1" "$edge" 2> >(grep -v "volume label" >&2))
  end=$(date +%s.%N)
  echo "$line wall $(echo "$end - $start" | bc)"
}
field() { sed -E "s/.* $1 ([0-9.]+).*/\\1/" <<<"$2"; }

echo "== cold: 200 JPEGs of 3000 x 2000, thumbnails of $edge, no cache at the start; best of $runs"
best_ours=0 best_vips=0
for run in $(seq 1 "$runs"); do
  rm -f "$cold/vireldan.tnc"
  line=$(ours "$cold")
  echo "ours:  $line"
  rate=$(field per_second "$line")
  best_ours=$(echo "if ($rate > $best_ours) $rate else $best_ours" | bc -l)
  rm -rf "$out/vips" && mkdir -p "$out/vips"
  start=$(date +%s.%N)
  VIPS_CONCURRENCY=1 vipsthumbnail -s "$edge" -o "$out/vips/%s.jpg" "$cold"/*.jpg
  end=$(date +%s.%N)
  vips_rate=$(echo "200 / ($end - $start)" | bc -l)
  printf 'vipsthumbnail -s %s, one thread: %.1f per second\n' "$edge" "$vips_rate"
  best_vips=$(echo "if ($vips_rate > $best_vips) $vips_rate else $best_vips" | bc -l)
done
rm -f "$cold/vireldan.tnc"
printf 'cold: ours %.1f thumbnails/s, vipsthumbnail %.1f/s, ours / vips = %.2f (target >= 0.8)\n' \
  "$best_ours" "$best_vips" "$(echo "$best_ours / $best_vips" | bc -l)"

echo "== warm: 1,000 JPEGs, complete cache; best of $runs"
rm -f "$warm/vireldan.tnc"
echo "building the cache: $(ours "$warm")"
best=1000000
for run in $(seq 1 "$runs"); do
  line=$(ours "$warm")
  echo "ours:  $line"
  [ "$(field decodes "$line")" = 0 ] || { echo "warm run decoded files"; exit 1; }
  [ "$(field results "$line")" = 1000 ] || { echo "warm run lost thumbnails"; exit 1; }
  seconds=$(field seconds "$line")
  best=$(echo "if ($seconds < $best) $seconds else $best" | bc -l)
done
printf 'warm: 1000 thumbnails from the cache, no decodes, in %.3f s (target within 2 s)\n' "$best"
