# Sourced by benchmark scripts run from the top of the worktree: the native release tree without
# sanitizers (build/bench) and the Windows tree the benchmarks run under Wine: the 32-bit product
# tree, or the 64-bit test tree on a machine that runs no 32-bit code (or with VIRELDAN_WIN64=1).
# Sets win (the Windows tree), win_deps (its cross-built libraries and tools) and win_label.
. tools/windows-tree.sh
choose_run_tree
windows_tree_toolchain "$run_tree"
win=build/$run_tree
win_deps=.deps/$run_tree
if [ "$run_tree" = win32 ]; then win_label="Wine 32-bit"; else win_label="Wine 64-bit (test tree)"; fi
tools/build-deps.sh "$run_tree" >/dev/null

build_windows_bench_program() {  # <target>
  [ -f "$win/build.ninja" ] ||
    cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain_file" >/dev/null
  cmake --build "$win" --target "$1" >/dev/null
}

build_bench_program() {  # <target>: in both trees
  [ -f build/bench/build.ninja ] ||
    cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIRELDAN_SANITIZE=OFF >/dev/null
  cmake --build build/bench --target "$1" >/dev/null
  build_windows_bench_program "$1"
}
