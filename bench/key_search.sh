#!/usr/bin/env bash
# Key search under Wine over a tree of 1,000 folders of 100 keyed files (10 groups of 100
# folders), once with complete folder summaries (compiled) and once without, in the same run, on
# two copies of the same tree: the best time of each, the ratio with / without (target <= 0.1),
# and the folders each search opened. Times are taken inside the program (Wine's start-up left
# out). The trees are made once under build/bench-files/keys and kept; delete that folder to
# start again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}
out=$top/build/bench-files/keys

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program key_search_bench
program=$win/bin/key_search_bench.exe

if [ ! -f "$out/made" ]; then
  rm -rf "$out"
  python3 - "$out" <<'PY'
import os, sys
root = sys.argv[1]
for tree in ("plain", "compiled"):
    for group in range(10):
        for folder in range(100):
            path = os.path.join(root, tree, "g%d" % group, "f%02d" % folder)
            os.makedirs(path)
            for picture in range(100):
                open(os.path.join(path, "img%03d.jpg" % picture), "wb").close()
PY
  touch "$out/made"
fi

start=$(date +%s.%N)
line=$(tools/wine-run.sh $win/wineprefix "$program" "Z:$out" "$runs")
end=$(date +%s.%N)
echo "ours: $line (wall $(echo "$end - $start" | bc) s with Wine's start-up; a first run also keys and compiles the trees)"
field() { sed -E "s/.* $1 ([0-9.]+).*/\\1/" <<<"$2"; }
without=$(sed -E 's/^without seconds ([0-9.]+) folders ([0-9]+).*/\1 \2/' <<<"$line")
with=$(sed -E 's/.* with seconds ([0-9.]+) folders ([0-9]+).*/\1 \2/' <<<"$line")
printf 'key search, 1,000 folders x 100 keyed files, best of %s:\n' "$runs"
printf '  without summaries: %.4f s, %s folders opened\n' $without
printf '  with summaries:    %.4f s, %s folders opened\n' $with
printf '  with / without = %.3f (target <= 0.1)\n' "$(field ratio "$line")"
