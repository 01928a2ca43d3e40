#pragma once
// The image data of one GIF frame: its minimum code size and LZW data sub-blocks.
#include <cstdio>

#include "gif_decoder.h"

namespace ravelight {

// Decodes the data that follows the frame's descriptor into frame.indices (allocated here) and
// reads past the data's last sub-block. Data that ends early leaves index 0 in the pixels it did
// not reach. False on a minimum code size outside 2..8 or when memory ran out.
bool ReadGifImageData(FILE* stream, CGifFrame& frame);

}  // namespace ravelight
