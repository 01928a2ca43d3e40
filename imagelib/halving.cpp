#include "halving.h"

#include <algorithm>

namespace ravelight {

void HalveRows(const uint8_t* upper, const uint8_t* lower, int width, uint8_t* out) {
  if (width == 1) {
    for (int c = 0; c < 3; ++c) out[c] = uint8_t((2 * upper[c] + 2 * lower[c]) >> 2);
    return;
  }
  for (int x = width / 2; x > 0; --x, upper += 6, lower += 6, out += 3)
    for (int c = 0; c < 3; ++c) out[c] = uint8_t((upper[c] + upper[c + 3] + lower[c] + lower[c + 3]) >> 2);
}

bool Halve(Cimage& picture, const PixelView& from) {
  return ReplacePixels(picture, HalfSide(from.width), HalfSide(from.height), [&](Cimage& to) {
    for (int y = 0; y < to.m_height; ++y)
      HalveRows(from.Row(2 * y), from.Row(std::min(2 * y + 1, from.height - 1)), from.width,
                to.m_pixels + size_t(y) * to.m_stride);
  });
}

}  // namespace ravelight
