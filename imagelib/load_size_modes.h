#pragma once
// What the loader does to a decoded picture for each size mode, and its scale bookkeeping.
#include "Cimage.h"

namespace ravelight {

// Rows, columns and pixels: something to show.
inline bool HasPicture(const Cimage& picture) {
  return picture.m_pixels && picture.m_width > 0 && picture.m_height > 0;
}

// Modes only the library passes, for LoadFrameFilled: full size, except that a JPEG decodes at the
// largest DCT reduction that stays at least the fit (or the cover) of the width × height frame.
constexpr int kFitFrameDecode = 6;
constexpr int kCoverFrameDecode = 7;

// Modes: 1 thumbnail fit, 2 window fit in gentle steps, 3 enlarge then fit in steps,
// 4 exact fit, anything else full size. width × height is the box.
void ApplySizeMode(Cimage& picture, int width, int height, int mode);

// Small fractions are shown to the user: 2/4 reads better as 1/2.
void ReduceScaleFraction(Cimage& picture);

}  // namespace ravelight
