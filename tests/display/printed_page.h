#pragma once
// A printed page as Ghostscript renders it for the printing tests.
#include <cstdint>
#include <string>
#include <vector>

#include "palette_test_pictures.h"

struct Page {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const {
    const uint8_t* p = &rgb[3 * (size_t(y) * width + x)];
    return {p[0], p[1], p[2]};
  }
};

// A binary PPM as Ghostscript writes it: "P6", a comment, width, height, 255, then the rows.
bool ReadPpm(const std::string& path, Page& page);
