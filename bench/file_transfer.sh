#!/usr/bin/env bash
# Dropped files copied and then moved between two folders of one drive (C:, the prefix's own) and
# across drives (C: to Z:) under Wine: the program's own transfer, keeping every file's keys in
# step, against SHFileOperation doing the same, in the same run; the best of RUNS each and the
# ratios ours / shell (target <= 1.1). Times are taken inside the program. FILES files of SIZE_KB
# kilobytes each are made afresh under the prefix's C: drive and removed at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}
files=${FILES:-2000}
size_kb=${SIZE_KB:-3072}

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program file_transfer_bench
program=$win/bin/file_transfer_bench.exe

here_unix=$win/wineprefix/drive_c/transfer-bench
there_unix=$top/build/bench-files/transfer
rm -rf "$here_unix" "$there_unix"
mkdir -p "$here_unix/source" "$there_unix"
trap 'rm -rf "$here_unix" "$there_unix"' EXIT
python3 - "$here_unix/source" "$files" "$size_kb" <<'PY'
import os, sys
folder, count, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]) * 1024
for number in range(count):
    with open(os.path.join(folder, "img%04d.jpg" % number), "wb") as out:
        out.write(os.urandom(16) + bytes(size - 16))
PY

. tools/session.sh
start_display  # Wine runs already (require_bench_wine)
report() {  # <label> <program's output>
  local line=${2%%$'\n'*} keyless=${2#*$'\n'}
  field() { sed -E "s/.* $1 ([0-9.]+).*/\\1/" <<<" $line"; }
  printf '%s, %s files of %s KB, best of %s:\n' "$1" "$files" "$size_kb" "$runs"
  for operation in copy move; do
    printf '  %s: ours %s s, SHFileOperation %s s, ours / shell = %s (target <= 1.1)\n' "$operation" \
      "$(field "$operation ours" "$line")" "$(field "$operation ours [0-9.]+ shell" "$line")" \
      "$(field "$operation ours [0-9.]+ shell [0-9.]+ ratio" "$line")"
  done
  printf '  ours %s\n' "$keyless"
}
report "one drive (C: to C:)" "$(tools/wine-run.sh $win/wineprefix "$program" 'C:\transfer-bench' 'C:\transfer-bench' "$runs")"
report "across drives (C: to Z:)" \
  "$(tools/wine-run.sh $win/wineprefix "$program" 'C:\transfer-bench' "Z:${there_unix//\//\\}" "$runs")"
