#include "palette_picture.h"

#include <new>

#include "picture_buffer.h"

namespace ravelight {

bool ReduceToPalette(const Cimage& picture, bool dither, PalettePicture& out) {
  if (!IsUsable(picture)) return false;
  const PictureRows pixels = PixelRows(picture);
  TwoPassQuantizer quantizer;
  out.indices.reset(new (std::nothrow) uint8_t[size_t(int64_t(pixels.width) * pixels.height)]);
  if (!out.indices || !quantizer.Start(pixels.width, 256)) return false;
  out.width = pixels.width;
  out.height = pixels.height;
  for (int y = 0; y < pixels.height; ++y) quantizer.CountRow(pixels.Row(y));
  out.palette = quantizer.ChooseColours();
  for (int y = 0; y < pixels.height; ++y)
    quantizer.MapRow(pixels.Row(y), out.indices.get() + int64_t(y) * pixels.width, dither);
  return true;
}

}  // namespace ravelight
