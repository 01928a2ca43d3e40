#!/bin/sh
# One run of a peer tool for resample.sh. With "do" it resamples; with "skip" it does the same
# reading and writing without resampling, so that resample.sh can take that cost off.
#   resample_peer.sh do|skip vips IN.v OUT.v SCALE OUT_WIDTH OUT_HEIGHT
#   resample_peer.sh do|skip convert IN.ppm GEOMETRY
set -e
what=$1 tool=$2
shift 2
case "$tool:$what" in
  # The skip writes a picture of the output's size: the input cut or padded to it.
  vips:do) exec vips resize "$1" "$2" "$3" --kernel linear ;;
  vips:skip) exec vips embed "$1" "$2" 0 0 "$4" "$5" ;;
  # Both read the whole PPM and write nothing.
  convert:do) exec convert "$1" -filter Triangle -resize "$2" null: ;;
  convert:skip) exec convert "$1" null: ;;
esac
echo "usage: resample_peer.sh do|skip vips|convert ARGS..." >&2
exit 2
