#pragma once
// Walking the pixels of a picture. Rows are padded to a multiple of four bytes; the padding is not
// part of the picture and is never touched.
#include <cstddef>
#include <cstdint>

#include "Cimage.h"

namespace ravelight {

// The first byte (blue, or Y in the YCbCr layout) of row y.
inline uint8_t* PixelRow(const Cimage& picture, int y) {
  return picture.m_pixels + size_t(y) * size_t(picture.m_stride);
}

// Calls visit(p) for every pixel, p pointing at its three bytes.
template <class Visit>
void ForEachPixel(const Cimage& picture, Visit visit) {
  for (int y = 0; y < picture.m_height; ++y) {
    uint8_t* p = PixelRow(picture, y);
    for (uint8_t* const end = p + 3 * size_t(picture.m_width); p != end; p += 3) visit(p);
  }
}

}  // namespace ravelight
