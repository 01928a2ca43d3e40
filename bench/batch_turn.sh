#!/usr/bin/env bash
# The thumbnail view's lossless turn of 100 camera-sized JPEGs (12 to 24 megapixels, the batch
# resize's photographs): the transform job's own loop (batch_turn_bench, which turns each file in
# place as the view's worker does: a temporary file beside it, the old one to the recycle bin, the
# times set back), natively and under Wine, against a shell loop of jpegtran -rotate 90 -trim
# -copy all writing each turned file into another folder, natively. Target: at most 1.1 times the
# loop.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
build_bench_program batch_turn_bench
files=$top/build/bench-files/batch
photos=$files/photos tiny=$files/tiny turn=$files/turn out=$files/turned
. bench/camera_photos.sh
make_camera_photos "$photos" "$tiny"
# Our runs turn their files in place; the photographs stay as they are for the batch resize.
rm -rf "$turn" "$out"
mkdir -p "$turn" "$out"
cp "$photos"/*.jpg "$turn"/

wine=$(printf '"%s", "%s", ' "$top/tools/wine-run.sh" "$top/$win/wineprefix")
ours=$top/build/bench/bin/batch_turn_bench
ours_win=$top/$win/bin/batch_turn_bench.exe
# One jpegtran a file, as a script would run it: each start-up is charged to the loop.
peer="{\"jpegtran -rotate 90 loop\": {\"each\": [\"sh\", \"-c\", \"jpegtran -rotate 90 -trim -copy all -outfile '$out'/\\\"\${1##*/}\\\" \\\"\$1\\\"\", \"sh\", \"{file}\"]}}"
wine_case=""
if bench_wine; then
  wine_case=", {\"label\": \"$win_label, 100 photographs turned\", \"ours\": [$wine\"$ours_win\", \"Z:{file}\"], \"peers\": $peer}"
fi
cases=$files/turn-cases.json
cat > "$cases" <<JSON
[
 {"label": "native, 100 photographs turned", "ours": ["$ours", "{file}"], "peers": $peer}$wine_case
]
JSON
python3 bench/compare.py "$runs" "$turn" "$tiny" "$cases"
# Under Wine the old copies went to the recycle bin of the prefix's own home, never the user's.
rm -rf "$turn" "$out"
if [ -n "${XDG_DATA_HOME:-}" ]; then
  rm -f "$XDG_DATA_HOME"/Trash/files/photo[0-9][0-9].jpg* "$XDG_DATA_HOME"/Trash/info/photo[0-9][0-9].jpg*.trashinfo
fi
