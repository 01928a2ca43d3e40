#pragma once
// Headers that describe rows to GDI as a top-down device-independent bitmap.
#include "win_types.h"

namespace ravelight {

// width × height, the top row first, uncompressed, 1000 pixels per metre, no colour count.
void DescribeTopDown(BITMAPINFOHEADER& header, int width, int height, int bitCount);

}  // namespace ravelight
