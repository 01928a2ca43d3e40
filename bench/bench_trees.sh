# Sourced by benchmark scripts run from the top of the worktree: the native release tree without
# sanitizers (build/bench) and the Windows tree the benchmarks run under Wine: the 32-bit product
# tree, or the 64-bit test tree on a machine that runs no 32-bit code (or with VIRELDAN_WIN64=1).
# Sets win (the Windows tree), win_deps (its cross-built libraries and tools) and win_label.
#
# Native lines never depend on Wine: a script asks bench_wine whether the Windows lines can run
# here, and leaves them out when they cannot (BENCH_WINE=0 leaves them out on purpose).
. tools/windows-tree.sh
choose_run_tree
windows_tree_toolchain "$run_tree"
win=build/$run_tree
win_deps=.deps/$run_tree
if [ "$run_tree" = win32 ]; then win_label="Wine 32-bit"; else win_label="Wine 64-bit (test tree)"; fi

build_native_bench_program() {  # <target>
  [ -f build/bench/build.ninja ] ||
    cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIRELDAN_SANITIZE=OFF >/dev/null
  cmake --build build/bench --target "$1" >/dev/null
}

configure_windows_tree() {
  [ -f "$win/build.ninja" ] ||
    cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain_file" >/dev/null
}

build_windows_bench_program() {  # <target>
  configure_windows_tree
  cmake --build "$win" --target "$1" >/dev/null
}

# True when the Windows lines can run: the codec libraries cross-built and Wine started in the
# tree's prefix (once per script; Wine stops when the script ends). Says why when they cannot.
bench_wine() {
  if [ -z "${bench_wine_ready:-}" ]; then
    bench_wine_ready=no
    if [ "${BENCH_WINE:-1}" != 1 ]; then
      echo "(BENCH_WINE=0: the Wine lines are left out)"
    elif ! { tools/build-deps.sh "$run_tree" && configure_windows_tree; } >/dev/null 2>&1; then
      echo "(the Windows codec libraries could not be built here: the Wine lines are left out)"
    elif ! { . tools/session.sh && start_wine "$win/wineprefix" && [ -f "$WINEPREFIX/system.reg" ]; } >/dev/null 2>&1; then
      echo "(Wine does not start here: the Wine lines are left out)"
    else
      bench_wine_ready=yes
    fi
  fi
  [ "$bench_wine_ready" = yes ]
}

build_bench_program() {  # <target>: natively, and in the Windows tree when Wine runs here
  build_native_bench_program "$1"
  if bench_wine; then build_windows_bench_program "$1"; fi
}

# For the benchmarks that drive the program itself, which exist only under Wine: ends the script
# at once, saying why, where the Windows lines cannot run.
require_bench_wine() {
  bench_wine || { echo "$(basename "$0") measures the Windows program under Wine; nothing to measure here"; exit 0; }
}
