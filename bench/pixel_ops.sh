#!/usr/bin/env bash
# Filter3x3 with a sharpening kernel, and the adjust dialog's colour chain (to YCbCr, brightness,
# contrast, saturation, back to RGB), on a 12-megapixel photograph: ours natively (release build,
# no sanitizers) and under Wine (the Windows tree), against vips and ImageMagick doing
# comparable work on one thread. Every tool's own reading and writing is timed without the
# operation and taken off (net_compare.py), so only the pixel work is compared.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. bench/bench_trees.sh
build_bench_program pixel_ops_bench
runs=${RUNS:-11}
out=build/bench-files
mkdir -p "$out"

# One thread for every peer, and the real ImageMagick binary rather than any wrapper on the path.
export VIPS_CONCURRENCY=1 MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1
im=$(command -v convert-im6.q16 || command -v magick || command -v convert)

# A real photograph (libjxl's flower) filled out to 4000 × 3000; ours reads it as a baseline JPEG,
# the peers the same pixels in their fastest formats (vips' own .v, mapped; raw PPM). Tiny 8 × 8
# copies of each let compare.py take off process start-up.
stem=$out/pixels12 tiny=$out/pixels-tiny
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$stem.jpg" ] ||
  "$im" "$flower" -resize 4000x3000^ -gravity center -extent 4000x3000 ppm:- | cjpeg -quality 90 > "$stem.jpg"
[ -f "$tiny.jpg" ] || "$im" -size 8x8 gradient:red-blue ppm:- | cjpeg > "$tiny.jpg"
for s in "$stem" "$tiny"; do
  [ -f "$s.ppm" ] || djpeg -outfile "$s.ppm" "$s.jpg"
  [ -f "$s.v" ] || vips copy "$s.ppm" "$s.v"
done
printf '3 3 1 0\n0 -1 0\n-1 5 -1\n0 -1 0\n' > "$out/sharpen.mat"

shm=/dev/shm/vireldan-pixel-ops
mkdir -p "$shm"

ours=$top/build/bench/bin/pixel_ops_bench
trees=native; if bench_wine; then trees="native wine"; fi
ours_win=$top/$win/bin/pixel_ops_bench.exe
wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")

# vips runs one operation per command, so its chain passes .v files through memory and its
# reading-and-writing run copies the same number of times. The chain is the usual vips recipe:
# to HSV, scale value and saturation, back to sRGB.
vips_adjust="vips colourspace {file}.v $shm/a.v hsv && vips linear $shm/a.v $shm/b.v '1 1.3 1.15' '0 0 -12' --uchar && vips colourspace $shm/b.v $shm/o.v srgb"
vips_copy3="vips copy {file}.v $shm/a.v && vips copy $shm/a.v $shm/b.v && vips copy $shm/b.v $shm/o.v"
peers() {  # <operation>: the two peers' entries of a case
  local im_args vips_work vips_io
  if [ "$1" = sharpen ]; then
    im_args='"-convolve", "0,-1,0,-1,5,-1,0,-1,0", '
    vips_work="[\"vips\", \"conv\", \"{file}.v\", \"$shm/o.v\", \"$top/$out/sharpen.mat\", \"--precision\", \"integer\"]"
    vips_io="[\"vips\", \"copy\", \"{file}.v\", \"$shm/o.v\"]"
  else
    im_args='"-brightness-contrast", "10x20", "-modulate", "100,130", '
    vips_work="[\"sh\", \"-c\", \"$vips_adjust\"]"
    vips_io="[\"sh\", \"-c\", \"$vips_copy3\"]"
  fi
  cat <<JSON
   "vips (one thread)": {"work": $vips_work, "io": $vips_io},
   "ImageMagick (one thread)": {"work": ["$im", "-limit", "thread", "1", "{file}.ppm", $im_args"$shm/o.ppm"],
                                "io": ["$im", "-limit", "thread", "1", "{file}.ppm", "$shm/o.ppm"]}
JSON
}

cases=$out/pixel-ops-cases.json
{
  echo "["
  sep=""
  for op in sharpen adjust; do
    for where in $trees; do
      if [ "$where" = native ]; then
        work="[\"$ours\", \"{file}.jpg\", \"$op\"]" io="[\"$ours\", \"{file}.jpg\", \"none\"]"
      else
        work="[$wine\"$ours_win\", \"{file}.jpg\", \"$op\"]" io="[$wine\"$ours_win\", \"{file}.jpg\", \"none\"]"
      fi
      echo "$sep {\"label\": \"$op, ours $where\", \"ours\": \"ours\", \"tools\": {"
      echo "   \"ours\": {\"work\": $work, \"io\": $io},"
      peers "$op"
      echo " }}"
      sep=","
    done
  done
  echo "]"
} > "$cases"
python3 bench/net_compare.py "$runs" "$top/$stem" "$top/$tiny" "$cases"
rm -rf "$shm"
