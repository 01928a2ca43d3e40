#!/usr/bin/env bash
# Fills a folder with sample pictures for the run command: real files from Debian's test-image
# packages (photos, drawings, animations; JPEG, PNG, GIF and BMP). Prints the folder.
set -euo pipefail
folder=${1:?usage: sample-images.sh FOLDER}
mkdir -p "$folder"
pixbuf=/usr/libexec/installed-tests/gdk-pixbuf
jxl=/usr/share/libjxl-testdata/jxl
for source in \
    "$pixbuf/test-images/reftests/cat.jpg" \
    "$pixbuf/issue70.jpg" \
    "$pixbuf/bug143608-comment.jpg" \
    "$pixbuf/bug725582-testrotate.jpg" \
    "$pixbuf/bug725582-testrotate.png" \
    "$pixbuf/aero.gif" \
    "$pixbuf/1_partyanimsm2.gif" \
    "$pixbuf/test-images/reftests/mandatory-bitmasks.bmp" \
    "$jxl/flower/flower.png" \
    "$jxl/flower/flower.png.im_q85_420.jpg" \
    "$jxl/flower/flower_cropped.jpg" \
    "$jxl/flower/flower_alpha.png"; do
  [ -f "$source" ] && [ ! -f "$folder/$(basename "$source")" ] && cp "$source" "$folder/"
done
echo "$folder"
