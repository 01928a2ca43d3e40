#!/usr/bin/env bash
# A batch print of 100 camera JPEGs (12 to 24 megapixels), 4 × 5 a page, through the program's job
# under Wine on the test printer (Wine's PostScript driver writing into a file), against decoding
# the same files at half size with djpeg -scale 1/2, in the same run: the best of RUNS each and
# the ratio job / djpeg (target <= 1.5: the printing itself must not dominate); the job's peak
# working set (target < 300 MB). The job's time is taken inside the program.
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

best_job= best_djpeg= peak=
for _ in $(seq "$runs"); do
  line=$(tools/wine-run.sh $win/wineprefix "$win/bin/batch_print_bench.exe" "Z:${photos//\//\\}")
  seconds=$(sed -E 's/.* seconds ([0-9.]+).*/\1/' <<<"$line")
  peak=$(sed -E 's/.* peak_mb ([0-9]+).*/\1/' <<<"$line")
  start=$(date +%s.%N)
  for photo in "$photos"/*.jpg; do djpeg -scale 1/2 "$photo" >/dev/null; done
  djpeg_seconds=$(echo "$(date +%s.%N) - $start" | bc)
  best_job=$(printf '%s\n' $best_job $seconds | sort -g | head -1)
  best_djpeg=$(printf '%s\n' $best_djpeg $djpeg_seconds | sort -g | head -1)
done
printf '100 photographs, 4 x 5 a page, best of %s:\n' "$runs"
printf '  batch print job (%s): %s s, peak working set %s MB (target < 300)\n' "$win_label" "$best_job" "$peak"
printf '  djpeg -scale 1/2 (native): %s s\n' "$best_djpeg"
printf '  job / djpeg = %.2f (target <= 1.5)\n' "$(echo "$best_job / $best_djpeg" | bc -l)"
