#pragma once
// What a device-independent bitmap's 40-byte header says about the bytes that follow it, checked
// before anything is allocated or read: the header comes from a file or the clipboard and may lie.
#include <cstddef>
#include <cstdint>

namespace ravelight {

constexpr size_t kDibHeaderSize = 40;
constexpr size_t kDibMaskBytes = 12;  // red, green and blue masks of a bit-field DIB

enum class DibCoding {
  Indexed,    // 1, 4 or 8 bits of colour-table index
  Direct24,   // blue, green, red bytes
  BitFields,  // 16 or 32 bits, channels picked out by masks (defaults when none are given)
  Rle8,
  Rle4,
};

struct DibLayout {
  int width = 0;
  int height = 0;  // always positive; bottomUp says the order of the rows
  bool bottomUp = true;
  int bitCount = 0;
  DibCoding coding = DibCoding::Indexed;
  uint32_t maskBytes = 0;
  uint32_t colours = 0;  // colour-table entries after the header (and masks)
  uint64_t rowBytes = 0;  // one uncompressed row, padded to a multiple of 4

  bool IsRunLength() const { return coding == DibCoding::Rle8 || coding == DibCoding::Rle4; }
  // Where the rows start in a packed DIB: after the header, the masks and the colour table.
  uint64_t BitsOffset() const { return kDibHeaderSize + maskBytes + 4 * uint64_t(colours); }
  uint64_t UncompressedBitsSize() const { return rowBytes * uint64_t(height); }
};

// False for anything but a sane picture in one of the kinds we decode: a 40-byte header, a width
// and height within the picture caps (a height of INT_MIN has no positive counterpart), 1, 4, 8,
// 16, 24 or 32 bits uncompressed, 16 or 32 bits with bit fields, 8-bit RLE8 and 4-bit RLE4 stored
// bottom-up, and no more colour-table entries than the bit count can index (256 beside direct
// colour).
bool DescribeDib(const uint8_t header[kDibHeaderSize], DibLayout& layout);

}  // namespace ravelight
