#pragma once
// Windows BMP files: a 14-byte file header, a 40-byte BITMAPINFOHEADER, for 8 bits a colour
// table of 256 entries, then the rows bottom row first, each padded with zeros to four bytes.
// Resolution fields are left 0 (unknown).
#include <cstdio>

#include "colour_quantizer.h"
#include "picture_rows.h"

namespace ravelight {

// 24 bits per pixel from rows of blue, green, red pixels. False when a write failed, memory ran
// out or the picture is too large for the format.
bool WriteBmp24(FILE* out, const PictureRows& pixels);

// 8 bits per pixel from rows of palette indices; colour-table entries beyond the palette are
// zero. False as above.
bool WriteBmp8(FILE* out, const PictureRows& indices, const ColourMap& palette);

}  // namespace ravelight
