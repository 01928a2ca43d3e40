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

make_photo_folder() {  # <count>: the folder's path; photographs of 1024 x 768 (linked, 8 pictures)
  local folder=$view_folders/photos-$1 flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
  if [ ! -f "$folder/done" ]; then
    rm -rf "$folder" "$view_folders/photos"
    mkdir -p "$folder" "$view_folders/photos"
    for i in $(seq 0 7); do
      convert "$flower" -resize '1100x830^' -crop "1024x768+$(( i * 9 ))+$(( i * 7 ))" +repage \
        -modulate "100,$(( 80 + i * 5 )),$(( 70 + i * 8 ))" -quality 90 "$view_folders/photos/$i.jpg"
    done
    for i in $(seq 1 "$1" | shuf --random-source=<(yes)); do ln "$view_folders/photos/$(( i % 8 )).jpg" "$folder/img$i.jpg"; done
    touch "$folder/done"
  fi
  echo "$folder"
}

run_view_bench() {  # <program> <warm-up folder> <folder> [argument]: the program's lines
  # Each run is a first visit: no cache file from an earlier one (a warm run completes its own).
  rm -f "$2/vireldan.tnc"
  [ "${4:-}" = warm ] || rm -f "$3/vireldan.tnc"
  "$WINELOADER" "$1" "Z:$(tr / '\\' <<<"$2")" "Z:$(tr / '\\' <<<"$3")" ${4:-} 2> >(grep -v "volume label" >&2)
}

# The number after a name in a line of "name value" pairs.
field() { sed -E "s/.* $1 ([0-9.]+).*/\\1/" <<<" $2"; }

prepare_view_bench() {  # <target>: sets program, and warmup, small and large (100, 1,000 and 10,000 files)
  # and photos and many_photos (1,000 and 10,000 photographs). The display comes first: Wine's
  # desktop, started with Wine, draws on the display there is then, or on none.
  . tools/session.sh
  start_display
  require_bench_wine
  build_windows_bench_program "$1"
  program=$win/bin/$1.exe
  warmup=$(make_view_folder 100)
  small=$(make_view_folder 1000)
  large=$(make_view_folder 10000)
  photos=$(make_photo_folder 1000)
  many_photos=$(make_photo_folder 10000)
}
