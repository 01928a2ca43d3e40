#pragma once
// The two ways a DIB's rows are stored, each decoded into a picture whose pixel buffer already has
// the DIB's size. The bits start at layout.BitsOffset() of the packed DIB of size bytes, which
// the caller has checked lies within it.
#include <cstddef>
#include <cstdint>

#include "Cimage.h"
#include "dib_layout.h"

namespace ravelight {

// Blue, green, red of every index a DIB can hold; entries its colour table lacks are black.
struct DibPalette {
  uint8_t bgr[256][3];
};

// Uncompressed rows; false when the block is too short to hold them all.
bool DecodeDibRows(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture);

// RLE8 and RLE4; false when the data ends before the picture does.
bool DecodeDibRuns(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture);

}  // namespace ravelight
