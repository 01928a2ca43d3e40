// Reading colours back out of a picture: the most frequent colour (a fill colour that matches the
// picture) and single pixels.
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "picture_buffer.h"
#include "pixel_walk.h"

namespace {

// Five bits per channel: cells of blue × 1024 + green × 32 + red.
constexpr int kCells = 32 * 32 * 32;

unsigned ColorRef(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }

}  // namespace

// COLORREF of the most frequent cell, each channel its cell's lowest value; on a tie the lowest
// cell wins.
unsigned Cimage::FindCommonColor() {
  if (!ravelight::IsUsable(*this)) return 0;
  uint32_t* counts = static_cast<uint32_t*>(std::calloc(kCells, sizeof(uint32_t)));
  if (!counts) return 0;
  ravelight::ForEachPixel(*this, [counts](const uint8_t* p) {
    ++counts[(p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3];
  });
  int best = 0;
  for (int cell = 1; cell < kCells; ++cell)
    if (counts[cell] > counts[best]) best = cell;
  std::free(counts);
  return ColorRef(unsigned(best & 31) * 8, unsigned(best >> 5 & 31) * 8, unsigned(best >> 10) * 8);
}

// Blue in the low byte, then green, then red; 0 outside the picture.
unsigned Cimage::GetRGB(int x, int y) {
  if (!ravelight::IsUsable(*this) || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const uint8_t* p = ravelight::PixelRow(*this, y) + 3 * x;
  return unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16;
}
