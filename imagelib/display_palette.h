#pragma once
// Palette displays (8 bits per pixel or fewer) show every picture through one shared palette:
// a 6 × 6 × 6 colour cube, then black. Pictures reach them as an 8-bit copy dithered to it.
#include <cstdint>

#include "Cimage.h"
#include "colour_quantizer.h"
#include "ravelight_api.h"

namespace ravelight {

constexpr int kDisplayPaletteSize = 236;

// What the display's depth means for drawing.
struct DisplayDepth {
  bool highColour;  // 15 or 16 bits per pixel: the ordered dither hides the banding
  bool usePalette;  // 8 bits per pixel or fewer: the shared palette
  bool supported;   // at least 8 bits per pixel
};
RAVELIGHT_API DisplayDepth ClassifyDisplay(int bitsPerPixel);

// The shared palette's colours, kDisplayPaletteSize of them; the same every time.
RAVELIGHT_API const ColourMap& DisplayPaletteColours();

// Bytes per row of the 8-bit copy: one per pixel, padded to a multiple of four.
constexpr int64_t IndexRowStride(int64_t width) { return (width + 3) & ~int64_t{3}; }

// The picture as indexes into the shared palette, Floyd-Steinberg dithered, rows padded with
// zeros; the caller frees it with free(). Null when the picture is not usable or memory ran out.
RAVELIGHT_API uint8_t* DisplayPaletteIndices(const Cimage& picture);

}  // namespace ravelight
