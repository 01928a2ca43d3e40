// Uncompressed DIB rows: colour-table indices, straight 24-bit colour, and 16- or 32-bit pixels
// whose channels are picked out by masks.
#include <cstring>

#include "byte_order.h"
#include "dib_decoders.h"

namespace ravelight {

namespace {

// One colour channel of a bit-field pixel: the lowest run of set bits in its mask, scaled to
// 8 bits by keeping its top bits (five bits of 31 give 248, as the display would show them).
class ChannelField {
 public:
  explicit ChannelField(uint32_t mask) {
    if (!mask) return;
    while (!(mask >> shift_ & 1)) ++shift_;
    while (shift_ + bits_ < 32 && (mask >> (shift_ + bits_) & 1)) ++bits_;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (!bits_) return 0;
    const uint32_t value = uint32_t((uint64_t(pixel) >> shift_) & ((uint64_t{1} << bits_) - 1));
    return uint8_t(bits_ >= 8 ? value >> (bits_ - 8) : value << (8 - bits_));
  }

 private:
  int shift_ = 0;
  int bits_ = 0;
};

struct BitFieldMasks {
  uint32_t red, green, blue;
};

// Masks given after the header, or the fixed layouts of uncompressed 16-bit (5-5-5) and 32-bit
// pixels.
BitFieldMasks MasksOf(const DibLayout& layout, const uint8_t* dib) {
  if (layout.maskBytes) {
    const uint8_t* m = dib + kDibHeaderSize;
    return {LittleEndian32(m), LittleEndian32(m + 4), LittleEndian32(m + 8)};
  }
  if (layout.bitCount == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

void IndexedRow(const uint8_t* in, int width, int bitCount, const DibPalette& palette, uint8_t* out) {
  const int perByte = 8 / bitCount;
  const unsigned valueMask = (1u << bitCount) - 1;
  for (int x = 0; x < width; ++x, out += 3) {
    const int shift = 8 - bitCount * (x % perByte + 1);
    std::memcpy(out, palette.bgr[in[x / perByte] >> shift & valueMask], 3);
  }
}

void BitFieldRow(const uint8_t* in, int width, int bitCount, const ChannelField channel[3], uint8_t* out) {
  const int bytes = bitCount / 8;
  for (int x = 0; x < width; ++x, in += bytes, out += 3) {
    const uint32_t pixel = bytes == 2 ? LittleEndian16(in) : LittleEndian32(in);
    out[0] = channel[2](pixel);
    out[1] = channel[1](pixel);
    out[2] = channel[0](pixel);
  }
}

}  // namespace

bool DecodeDibRows(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture) {
  const uint64_t start = layout.BitsOffset();
  if (layout.UncompressedBitsSize() > size - start) return false;
  const BitFieldMasks masks = MasksOf(layout, dib);
  const ChannelField channel[3] = {ChannelField(masks.red), ChannelField(masks.green), ChannelField(masks.blue)};
  for (int y = 0; y < layout.height; ++y) {
    const int stored = layout.bottomUp ? layout.height - 1 - y : y;
    const uint8_t* in = dib + start + uint64_t(stored) * layout.rowBytes;
    uint8_t* out = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
    switch (layout.coding) {
      case DibCoding::Indexed: IndexedRow(in, layout.width, layout.bitCount, palette, out); break;
      case DibCoding::Direct24: std::memcpy(out, in, 3 * size_t(layout.width)); break;
      default: BitFieldRow(in, layout.width, layout.bitCount, channel, out); break;
    }
  }
  return true;
}

}  // namespace ravelight
