#pragma once
// The ordered dither that hides banding on 15/16-bit displays: a 16 × 16 matrix of offsets per
// channel, added to a display copy of the pixels (never to the pixels themselves).
#include "ravelight_api.h"

namespace ravelight {

// The base matrix, 0..255, at row-major index n (0..255).
RAVELIGHT_API int BaseDitherValue(int n);

// The offset at index n: small (-4..3) on 15/16-bit displays, where only the low bits are lost;
// larger (-21..20) on other displays.
RAVELIGHT_API int DitherOffset(int n, bool highColour);

// Fills the library's three offset tables; green and blue take the matrix shifted by 171 and 85
// places so that the three channels do not move together.
RAVELIGHT_API void FillDitherOffsets(bool highColour);

}  // namespace ravelight
