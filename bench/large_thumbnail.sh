#!/usr/bin/env bash
# Thumbnails of pictures larger than a 32-bit process can hold whole: the thumbnail path
# (thumbnail_bench, fitted into 180 × 180 and written to a cache) on 16000 × 12000 and
# 20000 × 15000 PNG and TIFF (LZW, strips) files, a 16000 × 12000 TIFF stored as one LZW strip
# (read scanline by scanline) and a 30000 × 5000 panorama, natively and under
# Wine where it runs, against vipsthumbnail -s 180 (which streams). Prints each run's peak memory
# (the process's largest resident size; under Wine that of the Wine process running the program)
# and its time; the target is a peak under 100 MB and a time at most 1.0 times vipsthumbnail's.
#
#   bench/large_thumbnail.sh [FOLDER]   (its PNG and TIFF files instead of the generated ones)
#   OLD=path/to/thumbnail_bench         (another build to set beside ours, such as an older one)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=$top/build/bench-files/large
mkdir -p "$out"

. bench/bench_trees.sh
build_native_bench_program thumbnail_bench

if [ $# -ge 1 ]; then
  mapfile -t files < <(find "$(cd "$1" && pwd)" -maxdepth 1 -type f \( -iname '*.png' -o -iname '*.tif' -o -iname '*.tiff' \) | sort)
else
  # libjxl's flower photograph enlarged (vips streams, so making them needs little memory).
  flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
  for size in 16000x12000 20000x15000 30000x5000; do
    w=${size%x*} h=${size#*x}
    [ -f "$out/$size.png" ] ||
      vips resize "$flower" "$out/$size.png" "$(echo "$w / 2268" | bc -l)" --vscale "$(echo "$h / 1512" | bc -l)"
    [ -f "$out/$size.tif" ] || vips tiffsave "$out/$size.png" "$out/$size.tif" --compression lzw
  done
  # For strips, vips takes the tile height as the rows per strip.
  [ -f "$out/16000x12000-one-strip.tif" ] ||
    vips tiffsave "$out/16000x12000.png" "$out/16000x12000-one-strip.tif" --compression lzw --tile-height 12000
  files=("$out"/16000x12000.png "$out"/16000x12000.tif "$out"/16000x12000-one-strip.tif "$out"/20000x15000.png
         "$out"/20000x15000.tif "$out"/30000x5000.png)
fi

# Peak resident size in MB and seconds, of a command run once.
peak() {
  local report
  report=$(mktemp)
  /usr/bin/time -f "%M %e" -o "$report" "$@" >/dev/null 2>&1 || echo "(failed: $*)" >&2
  tail -1 "$report" | awk '{printf "%7.0f MB %7.2f s", $1 / 1024, $2}'
  rm -f "$report"
}

wine_ready=no
if bench_wine; then
  build_windows_bench_program thumbnail_bench
  wine_ready=yes
fi
for f in "${files[@]}"; do
  echo "== $(basename "$f") ($(vipsheader -f width "$f") x $(vipsheader -f height "$f"))"
  echo "   ours, native:            $(peak "$top/build/bench/bin/thumbnail_bench" "$out/cache.tnc" "$f")"
  if [ -n "${OLD:-}" ]; then echo "   $OLD: $(peak "$OLD" "$out/cache.tnc" "$f")"; fi
  if [ $wine_ready = yes ]; then
    echo "   ours, $win_label:      $(peak "$top/tools/wine-run.sh" "$top/$win/wineprefix" "$top/$win/bin/thumbnail_bench.exe" "Z:$out/cache.tnc" "$f")"
  fi
  echo "   vipsthumbnail -s 180:    $(peak env VIPS_CONCURRENCY=1 vipsthumbnail -s 180 -o "$out/vips-%s.jpg" "$f")"
done
