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

make_camera_photos() {  # <folder>: 100 camera-sized JPEGs (12 to 24 megapixels) from libjxl's flower, kept
  local photos=$1 flower=/usr/share/libjxl-testdata/jxl/flower/flower.png size i
  local sizes=(4000x3000 4608x3456 5184x3456 6000x4000)
  mkdir -p "$photos"
  [ "$(ls "$photos" | wc -l)" -eq 100 ] && return
  for size in "${sizes[@]}"; do
    convert "$flower" -resize "${size}!" ppm:- | cjpeg -quality 92 > "$photos/../master-$size.jpg"
  done
  for i in $(seq -w 0 99); do
    cp "$photos/../master-${sizes[$((10#$i % 4))]}.jpg" "$photos/photo$i.jpg"
  done
  rm -f "$photos"/../master-*.jpg
}
