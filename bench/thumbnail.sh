#!/usr/bin/env bash
# The thumbnail path (load fitted into 180 × 180, then written to a cache file as a JPEG) against
# vipsthumbnail -s 180 and djpeg -scale 1/8 on the same files, single-threaded, natively and (ours)
# under Wine where it runs. Prints the cost of the whole folder and our cost over each peer's.
#
#   bench/thumbnail.sh [FOLDER]
#
# With a folder, its JPEG, PNG and TIFF files are measured, a group for each. Without one, eight
# camera-size photographs are made (libjxl's flower, doubled to 13.7 megapixels, in eight crops
# and turns): baseline JPEGs, the same rewritten progressive by jpegtran (same coefficients), and
# the same pictures as PNG and as TIFF (LZW).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-5}
out=$top/build/bench-files/thumbnails
mkdir -p "$out"

. bench/bench_trees.sh
build_native_bench_program thumbnail_bench

# One folder per group; the tiny folders hold one 8 × 8 picture each, timing one start-up.
make_tiny() {  # <group> <extension>
  mkdir -p "$out/tiny-$1"
  [ -f "$out/tiny-$1/1.$2" ] || convert -size 8x8 xc:gray "$out/tiny-$1/1.$2"
}

groups=()
if [ $# -ge 1 ]; then
  source_folder=$(cd "$1" && pwd)
  rm -rf "$out/given"
  for spec in "jpeg:jpg jpeg" "png:png" "tiff:tif tiff"; do
    group=${spec%%:*}
    mkdir -p "$out/given/$group"
    for ext in ${spec#*:}; do
      find "$source_folder" -maxdepth 1 -type f -iname "*.$ext" -exec ln -s {} "$out/given/$group/" \;
    done
    if [ -n "$(ls -A "$out/given/$group")" ]; then groups+=("given/$group"); fi
  done
  [ ${#groups[@]} -gt 0 ] || { echo "no JPEG, PNG or TIFF files in $1" >&2; exit 1; }
else
  flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
  if [ ! -f "$out/tiff/8.tif" ]; then
    mkdir -p "$out/sequential" "$out/progressive" "$out/png" "$out/tiff"
    for i in 1 2 3 4 5 6 7 8; do
      rotate=$(( (i % 4) * 90 ))
      convert "$flower" -resize 200% -rotate "$rotate" -crop "$((96 - i))%x100%+$((i * 20))+0" +repage "$out/p$i.ppm"
      cjpeg -quality 90 "$out/p$i.ppm" > "$out/sequential/$i.jpg"
      jpegtran -progressive -copy all -outfile "$out/progressive/$i.jpg" "$out/sequential/$i.jpg"
      convert "$out/p$i.ppm" "$out/png/$i.png"
      convert "$out/p$i.ppm" -compress LZW "$out/tiff/$i.tif"
      rm "$out/p$i.ppm"
    done
  fi
  groups=(sequential progressive png tiff)
fi
for ext in jpg png tif; do make_tiny "$ext" "$ext"; done

shell_words() { printf '"%s", ' "$@"; }
ours=$top/build/bench/bin/thumbnail_bench
vips='"sh", "-c", "VIPS_CONCURRENCY=1 exec vipsthumbnail -s 180 -o '"$out"'/vips-%s.jpg \"$@\"", "vipsthumbnail", "{files}"'

# cases <group> <ours as JSON words> <label>: our command against the peers on that group.
cases() {
  local peers="\"vipsthumbnail -s 180 (one process)\": [$vips]"
  case $1 in
    *sequential|*progressive|*jpeg)
      peers="$peers, \"djpeg -scale 1/8 (a process a file)\": {\"each\": [\"djpeg\", \"-scale\", \"1/8\", \"-outfile\", \"/dev/null\", \"{file}\"]}" ;;
  esac
  echo "[{\"label\": \"$3, $1\", \"ours\": [$2\"{files}\"], \"peers\": {$peers}}]"
}

tiny_of() { case $1 in *png) echo "$out/tiny-png";; *tif*) echo "$out/tiny-tif";; *) echo "$out/tiny-jpg";; esac; }

measure() {  # <label> <ours as JSON words>
  for group in "${groups[@]}"; do
    cases "$group" "$2" "$1" > "$out/cases.json"
    python3 bench/compare.py "$runs" "$out/$group" "$(tiny_of "$group")" "$out/cases.json"
  done
}

echo "== times are for the whole folder (${#groups[@]} groups); ours includes writing the cache"
measure native "$(shell_words "$ours" "$out/cache.tnc")"
if bench_wine; then
  build_windows_bench_program thumbnail_bench
  measure "$win_label (peers native)" "$(shell_words "$top/tools/wine-run.sh" "$top/$win/wineprefix" \
    "$top/$win/bin/thumbnail_bench.exe" "Z:$out/cache.tnc")"
fi
