#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds every tree and runs every test: the fuzz
# targets briefly, the Windows programs under Wine, then the native tree with its sanitizers.
# Ends with CTest's summary; fails when any tree's tests fail.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

tools/install-packages.sh
tools/build-deps.sh

configure() {  # <tree> [cmake options...]
  local tree=$1; shift
  [ -f "build/$tree/build.ninja" ] || cmake -S . -B "build/$tree" -G Ninja "$@" >/dev/null
  echo "== building build/$tree"
  cmake --build "build/$tree"
}
configure native
configure win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"
CC=clang CXX=clang++ configure fuzz -DVIRELDAN_FUZZ=ON

. tools/session.sh
start_display
start_wine build/win32/wineprefix

failed=()
echo "== fuzzing (build/fuzz)"
ctest --test-dir build/fuzz -j"$(nproc)" --output-on-failure || failed+=(fuzz)
echo "== tests under Wine (build/win32)"
ctest --test-dir build/win32 -j"$(nproc)" --timeout 300 --output-on-failure || failed+=(win32)
echo "== native tests with sanitizers (build/native)"
ctest --test-dir build/native -j"$(nproc)" --timeout 300 --output-on-failure || failed+=(native)

if [ ${#failed[@]} -gt 0 ]; then
  echo "Tests failed in: ${failed[*]}" >&2
  exit 1
fi
