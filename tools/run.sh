#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds the Windows programs and starts Vireldan
# under Wine on a virtual display.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/install-packages.sh
tools/build-deps.sh
[ -f build/win32/build.ninja ] ||
  cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win32

program=build/win32/bin/Vireldan.exe
samples=$(tools/sample-images.sh "$top/build/sample-images")
[ $# -gt 0 ] || set -- "Z:${samples//\//\\}"
. tools/session.sh
if [ -n "${DISPLAY:-}" ]; then
  start_wine build/win32/wineprefix
  wine "$program" "$@"
  exit
fi
# No display: run on a virtual one and leave a picture of the window.
start_display
start_wine build/win32/wineprefix
wine "$program" "$@" >/dev/null 2>&1 &
sleep "${VIRELDAN_SCREENSHOT_DELAY:-12}"
import -window root build/vireldan-screenshot.png
echo "No display: Vireldan ran on a virtual one; its window is in build/vireldan-screenshot.png"
