// Bevelled edges: rings of luminance that are lighter along the top and left and darker along the
// bottom and right, faded towards the inside over the softness.
#include <algorithm>
#include <cmath>

#include "Cimage.h"
#include "picture_buffer.h"
#include "pixel_walk.h"

namespace {

struct BevelParams {
  int width;     // rings, in pixels
  int softness;  // pixels over which a ring fades in
  int strength;
};

// Any factor past this saturates every non-zero Y anyway. Absurd strengths overflow the power to
// infinity, and 0 × infinity in a faded corner would make the weights meaningless.
constexpr double kMaxGain = 256.0;

// The factors are single-precision constants, each a little above its decimal value; the
// arithmetic on them is double, so a shade that should land on a whole value does so whatever
// the floating-point unit (x87 or SSE) and truncates to the same byte on every build.
double StyleLight(int style) {
  static const float kBase[] = {1.2f, 0.8f, 0.6f};
  return kBase[style];
}

double Gain(double base, int strength) {
  // 0.04 × strength, written as a division so that a strength of 25 is exactly one.
  return std::min(std::pow(base, strength / 25.0), kMaxGain);
}

class Beveller {
 public:
  Beveller(Cimage& picture, int style, const BevelParams& p)
      : picture_(picture),
        mitred_(style == 0),
        fade_(p.softness / 5.0),  // 0.2 × softness
        top_(Gain(StyleLight(style), p.strength)),
        left_(double(1.1f) * top_),
        right_(Gain(double(0.6f), p.strength)),
        bottom_(double(1.1f) * right_) {}

  // Ring i of rings rings, all four sides, each pixel once.
  void Ring(int i, int rings) const {
    const int t = rings - i;
    const int w = picture_.m_width, h = picture_.m_height;
    for (int j = i; j <= w - i - 1; ++j) Shade(i, j, Distance(t, w - j - i), top_);
    for (int j = i + 1; j <= h - i - 2; ++j) Shade(j, i, Distance(t, h - j - i), left_);
    for (int j = i; j <= w - i - 1; ++j) Shade(h - i - 1, j, Distance(t, j - i), bottom_);
    for (int j = i + 1; j <= h - i - 2; ++j) Shade(j, w - i - 1, Distance(t, j - i), right_);
  }

 private:
  // Plain bevels fade by ring only; mitred ones also towards the corners they share with the
  // other shade, so the two meet on the diagonal.
  int Distance(int t, int fromCorner) const { return mitred_ ? std::min(t, fromCorner) : t; }

  void Shade(int row, int column, int d, double gain) const {
    const double weight = fade_ <= d ? 1.0 : d / fade_;
    const double factor = gain * weight + (1.0 - weight);
    uint8_t* y = ravelight::PixelRow(picture_, row) + 3 * column;
    const double v = *y * factor;
    *y = v >= 255.0 ? 255 : v > 0.0 ? uint8_t(v) : 0;
  }

  Cimage& picture_;
  bool mitred_;
  double fade_;
  double top_, left_, right_, bottom_;
};

}  // namespace

// params points at three ints: border width, softness, strength. Only kind 1, styles 0 to 2 act.
void Cimage::Effect(int kind, int style, void* params) {
  if (!ravelight::IsUsable(*this) || !params || kind != 1 || style < 0 || style > 2) return;
  const int* values = static_cast<const int*>(params);
  const BevelParams p{values[0], values[1], values[2]};
  // Rings past the middle would run into each other and then out of the picture.
  const int rings = std::min(p.width, std::min(m_width, m_height) / 2);
  if (rings <= 0) return;
  RGBtoYCC();
  const Beveller bevel(*this, style, p);
  for (int i = 0; i < rings; ++i) bevel.Ring(i, rings);
  YCCtoRGB();
  MakeBMIstruct();
}
