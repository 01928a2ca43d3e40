// Rotation by any angle for straightening photographs: the result is the largest picture of the
// same aspect whose turned outline fits inside the source, so no corner is left empty.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Cimage.h"
#include "picture_buffer.h"
#include "picture_limits.h"

namespace {

constexpr int kFractionBits = 10;
constexpr int64_t kOne = 1 << kFractionBits;
constexpr uint8_t kOutsideGrey = 127;

struct Size {
  int width;
  int height;
};

// Shrinks the source size in steps of a thousandth until the turned outline fits.
Size InscribedSize(int width, int height, double c, double s) {
  const double ac = std::fabs(c);
  const double as = std::fabs(s);
  for (double f = 1.0; f > 0; f -= 0.001) {
    const double ow = f * width;
    const double oh = f * height;
    if (ac * ow + as * oh <= width && ac * oh + as * ow <= height) return {int(ow), int(oh)};
  }
  return {0, 0};
}

// Bilinear value of one channel at a fixed-point position whose whole part has a right and a
// lower neighbour.
uint8_t Bilinear(const uint8_t* p00, size_t stride, int64_t fx, int64_t fy) {
  const int64_t top = (p00[0] * (kOne - fx) + p00[3] * fx) >> kFractionBits;
  const int64_t bottom = (p00[stride] * (kOne - fx) + p00[stride + 3] * fx) >> kFractionBits;
  return uint8_t(std::min<int64_t>(255, ((kOne - fy) * top + fy * bottom) >> kFractionBits));
}

}  // namespace

void Cimage::Rotate_Arbitrary(double angle) {
  if (!ravelight::IsUsable(*this) || !std::isfinite(angle)) return;
  NoAnimation();
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const Size out = InscribedSize(m_width, m_height, c, s);
  if (!ravelight::IsSanePictureSize(out.width, out.height)) return;
  const int64_t outStride = ravelight::RowStride(out.width);
  auto* turned = static_cast<uint8_t*>(std::malloc(size_t(outStride * out.height)));
  if (!turned) return;

  const int64_t stepX = int64_t(c * kOne), stepY = int64_t(-s * kOne);
  const int64_t rowStepX = int64_t(s * kOne), rowStepY = int64_t(c * kOne);
  int64_t rowX = angle >= 0 ? 0 : int64_t(std::fabs(s) * out.height) * kOne;
  int64_t rowY = angle >= 0 ? int64_t(out.width * std::fabs(s)) * kOne : 0;
  const size_t stride = size_t(m_stride);
  for (int y = 0; y < out.height; ++y, rowX += rowStepX, rowY += rowStepY) {
    uint8_t* to = turned + size_t(y) * size_t(outStride);
    int64_t X = rowX, Y = rowY;
    for (int x = 0; x < out.width; ++x, X += stepX, Y += stepY, to += 3) {
      const int64_t sx = X >> kFractionBits, sy = Y >> kFractionBits;
      if (sx < 1 || sy < 1 || sx >= m_width - 1 || sy >= m_height - 1) {
        to[0] = to[1] = to[2] = kOutsideGrey;
        continue;
      }
      const uint8_t* p00 = m_pixels + size_t(sy) * stride + size_t(sx) * 3;
      const int64_t fx = X & (kOne - 1), fy = Y & (kOne - 1);
      for (int k = 0; k < 3; ++k) to[k] = Bilinear(p00 + k, stride, fx, fy);
    }
    std::fill(to, turned + size_t(y + 1) * size_t(outStride), uint8_t{0});
  }

  std::free(m_pixels);
  m_pixels = turned;
  m_width = m_origWidth = out.width;
  m_height = m_origHeight = out.height;
  m_stride = int(outStride);
  MakeBMIstruct();
}
