#include "picture_size_rules.h"

#include <algorithm>
#include <cmath>

#include "picture_limits.h"

namespace {

using ravelight::kMaxPicturePixels;
using ravelight::kMaxPictureSide;

int64_t WithinSide(int64_t side) { return std::clamp<int64_t>(side, 1, kMaxPictureSide); }

}  // namespace

int ProportionalSide(int typed, int startTyped, int startOther) {
  if (startTyped <= 0) return int(WithinSide(startOther));
  return int(WithinSide(int64_t{startOther} * typed / startTyped));
}

PictureSize WithinPictureLimits(int64_t width, int64_t height) {
  int64_t w = WithinSide(width), h = WithinSide(height);
  if (w * h > kMaxPicturePixels) {
    const double factor = std::sqrt(double(kMaxPicturePixels) / double(w * h));
    w = std::max<int64_t>(1, int64_t(double(w) * factor));
    h = std::max<int64_t>(1, int64_t(double(h) * factor));
    // Rounding may leave a row or column too many.
    while (w * h > kMaxPicturePixels) (w >= h ? w : h) -= 1;
  }
  return {int(w), int(h)};
}

std::string PixelCapMessage(const PictureSize& size) {
  return "A picture may have at most " + std::to_string(kMaxPicturePixels) + " pixels: the size was reduced to " +
         std::to_string(size.width) + " x " + std::to_string(size.height) + ".";
}
