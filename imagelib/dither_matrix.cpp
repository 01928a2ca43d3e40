// The ordered-dither offsets, and the dithered display copy that 15/16-bit displays show.
#include "dither_matrix.h"

#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "clamp_to_byte.h"
#include "picture_buffer.h"

namespace ravelight {

// Bit k of the row and of the column pick one of four values that weigh 4^(3 - k): the lowest
// bits decide the most, so neighbouring pixels get far-apart values.
int BaseDitherValue(int n) {
  static constexpr int kPair[2][2] = {{0, 3}, {2, 1}};
  const int y = (n >> 4) & 15, x = n & 15;
  int value = 0;
  for (int k = 0; k < 4; ++k) value += kPair[(y >> k) & 1][(x >> k) & 1] << (2 * (3 - k));
  return value;
}

int DitherOffset(int n, bool highColour) {
  const int d = BaseDitherValue(n);
  return highColour ? d / 32 - 4 : d * 42 / 256 - 21;
}

void FillDitherOffsets(bool highColour) {
  for (int n = 0; n < 256; ++n) {
    Cimage::S_dither_matrix_red[n / 16][n % 16] = DitherOffset(n, highColour);
    Cimage::S_dither_matrix_grn[n / 16][n % 16] = DitherOffset((n + 171) % 256, highColour);
    Cimage::S_dither_matrix_blu[n / 16][n % 16] = DitherOffset((n + 85) % 256, highColour);
  }
}

}  // namespace ravelight

// The offsets go into a display copy kept in m_dispBits, so what a save writes stays exact; the
// copy is made once and goes whenever the pixels change. Without memory for it the picture is
// simply shown undithered.
void Cimage::AddNoise() {
  if (!ravelight::IsUsable(*this) || (m_displayDithered && m_dispBits)) return;
  const size_t size = size_t(m_stride) * size_t(m_height);
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(size));
  if (!copy) return;
  std::memcpy(copy, m_pixels, size);
  // The tables' names do not follow the channels they serve; only their shifts matter.
  for (int r = 0; r < m_height; ++r) {
    uint8_t* p = copy + size_t(r) * m_stride;
    const int* red = S_dither_matrix_red[r % 16];
    const int* grn = S_dither_matrix_grn[r % 16];
    const int* blu = S_dither_matrix_blu[r % 16];
    for (int c = 0; c < m_width; ++c, p += 3) {
      p[0] = uint8_t(ravelight::ClampToByte(p[0] + red[c % 16]));
      p[1] = uint8_t(ravelight::ClampToByte(p[1] + grn[c % 16]));
      p[2] = uint8_t(ravelight::ClampToByte(p[2] + blu[c % 16]));
    }
  }
  ravelight::DropDisplayCopy(*this);
  m_dispBits = copy;
  m_displayDithered = 1;
}
