#pragma once
// Rows of a picture in memory, top row first, as the file writers take them.
#include <cstdint>

#include "Cimage.h"

namespace ravelight {

struct PictureRows {
  const uint8_t* top = nullptr;
  int64_t stride = 0;  // bytes from one row to the next
  int width = 0;
  int height = 0;

  const uint8_t* Row(int y) const { return top + y * stride; }
};

// The picture's own rows: blue, green, red per pixel.
inline PictureRows PixelRows(const Cimage& picture) {
  return {picture.m_pixels, picture.m_stride, picture.m_width, picture.m_height};
}

}  // namespace ravelight
