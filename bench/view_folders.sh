# Sourced by the thumbnail-view benchmarks (run from the top of the worktree, after
# bench_trees.sh): their program built, folders of 64 × 48 JPEG files under shuffled names (so
# that sorting has work to do) made once under build/bench-files/view_scale, a display and Wine
# started; and each run of a view benchmark program as a first visit of its folders.
view_folders=$PWD/build/bench-files/view_scale
mkdir -p "$view_folders"

make_view_folder() {  # <count>: the folder's path
  local folder=$view_folders/files-$1
  if [ ! -f "$folder/done" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    convert -size 64x48 gradient:navy-orange "$view_folders/one.jpg"
    for i in $(seq 1 "$1" | shuf --random-source=<(yes)); do cp "$view_folders/one.jpg" "$folder/img$i.jpg"; done
    touch "$folder/done"
  fi
  echo "$folder"
}

run_view_bench() {  # <program> <warm-up folder> <folder> [argument]: the program's lines
  # Each run is a first visit: no cache file from an earlier one.
  rm -f "$3/vireldan.tnc" "$2/vireldan.tnc"
  "$WINELOADER" "$1" "Z:$(tr / '\\' <<<"$2")" "Z:$(tr / '\\' <<<"$3")" ${4:-} 2> >(grep -v "volume label" >&2)
}

# The number after a name in a line of "name value" pairs.
field() { sed -E "s/.* $1 ([0-9.]+).*/\\1/" <<<" $2"; }

prepare_view_bench() {  # <target>: sets program, and warmup, small and large (100, 1,000 and 10,000 files)
  require_bench_wine
  build_windows_bench_program "$1"
  program=$win/bin/$1.exe
  warmup=$(make_view_folder 100)
  small=$(make_view_folder 1000)
  large=$(make_view_folder 10000)
  . tools/session.sh
  start_display  # Wine runs already (require_bench_wine)
}
