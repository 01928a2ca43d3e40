#pragma once
// GIF87a files of one image: the global colour table, no local table, not interlaced, the
// palette indices LZW-compressed.
#include <cstdio>

#include "colour_quantizer.h"
#include "picture_rows.h"

namespace ravelight {

// False when a write failed or the picture does not fit the format (a side beyond 65535 or
// more than 256 colours). Indices must lie below the palette's size rounded up to a power of 2.
bool WriteGif(FILE* out, const PictureRows& indices, const ColourMap& palette);

}  // namespace ravelight
