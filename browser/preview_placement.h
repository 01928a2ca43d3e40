#pragma once
// Where the preview window goes before each request: a window left off screen (by a display
// that is no longer there, or settings from another machine) is brought back whole.
#include "geometry.h"

constexpr int kPreviewMinimumSide = 100;

// The window at least 100 × 100 and no larger than the work area, moved (keeping its size) so
// that it lies wholly on the work area.
CRect PlacePreviewOnArea(const CRect& window, const CRect& workArea);
