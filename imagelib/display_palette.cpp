// The shared display palette and the 8-bit copies of pictures that palette displays draw.
#include "display_palette.h"

#include <cstdlib>

#include "picture_buffer.h"
#include "picture_rows.h"

namespace ravelight {

DisplayDepth ClassifyDisplay(int bitsPerPixel) {
  return {bitsPerPixel == 15 || bitsPerPixel == 16, bitsPerPixel <= 8, bitsPerPixel >= 8};
}

// The one-pass quantizer asked for the palette's size makes the cube; the entries it leaves
// over stay black.
const ColourMap& DisplayPaletteColours() {
  static const ColourMap palette = [] {
    OnePassQuantizer quantizer;
    ColourMap map;
    if (quantizer.Start(1, kDisplayPaletteSize)) map = quantizer.Colours();
    map.count = kDisplayPaletteSize;
    return map;
  }();
  return palette;
}

uint8_t* DisplayPaletteIndices(const Cimage& picture) {
  if (!IsUsable(picture)) return nullptr;
  const PictureRows rows = PixelRows(picture);
  const int64_t stride = IndexRowStride(rows.width);
  OnePassQuantizer quantizer;
  if (!quantizer.Start(rows.width, kDisplayPaletteSize)) return nullptr;
  uint8_t* indices = static_cast<uint8_t*>(std::calloc(size_t(stride * rows.height), 1));
  if (!indices) return nullptr;
  for (int y = 0; y < rows.height; ++y) quantizer.MapRow(rows.Row(y), indices + y * stride);
  return indices;
}

}  // namespace ravelight
