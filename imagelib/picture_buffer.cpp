#include "picture_buffer.h"

#include <cstdlib>

#include "picture_limits.h"

namespace ravelight {

bool AttachNewPixels(Cimage& picture, int width, int height) {
  std::free(picture.m_pixels);
  picture.m_pixels = nullptr;
  DropDisplayCopy(picture);
  if (!IsSanePictureSize(width, height)) return false;
  const int64_t stride = RowStride(width);
  picture.m_pixels = static_cast<uint8_t*>(std::malloc(size_t(stride * height)));
  if (!picture.m_pixels) return false;
  picture.m_width = width;
  picture.m_height = height;
  picture.m_stride = int(stride);
  return true;
}

void DropDisplayCopy(Cimage& picture) {
  std::free(picture.m_dispBits);
  picture.m_dispBits = nullptr;
  picture.m_displayDithered = 0;  // the flag describes the copy, and goes with it
}

}  // namespace ravelight

void Cimage::FreeDisplayCopy() { ravelight::DropDisplayCopy(*this); }
