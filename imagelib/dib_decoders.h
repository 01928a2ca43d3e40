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

// The colour table that follows the header (and masks) of a packed DIB.
void ReadDibPalette(const DibLayout& layout, const uint8_t* dib, DibPalette& palette);

// One uncompressed row of a DIB into blue, green, red: the channels of bit-field pixels picked out
// by the masks after the header of the packed DIB (or the fixed layouts when it has none).
class DibRowConverter {
 public:
  DibRowConverter(const DibLayout& layout, const uint8_t* dib, const DibPalette& palette);
  void operator()(const uint8_t* in, uint8_t* out) const;

 private:
  struct ChannelField {
    int shift = 0;
    int bits = 0;
  };
  static ChannelField FieldOf(uint32_t mask);
  static uint8_t Channel(const ChannelField& field, uint32_t pixel);
  void BitFieldRow(const uint8_t* in, uint8_t* out) const;
  void IndexedRow(const uint8_t* in, uint8_t* out) const;

  const DibLayout& layout_;
  const DibPalette& palette_;
  ChannelField red_, green_, blue_;
};

// Uncompressed rows; false when the block is too short to hold them all.
bool DecodeDibRows(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture);

// RLE8 and RLE4; false when the data ends before the picture does.
bool DecodeDibRuns(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture);

}  // namespace ravelight
