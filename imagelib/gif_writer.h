#pragma once
// GIF87a files of one image: the global colour table, no local table, not interlaced, the
// palette indices LZW-compressed. Exported so that the tests reach the grey output, which the
// picture's saver does not use.
#include <cstdio>

#include "colour_quantizer.h"
#include "picture_rows.h"
#include "ravelight_api.h"

namespace ravelight {

// False when a write failed or the picture does not fit the format (a side beyond 65535 or
// more than 256 colours). Indices must lie below the palette's size rounded up to a power of 2.
// A grey palette is one whose three channels are equal: each value is written three times.
RAVELIGHT_API bool WriteGif(FILE* out, const PictureRows& indices, const ColourMap& palette);

// Grey levels, one byte per pixel, written as they are without a colour map of their own: 8 bits
// per pixel and a global table of 256 grey entries, entry i being (i × 255 + 127) / 255 = i in
// each channel. False as above.
RAVELIGHT_API bool WriteGifGrey(FILE* out, const PictureRows& levels);

}  // namespace ravelight
