#include "gif_test_support.h"

#include <cstdio>

#include "cimage_test_access.h"
#include "test_files.h"

GifPicture::GifPicture() {
  m_bgR = uint8_t(kBackground >> 16);
  m_bgG = uint8_t(kBackground >> 8);
  m_bgB = uint8_t(kBackground);
}

bool LoadGifFile(Cimage& picture, const std::string& path) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_components = 3;
  FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) return false;
  CimageTestAccess::LoadGIF(picture, stream);
  std::fclose(stream);
  return true;
}

void LoadGifBytes(Cimage& picture, const std::vector<uint8_t>& file) {
  const std::string path = TempPath("load.gif");
  WriteBytes(path, file);
  LoadGifFile(picture, path);
}

uint32_t ColourAt(const Cimage& picture, int x, int y) {
  const uint8_t* bgr = picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
  return uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0];
}

std::vector<uint32_t> Canvas(const Cimage& picture) {
  std::vector<uint32_t> pixels;
  if (!picture.m_pixels) return pixels;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) pixels.push_back(ColourAt(picture, x, y));
  return pixels;
}

std::vector<uint32_t> Pixels(const std::string& letters) {
  const std::string names = "KWRGUB";
  const uint32_t colours[] = {kBlack, kWhite, kRed, kGreen, kBlue, kBackground};
  std::vector<uint32_t> pixels;
  for (char letter : letters) {
    const size_t at = names.find(letter);
    if (at != std::string::npos) pixels.push_back(colours[at]);  // anything else, such as spaces, groups rows
  }
  return pixels;
}
