#pragma once
// Windows BMP files: a 14-byte file header, a 40-byte BITMAPINFOHEADER, for 8 bits a colour
// table of 256 entries, then the rows bottom row first, each padded with zeros to four bytes.
// The resolution fields come from a density in dots per centimetre, and are otherwise left 0
// (unknown). Exported so that the tests reach the variants that the picture's savers do not use.
#include <cstdint>
#include <cstdio>

#include "colour_quantizer.h"
#include "picture_rows.h"
#include "ravelight_api.h"

namespace ravelight {

// A picture's resolution as a JPEG file's JFIF header gives it. Each BMP resolution field is
// 100 × the density in pixels per metre when the unit is dots per centimetre, and 0 for any other
// unit (dots per inch are not converted either).
struct PixelDensity {
  enum Unit : uint8_t { kAspectOnly = 0, kPerInch = 1, kPerCentimetre = 2 };
  uint8_t unit = kAspectOnly;
  uint16_t x = 1;
  uint16_t y = 1;
};

// 24 bits per pixel from rows of blue, green, red pixels. False when a write failed, memory ran
// out or the picture is too large for the format.
RAVELIGHT_API bool WriteBmp24(FILE* out, const PictureRows& pixels, const PixelDensity& density = {});

// 8 bits per pixel from rows of palette indices; colour-table entries beyond the palette are
// zero. A grey palette is one whose three channels are equal. False as above.
RAVELIGHT_API bool WriteBmp8(FILE* out, const PictureRows& indices, const ColourMap& palette,
                             const PixelDensity& density = {});

// 8 bits per pixel from rows of grey levels, one byte per pixel: the colour table is the grey
// ramp whose entry i is i, i, i. False as above.
RAVELIGHT_API bool WriteBmpGrey(FILE* out, const PictureRows& levels, const PixelDensity& density = {});

}  // namespace ravelight
