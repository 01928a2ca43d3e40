#pragma once
// The 1/2 box filter: the most used reduction, on its own fast path.
#include <cstdint>

#include "pixel_view.h"

namespace ravelight {

// A halved side; one pixel stays one pixel.
inline int HalfSide(int n) { return n > 1 ? n / 2 : 1; }

// One row of the halved picture from two rows of width pixels: each pixel the truncated mean of
// a 2 × 2 block (a last odd column is dropped; a row of one pixel pairs it with itself).
void HalveRows(const uint8_t* upper, const uint8_t* lower, int width, uint8_t* out);

// Replaces the picture's pixels by the view halved; the view may lie in the picture's own buffer.
// False, with the picture as it was, when the new buffer cannot be had.
bool Halve(Cimage& picture, const PixelView& from);

}  // namespace ravelight
