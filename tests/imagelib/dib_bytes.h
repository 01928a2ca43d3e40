#pragma once
// Device-independent bitmaps made field by field in tests.
#include <cstdint>
#include <vector>

#include "byte_writer.h"

struct DibSpec {
  int32_t width = 1;
  int32_t height = 1;  // negative for top-down rows
  int bitCount = 24;
  uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t colourCount = 0;  // the header's count of used colours
  uint32_t imageSize = 0;
  std::vector<uint32_t> masks;    // written after the header (bit fields)
  std::vector<uint32_t> palette;  // 0xRRGGBB, written as blue, green, red, 0
  std::vector<uint8_t> bits;
};

// The 40-byte header as a writer, so callers can go on with what follows it.
inline ByteWriter DibHeader(const DibSpec& d) {
  ByteWriter w;
  w.Le32(40).Le32(uint32_t(d.width)).Le32(uint32_t(d.height)).Le16(1).Le16(d.bitCount).Le32(d.compression);
  w.Le32(d.imageSize).Le32(2835).Le32(2835).Le32(d.colourCount).Le32(0);
  return w;
}

// Header, masks, colour table and rows, as the clipboard holds them.
inline std::vector<uint8_t> PackedDib(const DibSpec& d) {
  ByteWriter w = DibHeader(d);
  for (uint32_t m : d.masks) w.Le32(m);
  for (uint32_t c : d.palette) w.U8(c).U8(c >> 8).U8(c >> 16).U8(0);
  return w.Bytes(d.bits).Get();
}

// The same DIB behind a "BM" file header whose offset points at the rows.
inline std::vector<uint8_t> BmpFile(const DibSpec& d) {
  const std::vector<uint8_t> dib = PackedDib(d);
  const uint32_t offset = uint32_t(14 + dib.size() - d.bits.size());
  return ByteWriter().Text("BM").Le32(uint32_t(14 + dib.size())).Le32(0).Le32(offset).Bytes(dib).Get();
}
