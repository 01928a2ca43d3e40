#pragma once
// The image data of one GIF frame: its minimum code size and LZW data sub-blocks, and the order
// in which its rows are sent.
#include <cstdio>

#include "gif_decoder.h"

namespace ravelight {

// Decodes the data that follows the frame's descriptor into frame.indices and frame.decoded,
// and reads past the data's last sub-block. The buffer grows with the data, so a few bytes that
// claim a huge frame cost little. False on a minimum code size outside 2..8 or when memory ran
// out.
bool ReadGifImageData(FILE* stream, CGifFrame& frame);

// The frame row that the file sends as its sent-th row: the same row, or for an interlaced frame
// rows 0, 8, 16, … first, then 4, 12, …, then 2, 6, …, then 1, 3, 5, ….
int GifFrameRowSent(const CGifFrame& frame, int sent);

}  // namespace ravelight
