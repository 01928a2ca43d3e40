#!/usr/bin/env bash
# Ravelight's resampling of a 12-megapixel picture against vips resize and ImageMagick's convert
# -resize with a linear (triangle) filter, all single-threaded: the fit into 1024 × 768 and into
# 160 × 120 (ReSample mode 2), and ZoomImage × 2 and 1/4 into a 1024 × 768 viewport. Ours runs
# natively (release build) and under Wine (the Windows tree); the peers natively.
#
# Every command runs twice per round, once with the operation ("do") and once without it ("skip")
# but with the same reading and writing; compare.py takes the second time off the first, so what
# is compared is the operation alone. Ours loads a JPEG (its loader of raw pixels is not built
# yet), the peers read the same decoded pixels from a vips .v file and a PPM.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

. bench/bench_trees.sh
build_bench_program resample_bench

out=build/bench-files
mkdir -p "$out"
# libjxl's flower photograph cut to 4:3 and enlarged to 4000 × 3000, baseline JPEG at quality 90;
# the peers get the decoded pixels, whole and as the 512 × 384 middle the × 2 zoom shows.
photo=$out/photo12.jpg
flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
[ -f "$photo" ] ||
  convert "$flower" -resize 4000x3000^ -gravity center -extent 4000x3000 ppm:- | cjpeg -quality 90 > "$photo"
djpeg -outfile "$out/photo12.ppm" "$photo"
vips copy "$out/photo12.ppm" "$out/photo12.v"
vips extract_area "$out/photo12.v" "$out/middle.v" 1744 1308 512 384
vips copy "$out/middle.v" "$out/middle.ppm"

export VIPS_CONCURRENCY=1 MAGICK_THREAD_LIMIT=1
trees=native; if bench_wine; then trees="native wine"; fi
runs=${RUNS:-15}
ours=("$top/build/bench/bin/resample_bench")
ours_win=("$top/tools/wine-run.sh" "$top/$win/wineprefix" "$top/$win/bin/resample_bench.exe")
peer=$top/bench/resample_peer.sh
f=$top/$out
shm=/dev/shm/vireldan-resample.v

json() { printf '"%s", ' "$@" | sed 's/, $//'; }

# label | our operation | vips input | scale | output size | convert input | geometry
cases() {
  cat <<'CASES'
fit 4000x3000 into 1024x768|fit 1024 768|photo12.v|0.256|1024 768|photo12.ppm|1024x768
fit 4000x3000 into 160x120|fit 160 120|photo12.v|0.04|160 120|photo12.ppm|160x120
zoom x2 into 1024x768|zoom 2 1 1744 1308 512 384|middle.v|2|1024 768|middle.ppm|200%
zoom 1/4 into 1024x768|zoom 1 4 0 0 4000 3000|photo12.v|0.25|1000 750|photo12.ppm|25%
CASES
}

json_cases=$out/resample-cases.json
{
  echo "["
  sep=""
  while IFS='|' read -r label op vin scale size cin geometry; do
    for tree in $trees; do
      if [ $tree = native ]; then run=("${ours[@]}"); else run=("${ours_win[@]}"); fi
      # shellcheck disable=SC2086 # the operation and the size are lists of words
      printf '%s {"label": "%s, %s", "ours": [%s],\n' "$sep" "$label" "$tree" "$(json "${run[@]}" "$top/$photo" "{file}" $op)"
      # shellcheck disable=SC2086
      printf '  "peers": {"vips resize (linear)": [%s],\n' "$(json "$peer" "{file}" vips "$f/$vin" "$shm" "$scale" $size)"
      printf '            "convert -resize (Triangle)": [%s]}}\n' "$(json "$peer" "{file}" convert "$f/$cin" "$geometry")"
      sep=","
    done
  done < <(cases)
  echo "]"
} > "$json_cases"
python3 bench/compare.py "$runs" "do" "skip" "$json_cases"
rm -f "$shm"

# Our operation alone, timed inside the process: under Wine the start-up of two whole runs varies
# by more than a short operation takes.
echo "ours, timed inside the process (fastest of $runs runs):"
while IFS='|' read -r label op _; do
  for tree in $trees; do
    if [ $tree = native ]; then run=("${ours[@]}"); else run=("${ours_win[@]}"); fi
    # shellcheck disable=SC2086
    best=$(for _ in $(seq "$runs"); do "${run[@]}" "$top/$photo" time $op; done | tr -d "\r" | sort -g | head -1)
    printf '    %-34s %7.1f ms\n' "$label, $tree" "$best"
  done
done < <(cases)
