#!/usr/bin/env bash
# A batch print of 100 camera JPEGs (12 to 24 megapixels), 4 × 5 a page, through the program's job
# under Wine on the test printer (Wine's PostScript driver writing into a file), against decoding
# the same files at half size with djpeg -scale 1/2, in the same run: the best and the median of
# RUNS each and their ratios job / djpeg (target <= 1.5: the printing itself must not dominate);
# the job's peak working set, the largest of the runs (target < 300 MB). The job's time is taken
# inside the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program batch_print_bench
build_windows_bench_program add_printer
photos=$top/build/bench-files/batch/photos
. bench/camera_photos.sh
make_camera_photos "$photos" "$top/build/bench-files/batch/tiny"

. tools/session.sh
start_display  # Wine runs already (require_bench_wine)
port=$win/wineprefix/drive_c/vireldan-test-printer.ps
trap 'rm -f "$port"' EXIT
tools/wine-run.sh $win/wineprefix "$win/bin/add_printer.exe" "Vireldan Test Printer" 'C:\vireldan-test-printer.ps'

jobs=() djpegs=() peak=0
for _ in $(seq "$runs"); do
  line=$(tools/wine-run.sh $win/wineprefix "$win/bin/batch_print_bench.exe" "Z:${photos//\//\\}")
  jobs+=("$(sed -E 's/.* seconds ([0-9.]+).*/\1/' <<<"$line")")
  run_peak=$(sed -E 's/.* peak_mb ([0-9]+).*/\1/' <<<"$line")
  if [ "$run_peak" -gt "$peak" ]; then peak=$run_peak; fi
  start=$(date +%s.%N)
  for photo in "$photos"/*.jpg; do djpeg -scale 1/2 "$photo" >/dev/null; done
  djpegs+=("$(echo "$(date +%s.%N) - $start" | bc)")
done
best() { printf '%s\n' "$@" | sort -g | head -1; }
median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }
best_job=$(best "${jobs[@]}") best_djpeg=$(best "${djpegs[@]}")
median_job=$(median "${jobs[@]}") median_djpeg=$(median "${djpegs[@]}")
printf '100 photographs, 4 x 5 a page, %s runs (best, median):\n' "$runs"
printf '  batch print job (%s): %s s, %s s; peak working set %s MB (target < 300)\n' "$win_label" "$best_job" \
  "$median_job" "$peak"
printf '  djpeg -scale 1/2 (native): %s s, %s s\n' "$best_djpeg" "$median_djpeg"
printf '  job / djpeg = %.2f best, %.2f median (target <= 1.5)\n' "$(echo "$best_job / $best_djpeg" | bc -l)" \
  "$(echo "$median_job / $median_djpeg" | bc -l)"
