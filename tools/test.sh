#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds every tree and runs every test: the fuzz
# targets briefly, the Windows programs under Wine, then the native tree with its sanitizers.
# The product tree (build/win32) always builds; its tests run under 32-bit Wine where this machine
# runs 32-bit code, and otherwise (or with VIRELDAN_WIN64=1) on the 64-bit test tree build/win64.
# Ends with CTest's summary; fails when any tree's tests fail.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. tools/windows-tree.sh

tools/install-packages.sh
choose_run_tree
tools/build-deps.sh win32
[ "$run_tree" = win32 ] || tools/build-deps.sh "$run_tree"

configure() {  # <tree> <what to build: "all" or targets> [cmake options...]
  local tree=$1 what=$2; shift 2
  [ -f "build/$tree/build.ninja" ] || cmake -S . -B "build/$tree" -G Ninja "$@" >/dev/null
  if [ "$what" = all ]; then
    echo "== building build/$tree"
    cmake --build "build/$tree"
  else
    echo "== building build/$tree: $what"
    # shellcheck disable=SC2086  # a list of targets
    cmake --build "build/$tree" --target $what
  fi
}
configure_windows() {  # <tree> <what to build>
  windows_tree_toolchain "$1"
  configure "$1" "$2" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain_file"
}
configure native all
if [ "$run_tree" = win32 ]; then
  configure_windows win32 all
else
  # Its tests cannot run here: only what ships (Setup.exe carries every deliverable) and the
  # host tools it needs.
  configure_windows win32 Setup
  configure_windows "$run_tree" all
fi
CC=clang CXX=clang++ configure fuzz all -DVIRELDAN_FUZZ=ON

failed=()
echo "== layers (every include points down the folders' order)"
tools/check-layers.py || failed+=(layers)
echo "== 64-bit truncation check (the Windows sources as 64-bit code)"
tools/check-64bit.py build/win32 | tail -40 || failed+=(64-bit-check)

. tools/session.sh
start_display
start_wine "build/$run_tree/wineprefix"
# The test prefix's recycle bin starts empty: Wine gives a recycled file a new random suffix when
# its name is taken, from a sequence that starts alike in every process, and gives up after a few,
# so names that earlier runs left there would make a later run's turns and deletes fail.
rm -rf "$XDG_DATA_HOME/Trash"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"

echo "== fuzzing (build/fuzz)"
ctest --test-dir build/fuzz -j"$(nproc)" --output-on-failure || failed+=(fuzz)
echo "== tests under Wine: build/$run_tree, $run_tree_why"
ctest --test-dir "build/$run_tree" -j"$(nproc)" --timeout 300 --output-on-failure || failed+=("$run_tree")
echo "== native tests with sanitizers (build/native); the Windows tests ran on build/$run_tree"
ctest --test-dir build/native -j"$(nproc)" --timeout 300 --output-on-failure || failed+=(native)

if [ ${#failed[@]} -gt 0 ]; then
  # Named again at the end, where a log cut to its last lines still shows them.
  for tree in "${failed[@]}"; do tools/failed-output.sh "build/$tree"; done
  for tree in "${failed[@]}"; do
    list="build/$tree/Testing/Temporary/LastTestsFailed.log"
    [ -f "$list" ] && sed "s|^|  failed in build/$tree: |" "$list" >&2
  done
  echo "Tests failed in: ${failed[*]}" >&2
  exit 1
fi
