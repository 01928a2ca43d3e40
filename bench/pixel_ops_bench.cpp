// Loads one JPEG file into a picture and runs one pixel operation on it, once, so a script can
// time the whole process against peer tools run the same way: pixel_ops_bench FILE OPERATION.
// OPERATION "none" only loads, so the script can take the load off; "sharpen" is Filter3x3 with a
// sharpening kernel; "adjust" is the adjust dialog's chain (to YCbCr, brightness, contrast,
// saturation, back to RGB).
#include <cstdio>
#include <cstring>

#include "Cimage.h"

namespace {

bool LoadFullSize(Cimage& picture, const char* path) {
  picture.LoadImageA(path, 0, 0, 5);
  return picture.m_pixels && !picture.m_loadError;
}

bool Run(Cimage& picture, const char* operation) {
  if (std::strcmp(operation, "none") == 0) return true;
  if (std::strcmp(operation, "sharpen") == 0) {
    int sharpen[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    picture.Filter3x3(sharpen);
    return true;
  }
  if (std::strcmp(operation, "adjust") == 0) {
    picture.RGBtoYCC();
    picture.Brightness(110);
    picture.Contrast(120, 3);
    picture.Saturation(130, 3);
    picture.YCCtoRGB();
    return true;
  }
  return false;
}

// A checksum of one row that decides the exit code, so the work cannot be optimised away.
unsigned MiddleRowSum(const Cimage& picture) {
  const uint8_t* row = picture.m_pixels + size_t(picture.m_height / 2) * picture.m_stride;
  unsigned sum = 0;
  for (int x = 0; x < 3 * picture.m_width; ++x) sum += row[x];
  return sum;
}

}  // namespace

int main(int argc, char** argv) {
  Cimage picture;
  if (argc != 3) {
    std::fprintf(stderr, "usage: pixel_ops_bench FILE none|sharpen|adjust\n");
  } else if (!LoadFullSize(picture, argv[1])) {
    std::fprintf(stderr, "%s did not load\n", argv[1]);
  } else if (!Run(picture, argv[2])) {
    std::fprintf(stderr, "unknown operation %s\n", argv[2]);
  } else {
    return MiddleRowSum(picture) == 1 ? 3 : 0;
  }
  return 2;
}
