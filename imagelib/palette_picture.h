#pragma once
// A picture reduced to at most 256 colours for the palette file formats.
#include <cstdint>
#include <memory>

#include "Cimage.h"
#include "colour_quantizer.h"
#include "picture_rows.h"

namespace ravelight {

struct PalettePicture {
  ColourMap palette;
  std::unique_ptr<uint8_t[]> indices;  // one per pixel, rows top first, no padding
  int width = 0;
  int height = 0;

  PictureRows Rows() const { return {indices.get(), width, width, height}; }
};

// The two-pass quantizer over the whole picture, 256 colours; a picture with no more colours
// keeps them exactly. False when the picture is not usable or memory ran out.
bool ReduceToPalette(const Cimage& picture, bool dither, PalettePicture& out);

}  // namespace ravelight
