#include "pixel_test_pictures.h"

#include <cstddef>

namespace {

constexpr uint8_t kPaddingMark = 0xA5;

}  // namespace

Rgb Grey(int value) { return {uint8_t(value), uint8_t(value), uint8_t(value)}; }

Rgb RgbOf(int red, int green, int blue) { return {uint8_t(red), uint8_t(green), uint8_t(blue)}; }

std::string Describe(const Rgb& c) {
  return "(r " + std::to_string(c.red) + ", g " + std::to_string(c.green) + ", b " + std::to_string(c.blue) + ")";
}

void MakeMarkedPicture(Cimage& picture, int width, int height, const std::function<Rgb(int x, int y)>& colour) {
  MakePicture(picture, MakeBgrImage(width, height, colour));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int i = 3 * width; i < picture.m_stride; ++i) row[i] = kPaddingMark;
  }
}

void MakeMarkedPicture(Cimage& picture, int width, int height, Rgb fill) {
  MakeMarkedPicture(picture, width, height, [fill](int, int) { return fill; });
}

void MakeGreyPicture(Cimage& picture, const std::vector<std::vector<int>>& rows) {
  MakeMarkedPicture(picture, int(rows[0].size()), int(rows.size()), [&](int x, int y) { return Grey(rows[y][x]); });
}

bool PaddingIntact(const Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y) {
    const uint8_t* row = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int i = 3 * picture.m_width; i < picture.m_stride; ++i)
      if (row[i] != kPaddingMark) return false;
  }
  return true;
}

void SetPixel(Cimage& picture, int x, int y, Rgb colour) {
  uint8_t* p = picture.m_pixels + size_t(y) * picture.m_stride + 3 * size_t(x);
  p[0] = colour.blue;
  p[1] = colour.green;
  p[2] = colour.red;
}

std::vector<std::vector<int>> FirstChannel(const Cimage& picture) {
  std::vector<std::vector<int>> rows(size_t(picture.m_height), std::vector<int>(size_t(picture.m_width)));
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) rows[y][x] = PixelAt(picture, x, y).blue;
  return rows;
}

std::vector<uint8_t> BufferBytes(const Cimage& picture) {
  if (!picture.m_pixels) return {};
  return std::vector<uint8_t>(picture.m_pixels, picture.m_pixels + size_t(picture.m_stride) * picture.m_height);
}

void GiveDisplayCopy(Cimage& picture) {
  uint8_t* block = picture.EXIFNewBuffer(16);
  picture.m_exif = nullptr;
  picture.m_exifSize = 0;
  picture.m_dispBits = block;
}
