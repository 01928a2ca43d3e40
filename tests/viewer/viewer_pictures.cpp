#include "viewer_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr char kFlower[] = "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";

const uint8_t* Pixel(const Cimage& picture, int x, int y) {
  return picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
}

}  // namespace

std::string FlowerPhotoPath() {
#ifdef _WIN32
  const std::string path = std::string("Z:") + kFlower;
#else
  const std::string path = kFlower;
#endif
  std::error_code error;
  return std::filesystem::exists(path, error) ? path : std::string();
}

bool SamePixels(const Cimage& a, const Cimage& b) {
  if (a.m_width != b.m_width || a.m_height != b.m_height || !a.m_pixels || !b.m_pixels) return false;
  for (int y = 0; y < a.m_height; ++y)
    if (std::memcmp(Pixel(a, 0, y), Pixel(b, 0, y), 3 * size_t(a.m_width)) != 0) return false;
  return true;
}

int LargestDifference(const Cimage& picture, const Cimage& larger, int x, int y) {
  if (!picture.m_pixels || !larger.m_pixels || x < 0 || y < 0 || x + picture.m_width > larger.m_width ||
      y + picture.m_height > larger.m_height)
    return 256;
  int largest = 0;
  for (int row = 0; row < picture.m_height; ++row) {
    const uint8_t* mine = Pixel(picture, 0, row);
    const uint8_t* theirs = Pixel(larger, x, y + row);
    for (int i = 0; i < 3 * picture.m_width; ++i) largest = std::max(largest, std::abs(mine[i] - theirs[i]));
  }
  return largest;
}
