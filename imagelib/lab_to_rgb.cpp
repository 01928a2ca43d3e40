// CIE L*a*b* to RGB through a 16-point-per-axis grid, interpolated one axis at a time. Inputs are
// 8-bit Lab as Lab PSD files store it: L* = L × 100 / 255, a* = a − 128, b* = b − 128, relative
// to the D50 white of print work.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Cimage.h"
#include "colour_grid.h"

namespace {

constexpr int kPoints = 16;
constexpr int kPlaneSize = kPoints * kPoints * kPoints;

struct LabGrid {
  uint8_t planes[3 * kPlaneSize];  // red, green, blue; L varies fastest, then a, then b
};

constexpr int GridIndex(int L, int a, int b) { return (b * kPoints + a) * kPoints + L; }

// Points where the grid keeps the colours pictures were always shown with, rather than what the
// colorimetric conversion gives there.
struct FixedPoint {
  int L, a, b;
  uint8_t red, green, blue;
};
constexpr FixedPoint kFixedPoints[] = {
    {0, 8, 8, 10, 0, 3},      {8, 8, 8, 119, 96, 89},     {15, 8, 8, 255, 235, 229},
    {15, 0, 8, 0, 255, 199},  {15, 8, 0, 140, 171, 255},  {15, 8, 15, 255, 190, 0},
};

// Inverse of the L*a*b* companding function.
double LabInverse(double t) {
  constexpr double kDelta = 6.0 / 29;
  return t > kDelta ? t * t * t : 3 * kDelta * kDelta * (t - 4.0 / 29);
}

// Linear light to the 8-bit sRGB curve, out-of-gamut values clipped.
uint8_t Encode(double linear) {
  linear = std::clamp(linear, 0.0, 1.0);
  const double v = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return uint8_t(std::lround(255 * v));
}

void Convert(double L, double a, double b, uint8_t rgb[3]) {
  const double fy = (L + 16) / 116;
  const double x = 0.9642 * LabInverse(fy + a / 500);  // D50 white
  const double y = LabInverse(fy);
  const double z = 0.8249 * LabInverse(fy - b / 200);
  // XYZ (D50) to linear sRGB, with the Bradford adaptation to sRGB's D65 white folded in.
  rgb[0] = Encode(3.1338561 * x - 1.6168667 * y - 0.4906146 * z);
  rgb[1] = Encode(-0.9787684 * x + 1.9161415 * y + 0.0334540 * z);
  rgb[2] = Encode(0.0719453 * x - 0.2289914 * y + 1.4052427 * z);
}

const LabGrid& Grid() {
  static const LabGrid* const grid = [] {
    auto* g = new LabGrid;
    for (int b = 0; b < kPoints; ++b)
      for (int a = 0; a < kPoints; ++a)
        for (int L = 0; L < kPoints; ++L) {
          // The stored values that land exactly on this grid point.
          const int step = 255 / (kPoints - 1);
          uint8_t rgb[3];
          Convert(L * step * 100.0 / 255, a * step - 128.0, b * step - 128.0, rgb);
          for (int ch = 0; ch < 3; ++ch) g->planes[ch * kPlaneSize + GridIndex(L, a, b)] = rgb[ch];
        }
    for (const FixedPoint& p : kFixedPoints) {
      const int i = GridIndex(p.L, p.a, p.b);
      g->planes[i] = p.red;
      g->planes[kPlaneSize + i] = p.green;
      g->planes[2 * kPlaneSize + i] = p.blue;
    }
    return g;
  }();
  return *grid;
}

}  // namespace

unsigned RGBfromLAB(unsigned char L, unsigned char a, unsigned char b) {
  const uint8_t values[3] = {L, a, b};
  return ravelight::InterpolateColourGrid(Grid().planes, kPoints, 3, values);
}
