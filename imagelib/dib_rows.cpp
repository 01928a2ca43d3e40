// Uncompressed DIB rows: colour-table indices, straight 24-bit colour, and 16- or 32-bit pixels
// whose channels are picked out by masks.
#include <cstring>

#include "byte_order.h"
#include "dib_decoders.h"

namespace ravelight {

namespace {

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

}  // namespace

void ReadDibPalette(const DibLayout& layout, const uint8_t* dib, DibPalette& palette) {
  std::memset(&palette, 0, sizeof palette);
  const uint8_t* entry = dib + kDibHeaderSize + layout.maskBytes;
  const uint32_t used = layout.colours < 256 ? layout.colours : 256;
  for (uint32_t i = 0; i < used; ++i, entry += 4) std::memcpy(palette.bgr[i], entry, 3);
}

DibRowConverter::DibRowConverter(const DibLayout& layout, const uint8_t* dib, const DibPalette& palette)
    : layout_(layout), palette_(palette) {
  const BitFieldMasks masks = MasksOf(layout, dib);
  red_ = FieldOf(masks.red);
  green_ = FieldOf(masks.green);
  blue_ = FieldOf(masks.blue);
}

// One colour channel of a bit-field pixel: the lowest run of set bits in its mask, scaled to
// 8 bits by keeping its top bits (five bits of 31 give 248, as the display would show them).
DibRowConverter::ChannelField DibRowConverter::FieldOf(uint32_t mask) {
  ChannelField field;
  if (!mask) return field;
  while (!(mask >> field.shift & 1)) ++field.shift;
  while (field.shift + field.bits < 32 && (mask >> (field.shift + field.bits) & 1)) ++field.bits;
  return field;
}

uint8_t DibRowConverter::Channel(const ChannelField& field, uint32_t pixel) {
  if (!field.bits) return 0;
  const uint32_t value = uint32_t((uint64_t(pixel) >> field.shift) & ((uint64_t{1} << field.bits) - 1));
  return uint8_t(field.bits >= 8 ? value >> (field.bits - 8) : value << (8 - field.bits));
}

void DibRowConverter::IndexedRow(const uint8_t* in, uint8_t* out) const {
  const int bitCount = layout_.bitCount;
  const int perByte = 8 / bitCount;
  const unsigned valueMask = (1u << bitCount) - 1;
  for (int x = 0; x < layout_.width; ++x, out += 3) {
    const int shift = 8 - bitCount * (x % perByte + 1);
    std::memcpy(out, palette_.bgr[in[x / perByte] >> shift & valueMask], 3);
  }
}

void DibRowConverter::BitFieldRow(const uint8_t* in, uint8_t* out) const {
  const int bytes = layout_.bitCount / 8;
  for (int x = 0; x < layout_.width; ++x, in += bytes, out += 3) {
    const uint32_t pixel = bytes == 2 ? LittleEndian16(in) : LittleEndian32(in);
    out[0] = Channel(blue_, pixel);
    out[1] = Channel(green_, pixel);
    out[2] = Channel(red_, pixel);
  }
}

void DibRowConverter::operator()(const uint8_t* in, uint8_t* out) const {
  switch (layout_.coding) {
    case DibCoding::Indexed: IndexedRow(in, out); break;
    case DibCoding::Direct24: std::memcpy(out, in, 3 * size_t(layout_.width)); break;
    default: BitFieldRow(in, out); break;
  }
}

bool DecodeDibRows(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture) {
  const uint64_t start = layout.BitsOffset();
  if (layout.UncompressedBitsSize() > size - start) return false;
  const DibRowConverter convert(layout, dib, palette);
  for (int y = 0; y < layout.height; ++y) {
    const int stored = layout.bottomUp ? layout.height - 1 - y : y;
    convert(dib + start + uint64_t(stored) * layout.rowBytes, picture.m_pixels + size_t(y) * size_t(picture.m_stride));
  }
  return true;
}

}  // namespace ravelight
