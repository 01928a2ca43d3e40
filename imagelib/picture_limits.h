#pragma once
// Sizes read from files are untrusted: these bounds decide what counts as a picture at all.
#include <cstdint>

namespace ravelight {

constexpr int kMaxPictureSide = 30000;
constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;

// Bytes per row of a 24-bit buffer: three per pixel, padded to a multiple of four.
constexpr int64_t RowStride(int64_t width) { return (3 * width + 3) & ~int64_t{3}; }

// A picture fitted into a box as it is read is never held whole: its sides alone are bounded.
constexpr bool IsSaneStreamedSize(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

constexpr bool IsSanePictureSize(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace ravelight
