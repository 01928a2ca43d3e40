#include "dib_layout.h"

#include <climits>

#include "byte_order.h"
#include "picture_limits.h"

namespace ravelight {

namespace {

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

bool CodingFor(uint32_t compression, int bitCount, DibCoding& coding) {
  switch (compression) {
    case kRgb:
      switch (bitCount) {
        case 1: case 4: case 8: coding = DibCoding::Indexed; return true;
        case 16: case 32: coding = DibCoding::BitFields; return true;
        case 24: coding = DibCoding::Direct24; return true;
        default: return false;
      }
    case kRle8: coding = DibCoding::Rle8; return bitCount == 8;
    case kRle4: coding = DibCoding::Rle4; return bitCount == 4;
    case kBitFields: coding = DibCoding::BitFields; return bitCount == 16 || bitCount == 32;
    default: return false;
  }
}

}  // namespace

bool DescribeDib(const uint8_t header[kDibHeaderSize], DibLayout& layout) {
  if (LittleEndian32(header) != kDibHeaderSize) return false;
  const int32_t width = int32_t(LittleEndian32(header + 4));
  const int32_t height = int32_t(LittleEndian32(header + 8));
  const int bitCount = LittleEndian16(header + 14);
  const uint32_t compression = LittleEndian32(header + 16);
  const uint32_t colourCount = LittleEndian32(header + 32);

  if (height == INT_MIN || !IsSanePictureSize(width, height < 0 ? -int64_t{height} : height)) return false;
  DibLayout l;
  l.width = width;
  l.height = height < 0 ? -height : height;
  l.bottomUp = height > 0;
  l.bitCount = bitCount;
  if (!CodingFor(compression, bitCount, l.coding)) return false;
  if (l.IsRunLength() && !l.bottomUp) return false;  // runs are only defined from the bottom up

  const uint32_t indexable = bitCount <= 8 ? 1u << bitCount : 256;
  if (colourCount > indexable) return false;
  l.colours = colourCount ? colourCount : bitCount <= 8 ? indexable : 0;
  l.maskBytes = compression == kBitFields ? kDibMaskBytes : 0;
  l.rowBytes = (uint64_t(bitCount) * uint64_t(width) + 31) / 32 * 4;
  layout = l;
  return true;
}

}  // namespace ravelight
