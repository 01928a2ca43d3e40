#pragma once
// The fixed-ratio box filters, applied to any rectangle of pixels.
#include "pixel_view.h"

namespace ravelight {

enum class BlockFilter { Half, TwoThirds, ThreeQuarters, Double, Triple };

// Replaces the picture's pixels by the view filtered; the view may lie in the picture's own
// buffer. Double and Triple multiply m_scaleNum by 2 and 3; the reductions leave the scale to
// their callers. No side that has pixels shrinks to none. False, with the picture as it was,
// when the new buffer cannot be had.
bool ResampleBlocks(Cimage& picture, const PixelView& from, BlockFilter filter);

}  // namespace ravelight
