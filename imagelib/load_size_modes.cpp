#include "load_size_modes.h"

namespace ravelight {
namespace {

// ReSample's modes for the fixed-ratio filters and the fit.
enum ResampleMode { kFit = 2, kTwoThirds = 3, kThreeQuarters = 4, kHalf = 5, kDouble = 6 };

// Reduces to 3/4, 2/3 or 1/2 until the picture fits the box, taking the gentlest step that
// fits. Stops if a step leaves the picture as it was (a side cannot shrink below one pixel).
void ShrinkInSteps(Cimage& p, int width, int height) {
  while (HasPicture(p) && (p.m_height > height || p.m_width > width)) {
    const int before[2] = {p.m_width, p.m_height};
    if (3 * int64_t{p.m_height} / 4 <= height && 3 * int64_t{p.m_width} / 4 <= width) {
      p.ReSample(0, 0, kThreeQuarters);
      p.m_scaleNum *= 3;
      p.m_scaleDen *= 4;
    } else if (2 * int64_t{p.m_height} / 3 <= height && 2 * int64_t{p.m_width} / 3 <= width) {
      p.ReSample(0, 0, kTwoThirds);
      p.m_scaleNum *= 2;
      p.m_scaleDen *= 3;
    } else {
      p.ReSample(0, 0, kHalf);
      p.m_scaleDen *= 2;
    }
    if (p.m_width == before[0] && p.m_height == before[1]) break;
  }
}

// Doubles while the picture is below three quarters of the box both ways; stops when doubling
// no longer changes it (the size caps refuse a bigger picture).
void EnlargeInSteps(Cimage& p, int width, int height) {
  while (HasPicture(p) && p.m_height < 3 * int64_t{height} / 4 && p.m_width < 3 * int64_t{width} / 4) {
    const int before = p.m_width;
    p.ReSample(0, 0, kDouble);
    if (p.m_width == before) break;
  }
}

}  // namespace

void ApplySizeMode(Cimage& p, int width, int height, int mode) {
  switch (mode) {
    case 1:
      p.ReSample(width, height, kFit);
      p.EXIFDeleteBuffer();
      break;
    case 2:
      if (!p.m_animated) ShrinkInSteps(p, width, height);
      break;
    case 3:
      if (p.m_animated) break;
      EnlargeInSteps(p, width, height);
      ShrinkInSteps(p, width, height);
      break;
    case 4:
      if (p.m_animated) break;
      p.ReSample(width, height, kFit);
      p.m_scaleNum = p.m_width;
      p.m_scaleDen = p.m_height;
      break;
    default:
      break;
  }
}

void ReduceScaleFraction(Cimage& p) {
  if (p.m_scaleNum <= 0 || p.m_scaleDen <= 0 || p.m_scaleNum >= 20 || p.m_scaleDen >= 20) return;
  while (p.m_scaleNum % 2 == 0 && p.m_scaleDen % 2 == 0) {
    p.m_scaleNum /= 2;
    p.m_scaleDen /= 2;
  }
}

}  // namespace ravelight
