#!/usr/bin/env bash
# The thumbnail view at scale, under Wine: listing, sorting and painting a folder of 10,000 files
# (SetFolder, the first paint, then paging down to the end with every page painted) against one
# of 1,000, timed inside the program (view_scale_bench.exe): no step may grow faster than the
# number of files, so at most 12 times the cost. Then every thumbnail of each folder is loaded at
# edge 90, for the peak memory (under 300 MB with 10,000). Last, folders of 1,000 and 10,000
# photographs are chosen a second time with their caches complete: the time to the end of the
# first paint that shows every visible cell's thumbnail (target under 100 ms) and until every
# thumbnail is delivered (target under 0.5 s for 1,000), with no file decoded.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
. bench/view_folders.sh
prepare_view_bench view_scale_bench

run() {  # <folder> [load]: the program's lines
  run_view_bench "$program" "$warmup" "$@"
}

fastest() {  # <folder>: the line of the run with the least total
  local best="" line
  for _ in $(seq "$runs"); do
    line=$(run "$1" | head -1)
    echo "  $line" >&2
    if [ -z "$best" ] || [ "$(echo "$(field total "$line") < $(field total "$best")" | bc)" = 1 ]; then best=$line; fi
  done
  echo "$best"
}

echo "== list, sort, paint and page to the end (seconds inside the program; fastest of $runs)"
one=$(fastest "$small")
ten=$(fastest "$large")
for part in list_sort paint scroll total; do
  printf '%-9s  1,000 files %8.4f s  10,000 files %8.4f s  ratio %5.1f\n' "$part" "$(field "$part" "$one")" \
    "$(field "$part" "$ten")" "$(echo "$(field "$part" "$ten") / $(field "$part" "$one")" | bc -l)"
done
ratio=$(echo "$(field total "$ten") / $(field total "$one")" | bc -l)
printf 'total ratio %.1f (target at most 12)\n' "$ratio"

echo "== every thumbnail loaded at edge 90"
for folder in "$small" "$large"; do
  lines=$(run "$folder" load)
  echo "$lines" | tail -1
done
peak=$(field peak_working_set_mb "$(echo "$lines" | tail -1)")
printf 'peak working set with 10,000 thumbnails: %s MB (target under 300)\n' "$peak"

echo "== a warm folder: chosen again with its cache complete (seconds inside the program; fastest of $runs)"
for folder in "$photos" "$many_photos"; do
  best=""
  for _ in $(seq "$runs"); do
    line=$(run "$folder" warm)
    echo "  $line"
    [ "$(field decodes "$line")" = 0 ] || { echo "the warm folder decoded files"; exit 1; }
    if [ -z "$best" ] || [ "$(echo "$(field all_delivered "$line") < $(field all_delivered "$best")" | bc)" = 1 ]; then best=$line; fi
  done
  printf '%6s photographs: first screenful painted %.3f s (target under 0.1), all delivered %.3f s (target under 0.5 for 1,000)\n' \
    "$(field files "$best")" "$(field first_screen "$best")" "$(field all_delivered "$best")"
done
