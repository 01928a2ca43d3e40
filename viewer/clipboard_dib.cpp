#include "clipboard_dib.h"

#include <cstring>

namespace {

constexpr size_t kHeaderSize = 40;
constexpr size_t kSpareBytes = 4;
constexpr uint32_t kPixelsPerMetre = 1000;

void Put16(uint8_t* at, uint16_t value) {
  at[0] = uint8_t(value);
  at[1] = uint8_t(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> PackedDibOf(const Cimage& picture) {
  if (!picture.m_valid || !picture.m_pixels || picture.m_width <= 0 || picture.m_height <= 0) return {};
  const size_t width = size_t(picture.m_width), height = size_t(picture.m_height);
  const size_t rowBytes = 3 * width;
  const size_t stride = (rowBytes + 3) & ~size_t{3};
  const size_t imageSize = height * stride;
  std::vector<uint8_t> dib(kHeaderSize + imageSize + kSpareBytes, 0);

  uint8_t* header = dib.data();
  Put32(header, kHeaderSize);
  Put32(header + 4, uint32_t(width));
  Put32(header + 8, uint32_t(height));
  Put16(header + 12, 1);
  Put16(header + 14, 24);
  Put32(header + 16, 0);
  Put32(header + 20, uint32_t(imageSize));
  Put32(header + 24, kPixelsPerMetre);
  Put32(header + 28, kPixelsPerMetre);

  // The picture keeps its top row first; a bitmap starts at the bottom.
  uint8_t* rows = header + kHeaderSize;
  for (size_t y = 0; y < height; ++y)
    std::memcpy(rows + (height - 1 - y) * stride, picture.m_pixels + y * size_t(picture.m_stride), rowBytes);
  return dib;
}
