#pragma once
// The fit at any ratio: halvings, then bilinear interpolation, in one pass over the picture.
#include "Cimage.h"

namespace ravelight {

// Replaces the picture's pixels by the picture halved `halvings` times (as the 1/2 filter would,
// step after step) and then resampled bilinearly to width × height: along the rows first, then
// down the columns, each pass truncating. The halved pictures are never held whole: their rows are
// made as the bilinear pass needs them. False, with the picture as it was, when memory ran out.
bool HalveAndFit(Cimage& picture, int halvings, int width, int height);

}  // namespace ravelight
