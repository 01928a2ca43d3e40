# Sourced by benchmark scripts run from the top of the worktree: builds one benchmark program in
# the native release tree without sanitizers (build/bench) and in the Windows product tree
# (build/win32), configuring either tree first when it is new.
build_bench_program() {  # <target>
  local tree
  local -a options
  for tree in bench win32; do
    if [ "$tree" = bench ]; then
      options=(-DCMAKE_BUILD_TYPE=Release -DVIRELDAN_SANITIZE=OFF)
    else
      options=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake")
    fi
    [ -f "build/$tree/build.ninja" ] || cmake -S . -B "build/$tree" -G Ninja "${options[@]}" >/dev/null
    cmake --build "build/$tree" --target "$1" >/dev/null
  done
}
