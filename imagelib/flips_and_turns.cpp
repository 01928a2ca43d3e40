// Mirrors and quarter turns of the picture in memory.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "picture_buffer.h"
#include "picture_limits.h"

namespace {

// A quarter turn reads the source down its columns. Square tiles small enough for the first-level
// cache keep those reads from fetching every row of the picture from memory once per pixel.
constexpr int kTile = 64;

void SwapPixels(uint8_t* a, uint8_t* b) {
  std::swap(a[0], b[0]);
  std::swap(a[1], b[1]);
  std::swap(a[2], b[2]);
}

// The picture turned a quarter, in a new buffer with width and height exchanged and its row
// padding cleared; null when memory ran out. Clockwise, source row i becomes destination column
// (height − 1 − i); counter-clockwise, source column j becomes destination row (width − 1 − j).
uint8_t* QuarterTurnedPixels(const Cimage& picture, bool clockwise) {
  const int width = picture.m_width;
  const int height = picture.m_height;
  const int64_t toStride = ravelight::RowStride(height);
  auto* turned = static_cast<uint8_t*>(std::malloc(size_t(toStride * width)));
  if (!turned) return nullptr;
  const size_t fromStride = size_t(picture.m_stride);
  // Bands of source rows, read across in tiles: each band is read from memory once.
  for (int i0 = 0; i0 < height; i0 += kTile) {
    const int i1 = std::min(height, i0 + kTile);
    for (int j0 = 0; j0 < width; j0 += kTile) {
      const int j1 = std::min(width, j0 + kTile);
      // Each destination row is written front to back: clockwise it takes the band's source
      // rows from the bottom up.
      for (int j = j0; j < j1; ++j) {
        const uint8_t* column = picture.m_pixels + size_t(j) * 3;
        uint8_t* to = turned + size_t(clockwise ? j : width - 1 - j) * size_t(toStride);
        if (clockwise) {
          to += size_t(height - i1) * 3;
          for (int i = i1 - 1; i >= i0; --i, to += 3) std::memcpy(to, column + size_t(i) * fromStride, 3);
        } else {
          to += size_t(i0) * 3;
          for (int i = i0; i < i1; ++i, to += 3) std::memcpy(to, column + size_t(i) * fromStride, 3);
        }
      }
    }
  }
  const size_t padding = size_t(toStride) - size_t(height) * 3;
  if (padding)
    for (int row = 0; row < width; ++row) std::memset(turned + size_t(row) * size_t(toStride) + size_t(height) * 3, 0, padding);
  return turned;
}

// Turns a usable picture a quarter; false, with the picture as it was, when it is not usable or
// memory ran out. The caller rebuilds the bitmap header, which only a member can.
bool TurnQuarter(Cimage& picture, bool clockwise) {
  if (!ravelight::IsUsable(picture)) return false;
  picture.NoAnimation();
  uint8_t* turned = QuarterTurnedPixels(picture, clockwise);
  if (!turned) return false;
  std::free(picture.m_pixels);
  picture.m_pixels = turned;
  std::swap(picture.m_width, picture.m_height);
  picture.m_stride = int(ravelight::RowStride(picture.m_width));
  picture.m_origWidth = picture.m_width;
  picture.m_origHeight = picture.m_height;
  return true;
}

}  // namespace

void Cimage::Flip_Horizontal() {
  if (!ravelight::IsUsable(*this)) return;
  NoAnimation();
  for (int y = 0; y < m_height; ++y) {
    uint8_t* left = m_pixels + size_t(y) * size_t(m_stride);
    uint8_t* right = left + size_t(m_width - 1) * 3;
    for (; left < right; left += 3, right -= 3) SwapPixels(left, right);
  }
}

void Cimage::Flip_Vertical() {
  if (!ravelight::IsUsable(*this)) return;
  NoAnimation();
  const size_t stride = size_t(m_stride);
  for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
    uint8_t* upper = m_pixels + size_t(top) * stride;
    std::swap_ranges(upper, upper + stride, m_pixels + size_t(bottom) * stride);
  }
}

void Cimage::Rotate_180() {
  Flip_Vertical();
  Flip_Horizontal();
}

void Cimage::Rotate_Clockwise() {
  if (TurnQuarter(*this, true)) MakeBMIstruct();
}

void Cimage::Rotate_CounterClockwise() {
  if (TurnQuarter(*this, false)) MakeBMIstruct();
}
