#pragma once
// Colour conversions through a lookup grid: `points` entries along each of `axes` axes (the first
// axis varying fastest), as three byte planes of points^axes entries one after the other (red,
// green, blue).
#include <cstdint>

namespace ravelight {

constexpr int kMaxGridAxes = 4;

// The COLORREF (red in the low byte) for one input value per axis (0..255). Each value falls in
// cell v × (points − 1) / 255 at fraction (v × (points − 1)) mod 255; starting from the cell's
// corner, the axes are added one at a time (no cross terms), then divided by 255 (truncating) and
// clamped.
unsigned InterpolateColourGrid(const uint8_t* planes, int points, int axes, const uint8_t* values);

}  // namespace ravelight
