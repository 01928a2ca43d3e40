# Sourced by the build, run and test scripts: which Windows tree is which, and which one runs here.
# build/win32 is the product and always builds. Its programs run under 32-bit Wine, which needs a
# kernel that runs 32-bit x86 code; some machines have none, and there the same sources are built
# for 64-bit Windows (build/win64) and run under 64-bit Wine. VIRELDAN_WIN64=1 forces the 64-bit
# tree anywhere, so the fallback can be exercised on any machine.

# Sets toolchain_file and mingw_triple for a tree name.
windows_tree_toolchain() {
  case $1 in
    win32) toolchain_file=mingw-i686.cmake mingw_triple=i686-w64-mingw32 ;;
    win64) toolchain_file=mingw-x86_64.cmake mingw_triple=x86_64-w64-mingw32 ;;
    *) echo "unknown Windows tree '$1' (win32 or win64)" >&2; return 1 ;;
  esac
}

# Sets run_tree (win32 or win64) and run_tree_why, a sentence for the summaries.
choose_run_tree() {
  if [ "${VIRELDAN_WIN64:-0}" = 1 ]; then
    run_tree=win64 run_tree_why="the 64-bit test tree (VIRELDAN_WIN64=1 asked for it)"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    run_tree=win32 run_tree_why="the 32-bit product tree under 32-bit Wine"
  else
    run_tree=win64 run_tree_why="the 64-bit test tree (this machine runs no 32-bit x86 code)"
  fi
}
