#pragma once
// Reference pictures stored as PNG, read straight through libpng.
#include <cstdint>
#include <string>
#include <vector>

struct RgbaPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // red, green, blue, alpha; top row first

  const uint8_t* At(int x, int y) const { return rgba.data() + (size_t(y) * width + x) * 4; }
};

// False when the file can't be read as a PNG.
bool ReadPngRgba(const std::string& path, RgbaPicture& picture);
