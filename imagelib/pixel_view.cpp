#include "pixel_view.h"

#include <algorithm>
#include <cstring>

namespace ravelight {

PixelView ViewOf(const Cimage& picture) {
  return PixelView{picture.m_pixels, picture.m_width, picture.m_height, picture.m_stride};
}

PixelView SubView(const PixelView& view, int x, int y, int width, int height) {
  return PixelView{view.Row(y) + 3 * size_t(x), width, height, view.stride};
}

bool ClipToPicture(CRect& r, int width, int height) {
  r.NormalizeRect();
  return r.IntersectRect(r, CRect(0, 0, width, height));
}

Bgr FromColorRef(unsigned colour) {
  return Bgr{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
}

Bgr FromRgbHigh(unsigned colour) {
  return Bgr{uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
}

void Fill(Cimage& picture, Bgr colour) {
  uint8_t* first = picture.m_pixels;
  for (int x = 0; x < picture.m_width; ++x) {
    first[3 * x] = colour.b;
    first[3 * x + 1] = colour.g;
    first[3 * x + 2] = colour.r;
  }
  for (int y = 1; y < picture.m_height; ++y)
    std::memcpy(first + size_t(y) * picture.m_stride, first, 3 * size_t(picture.m_width));
}

void Place(Cimage& picture, int64_t x, int64_t y, const PixelView& from) {
  const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(x + from.width, picture.m_width);
  const int64_t bottom = std::min<int64_t>(y + from.height, picture.m_height);
  if (right <= left || bottom <= top) return;
  const size_t bytes = 3 * size_t(right - left);
  const int rows = int(bottom - top);
  auto target = [&](int i) { return picture.m_pixels + size_t(top + i) * picture.m_stride + 3 * size_t(left); };
  auto source = [&](int i) { return from.Row(int(top - y) + i) + 3 * size_t(left - x); };
  // Within one buffer, rows moving down are copied bottom first so none is overwritten unread.
  const bool downwards = target(0) > source(0);
  for (int n = 0; n < rows; ++n) {
    const int i = downwards ? rows - 1 - n : n;
    std::memmove(target(i), source(i), bytes);
  }
}

bool TakeOver(Cimage& picture, Cimage& built, int components, int origWidth, int origHeight) {
  picture.DeleteImage();
  picture.m_valid = 1;
  if (!built.m_pixels) {
    picture.m_loadError = 1;
    return false;
  }
  picture.m_pixels = built.m_pixels;
  built.m_pixels = nullptr;
  picture.m_width = built.m_width;
  picture.m_height = built.m_height;
  picture.m_stride = built.m_stride;
  picture.m_components = components;
  picture.m_origWidth = origWidth;
  picture.m_origHeight = origHeight;
  return true;
}

}  // namespace ravelight
