#!/usr/bin/env bash
# Thumbwell's build over a tree of 20 folders of 100 camera JPEGs each (a cache per folder,
# thumbnails fitted into 180 × 180) against vipsthumbnail -s 180 over the same 2000 files, both
# single-threaded, natively. Prints the cost of the whole tree and our cost over the peer's.
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
cat > "$out/cases.json" <<JSON
[{"label": "20 folders x 100 camera JPEGs", "ours": ["$ours", "{file}"],
  "peers": {"vipsthumbnail -s 180 (one process)": ["sh", "-c", "$(printf '%s' "$vips" | sed 's/"/\\"/g')", "sh", "{file}"]}}]
JSON
echo "== times are for the whole tree; ours includes writing a cache per folder"
python3 bench/compare.py "$runs" "$out/tree" "$out/tiny" "$out/cases.json"
