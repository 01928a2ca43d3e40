# Sourced by the batch benchmarks: 100 camera-sized JPEGs (12 to 24 megapixels, made here from
# libjxl's flower; baseline 4:2:0 at quality 92) in the folder, made once and kept, and a folder
# with one tiny JPEG for compare.py's start-up run.
make_camera_photos() {  # <photos folder> <tiny folder>
  local photos=$1 tiny=$2 size i
  local flower=/usr/share/libjxl-testdata/jxl/flower/flower.png
  local sizes=(4000x3000 4608x3456 5184x3456 6000x4000)
  mkdir -p "$photos" "$tiny"
  if [ "$(ls "$photos" | wc -l)" -ne 100 ]; then
    rm -f "$photos"/*
    for size in "${sizes[@]}"; do
      convert "$flower" -resize "${size}!" ppm:- | cjpeg -quality 92 > "$photos/master-$size.jpg"
    done
    for i in $(seq -w 0 99); do
      cp "$photos/master-${sizes[$((10#$i % 4))]}.jpg" "$photos/photo$i.jpg"
    done
    rm -f "$photos"/master-*.jpg
  fi
  make_tiny_photo "$tiny"
}

make_tiny_photo() {  # <tiny folder>
  mkdir -p "$1"
  [ -f "$1/tiny.jpg" ] || convert -size 8x8 xc:gray ppm:- | cjpeg > "$1/tiny.jpg"
}
