#pragma once
// One pixel's conversion between blue, green, red and Y, Cb, Cr through the JFIF tables, shared by
// the whole-picture conversions and the filters that convert row by row.
#include <array>
#include <cstdint>

#include "Cimage.h"

namespace ravelight {

// The forward tables keep every result within 0..255 (Y from 32768 >> 16 to
// (65536 × 255 + 32768) >> 16, the chroma sums from 65535 to 16777215), so no clamp is needed.
inline void ToYcc(const uint8_t* bgr, uint8_t& y, uint8_t& cb, uint8_t& cr) {
  const int b = bgr[0], g = bgr[1], r = bgr[2];
  y = uint8_t((Cimage::ry_tab[r] + Cimage::gy_tab[g] + Cimage::by_tab[b]) >> 16);
  cb = uint8_t((Cimage::rcb_tab[r] + Cimage::gcb_tab[g] + Cimage::bcb_tab[b]) >> 16);
  cr = uint8_t((Cimage::bcb_tab[r] + Cimage::gcr_tab[g] + Cimage::bcr_tab[b]) >> 16);
}

// The inverse's sums run from -227 to 480. Photographs have many values past either end, where a
// clamp by comparison mispredicts; a look-up over -256..511 has no branch at all.
constexpr int kRangeOffset = 256;
constexpr std::array<uint8_t, 768> MakeRangeLimit() {
  std::array<uint8_t, 768> table{};
  for (int i = 0; i < 768; ++i) table[i] = uint8_t(i < kRangeOffset ? 0 : i > kRangeOffset + 255 ? 255 : i - kRangeOffset);
  return table;
}
inline constexpr std::array<uint8_t, 768> kRangeLimit = MakeRangeLimit();

inline void ToBgr(uint8_t y, uint8_t cb, uint8_t cr, uint8_t* bgr) {
  const uint8_t* limit = kRangeLimit.data() + kRangeOffset + y;
  bgr[0] = limit[Cimage::Cb_b_tab[cb]];
  bgr[1] = limit[(Cimage::Cb_g_tab[cb] + Cimage::Cr_g_tab[cr]) >> 16];
  bgr[2] = limit[Cimage::Cr_r_tab[cr]];
}

}  // namespace ravelight
