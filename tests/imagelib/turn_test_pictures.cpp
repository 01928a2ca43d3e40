#include "turn_test_pictures.h"

#include <cstdlib>
#include <cstring>

namespace {

void MakePicture(Cimage& picture, int width, int height) {
  picture.DeleteImage();
  picture.m_width = picture.m_origWidth = width;
  picture.m_height = picture.m_origHeight = height;
  picture.m_stride = (3 * width + 3) & ~3;
  picture.m_components = 3;
  picture.m_valid = 1;
  picture.m_pixels = static_cast<uint8_t*>(std::calloc(size_t(picture.m_stride) * size_t(height), 1));
}

}  // namespace

void MakeLabelledPicture(Cimage& picture, int width, int height) {
  MakePicture(picture, width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = picture.m_pixels + size_t(y) * size_t(picture.m_stride) + size_t(x) * 3;
      const int label = y * width + x + 1;
      p[0] = uint8_t(label);
      p[1] = uint8_t(label + 1);
      p[2] = uint8_t(label + 2);
    }
}

void MakePlainPicture(Cimage& picture, int width, int height, uint8_t value) {
  MakePicture(picture, width, height);
  for (int y = 0; y < height; ++y) std::memset(picture.m_pixels + size_t(y) * size_t(picture.m_stride), value, size_t(width) * 3);
}

int LabelAt(const Cimage& picture, int x, int y) {
  return picture.m_pixels[size_t(y) * size_t(picture.m_stride) + size_t(x) * 3];
}

std::vector<uint8_t> BufferOf(const Cimage& picture) {
  return std::vector<uint8_t>(picture.m_pixels, picture.m_pixels + size_t(picture.m_stride) * size_t(picture.m_height));
}
