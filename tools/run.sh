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
if [ ! -f "$program" ]; then
  echo "Built $(ls build/win32/bin/*.dll | xargs -n1 basename | tr '\n' ' ')— Vireldan.exe itself is not part of the build yet."
  exit 0
fi
. tools/session.sh
[ -n "${DISPLAY:-}" ] || start_display
start_wine build/win32/wineprefix
wine "$program" "$@"
