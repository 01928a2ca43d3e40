#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds Vireldan and starts it under Wine on a
# virtual display. It runs the 32-bit product (build/win32) where this machine runs 32-bit code,
# and otherwise (or with VIRELDAN_WIN64=1) the same program built for 64 bits (build/win64).
# Folders and pictures may be given as Unix paths; Wine is handed their Windows names.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. tools/windows-tree.sh

tools/install-packages.sh
choose_run_tree
tools/build-deps.sh "$run_tree"
windows_tree_toolchain "$run_tree"
[ -f "build/$run_tree/build.ninja" ] ||
  cmake -S . -B "build/$run_tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain_file" >/dev/null
cmake --build "build/$run_tree" --target Vireldan
echo "run: Vireldan from build/$run_tree, $run_tree_why"

program=build/$run_tree/bin/Vireldan.exe
[ $# -gt 0 ] || set -- "$(tools/sample-images.sh "$top/build/sample-images")"
. tools/session.sh
[ -n "${DISPLAY:-}" ] || start_display
start_wine "build/$run_tree/wineprefix"
arguments=()
for argument in "$@"; do
  if [ -e "$argument" ]; then arguments+=("$("$WINELOADER" winepath -w "$(realpath "$argument")")"); else arguments+=("$argument"); fi
done
if [ -z "${xvfb_pid:-}" ]; then
  "$WINELOADER" "$program" "${arguments[@]}"
  exit
fi
# No display of the caller's: Vireldan runs on a virtual one, and a picture of it is left behind.
"$WINELOADER" "$program" "${arguments[@]}" >/dev/null 2>&1 &
sleep "${VIRELDAN_SCREENSHOT_DELAY:-12}"
import -window root build/vireldan-screenshot.png
echo "No display: Vireldan ran on a virtual one; its window is in build/vireldan-screenshot.png"
