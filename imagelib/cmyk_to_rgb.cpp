// CMYK to RGB through a 12-point-per-axis grid, interpolated one axis at a time.
// Inputs are inverted ink amounts as CMYK JPEG and PSD files store them (255 means no ink).
#include <cmath>
#include <cstdint>

#include "Cimage.h"
#include "colour_grid.h"

namespace {

constexpr int kPoints = 12;
constexpr int kLastCell = kPoints - 1;
constexpr int kGridSize = kPoints * kPoints * kPoints * kPoints;

struct CmykGrid {
  uint8_t planes[3 * kGridSize];  // red, green, blue
};

constexpr int GridIndex(int c, int m, int y, int k) {
  return ((k * kPoints + y) * kPoints + m) * kPoints + c;
}

// How much of each primary light a full coat of each process ink lets through. Real inks are
// not ideal filters; the three at full strength leave the dark brown-grey (33, 24, 32) that
// printed "rich black without K" looks like. Black ink passes nothing.
struct InkFilter {
  double red, green, blue;
};
constexpr double kCyanRed = (33.0 / 255) / (0.85 * 0.90);
constexpr double kMagentaGreen = (24.0 / 255) / (0.55 * 0.85);
constexpr double kYellowBlue = (32.0 / 255) / (0.85 * 0.55);
constexpr InkFilter kCyan{kCyanRed, 0.55, 0.85};
constexpr InkFilter kMagenta{0.85, kMagentaGreen, 0.55};
constexpr InkFilter kYellow{0.90, 0.85, kYellowBlue};

// Light passing a coat of the given strength (0 none, 1 full) of an ink with transmittance t.
double Pass(double coat, double t) { return 1.0 - coat * (1.0 - t); }

const CmykGrid& Grid() {
  static const CmykGrid* const grid = [] {
    auto* g = new CmykGrid;
    for (int k = 0; k < kPoints; ++k)
      for (int y = 0; y < kPoints; ++y)
        for (int m = 0; m < kPoints; ++m)
          for (int c = 0; c < kPoints; ++c) {
            const double coatC = 1.0 - double(c) / kLastCell, coatM = 1.0 - double(m) / kLastCell;
            const double coatY = 1.0 - double(y) / kLastCell, coatK = 1.0 - double(k) / kLastCell;
            const double keyPass = 1.0 - coatK;
            const double light[3] = {
                Pass(coatC, kCyan.red) * Pass(coatM, kMagenta.red) * Pass(coatY, kYellow.red),
                Pass(coatC, kCyan.green) * Pass(coatM, kMagenta.green) * Pass(coatY, kYellow.green),
                Pass(coatC, kCyan.blue) * Pass(coatM, kMagenta.blue) * Pass(coatY, kYellow.blue)};
            for (int ch = 0; ch < 3; ++ch)
              g->planes[ch * kGridSize + GridIndex(c, m, y, k)] = uint8_t(std::lround(255.0 * light[ch] * keyPass));
          }
    return g;
  }();
  return *grid;
}

}  // namespace

extern "C" unsigned RGBfromCMYK(unsigned char c, unsigned char m, unsigned char y, unsigned char k) {
  const uint8_t values[4] = {c, m, y, k};
  return ravelight::InterpolateColourGrid(Grid().planes, kPoints, 4, values);
}
