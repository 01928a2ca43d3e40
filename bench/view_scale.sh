#!/usr/bin/env bash
# The thumbnail view at scale, under Wine: listing, sorting and painting a folder of 10,000 files
# against one of 1,000 (no step may grow faster than the number of files: at most 12 times the
# cost), and the peak memory once all 10,000 thumbnails are loaded at edge 90. The work is the
# view's long-listing test (tests/browser/vireldan_view_win_test.cpp) run on folders made here;
# each run's time less that of a 100-file folder is the cost of the listing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}
out=$top/build/bench-files/view_scale
mkdir -p "$out"

cmake --build build/win32 --target vireldan_view_win_test >/dev/null
program=$top/build/win32/bin/vireldan_view_win_test.exe

# Folders of 64 × 48 JPEG files under shuffled names, so that sorting has work to do.
make_folder() {  # <count>
  local folder=$out/files-$1
  if [ ! -f "$folder/done" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    convert -size 64x48 gradient:navy-orange "$out/one.jpg"
    for i in $(seq 1 "$1" | shuf --random-source=<(yes)); do cp "$out/one.jpg" "$folder/img$i.jpg"; done
    touch "$folder/done"
  fi
  echo "$folder"
}

. tools/session.sh
start_display
start_wine build/win32/wineprefix

run_once() {  # <folder> [load]: seconds
  local start end
  start=$(date +%s.%N)
  env VIRELDAN_VIEW_SCALE_FOLDER="Z:$(echo "$1" | tr / '\\')" ${2:+VIRELDAN_VIEW_SCALE_LOAD=1} \
    wine "$program" --gtest_filter='ThumbnailView.ThousandsOfFiles*' >"$out/last.log" 2>&1 || {
    cat "$out/last.log"
    exit 1
  }
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

fastest() {  # <folder>
  local best="" t
  for _ in $(seq "$runs"); do
    t=$(run_once "$1")
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

base=$(fastest "$(make_folder 100)")
small=$(fastest "$(make_folder 1000)")
large=$(fastest "$(make_folder 10000)")
cost_small=$(echo "$small - $base" | bc)
cost_large=$(echo "$large - $base" | bc)
printf 'list, sort, paint and scroll (fastest of %s, less a 100-file run of %.2f s):\n' "$runs" "$base"
printf '  1,000 files: %.3f s\n 10,000 files: %.3f s\n ratio: %.1f (at most 12)\n' "$cost_small" "$cost_large" \
  "$(echo "$cost_large / $cost_small" | bc -l)"

run_once "$(make_folder 10000)" load >/dev/null
grep "peak working set" "$out/last.log" || { cat "$out/last.log"; exit 1; }
