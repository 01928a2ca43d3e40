#!/usr/bin/env bash
# Selection changes in the thumbnail view under Wine: Select All, Invert Selection and a rubber
# band over the whole window, each with its repaint, in a folder of 10,000 files against one of
# 1,000, timed inside the program (selection_repaint_bench.exe). Only the cells on screen are
# drawn, so the cost must not grow with the items off screen: at most 2 times from 1,000 to
# 10,000. No thumbnail is loaded in either folder (empty boxes and captions are drawn).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
. bench/view_folders.sh
prepare_view_bench selection_repaint_bench

runs_of() {  # <folder>: one line of the program per run
  for _ in $(seq "$runs"); do run_view_bench "$program" "$warmup" "$1" | head -1; done
}

least() {  # <lines> <step>: the step's least time over the lines
  local best="" line value
  while read -r line; do
    value=$(field "$2" "$line")
    if [ -z "$best" ] || [ "$(echo "$value < $best" | bc)" = 1 ]; then best=$value; fi
  done <<<"$1"
  echo "$best"
}

small_lines=$(runs_of "$small")
large_lines=$(runs_of "$large")
printf '%s\n%s\n' "$small_lines" "$large_lines" | sed 's/^/  /' >&2
echo "== one change and its repaint (milliseconds inside the program; fastest of $runs runs, $win_label)"
worst=0
for step in select_all invert band; do
  one=$(least "$small_lines" "$step")
  ten=$(least "$large_lines" "$step")
  ratio=$(echo "$ten / $one" | bc -l)
  printf '%-10s  1,000 files %8.3f ms  10,000 files %8.3f ms  ratio %5.2f\n' "$step" \
    "$(echo "$one * 1000" | bc -l)" "$(echo "$ten * 1000" | bc -l)" "$ratio"
  if [ "$(echo "$ratio > $worst" | bc)" = 1 ]; then worst=$ratio; fi
done
printf 'largest ratio %.2f (target at most 2)\n' "$worst"
