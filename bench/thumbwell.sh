#!/usr/bin/env bash
# Thumbwell's build over a tree of 20 folders of 100 camera JPEGs each (a cache per folder,
# thumbnails fitted into 180 × 180) against vipsthumbnail -s 180 over the same 2000 files, both
# single-threaded: the builder's walk natively; under Wine where it runs, the same walk and the
# real Thumbwell.exe driven through its dialog (preview, progress and message pump included),
# against the native peer. Prints the cost of the whole tree and our cost over the peer's.
#
#   bench/thumbwell.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}
out=$top/build/bench-files/thumbwell
mkdir -p "$out"

. bench/bench_trees.sh
. bench/camera_photos.sh
build_native_bench_program thumbwell_bench

make_camera_photos "$out/photos" "$out/tiny-photo"
for i in $(seq -w 1 20); do
  if [ ! -f "$out/tree/folder$i/photo99.jpg" ]; then
    mkdir -p "$out/tree/folder$i"
    cp -l "$out"/photos/*.jpg "$out/tree/folder$i/"
  fi
done
mkdir -p "$out/tiny/folder" "$out/vips"
cp -l "$out/tiny-photo/tiny.jpg" "$out/tiny/folder/" 2>/dev/null || true

ours=$top/build/bench/bin/thumbwell_bench
vips="find \"\$1\" -name '*.jpg' -print0 | VIPS_CONCURRENCY=1 xargs -0 vipsthumbnail -s 180 -o $out/vips/%s.jpg"
peer="\"vipsthumbnail -s 180 (one process)\": [\"sh\", \"-c\", \"$(printf '%s' "$vips" | sed 's/"/\\"/g')\", \"sh\", \"{file}\"]"
cases() {  # <label> <ours as JSON words>
  echo "[{\"label\": \"$1\", \"ours\": [$2], \"peers\": {$peer}}]" > "$out/cases.json"
}
echo "== times are for the whole tree; ours includes writing a cache per folder"
cases "20 folders x 100 camera JPEGs, native" "\"$ours\", \"{file}\""
python3 bench/compare.py "$runs" "$out/tree" "$out/tiny" "$out/cases.json"
if bench_wine; then
  build_windows_bench_program thumbwell_bench
  build_windows_bench_program thumbwell_program_bench
  . tools/session.sh
  start_display
  wine_run="\"$top/tools/wine-run.sh\", \"$top/$win/wineprefix\""
  cases "$win_label, the walk (peer native)" "$wine_run, \"$top/$win/bin/thumbwell_bench.exe\", \"Z:{file}\""
  python3 bench/compare.py "$runs" "$out/tree" "$out/tiny" "$out/cases.json"
  cases "$win_label, Thumbwell.exe (peer native)" "$wine_run, \"$top/$win/bin/thumbwell_program_bench.exe\", \"{file}\""
  python3 bench/compare.py "$runs" "$out/tree" "$out/tiny" "$out/cases.json"
fi
