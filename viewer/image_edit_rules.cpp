#include "image_edit_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool CropArea(CRect tracked, int width, int height, CRect& area) {
  tracked.NormalizeRect();
  area = CRect(std::max<int>(tracked.left, 0), std::max<int>(tracked.top, 0), std::min<int>(tracked.right, width),
               std::min<int>(tracked.bottom, height));
  return !area.IsRectEmpty();
}

bool PointInPicture(CPoint point, int width, int height) { return CRect(0, 0, width, height).PtInRect(point); }

bool ResizeTarget(int width, int height, PictureSize& size) {
  if (width <= 0 || height <= 0) return false;
  size = WithinPictureLimits(width, height);
  return true;
}

bool DeskewAngle(CPoint start, CPoint end, double& angle) {
  const double dx = double(end.x) - start.x, dy = double(end.y) - start.y;
  if (std::fabs(dx) < 2 || std::fabs(dy) < 2) return false;
  angle = std::fabs(dx) < std::fabs(dy) ? std::atan(dx / dy) : std::atan(-dy / dx);
  return true;
}

std::array<int, 9> FilterKernel(FilterStrength strength) {
  // Sharpening subtracts the neighbours from a heavy centre, smoothing adds them to a light one;
  // the lighter the centre, the stronger either effect. The heaviest smoothing weighs all nine
  // pixels alike: a plain box blur, as far as a 3 × 3 kernel of positive weights goes (centre 3,
  // the moderate one, gives the centre still a quarter of the sum).
  static const struct {
    int centre, neighbour;
  } kWeights[kFilterCount] = {{20, -1}, {16, -1}, {12, -1}, {6, 1}, {3, 1}, {1, 1}};
  const auto& w = kWeights[int(strength)];
  std::array<int, 9> kernel;
  kernel.fill(w.neighbour);
  kernel[4] = w.centre;
  return kernel;
}

// A numerator of exactly 8 counts too: two thirds taken three times is 8:27.
bool ShownReduced(bool autosizing, int scaleNum, int scaleDen, int widthInFile) {
  if (!autosizing) return false;
  return (scaleNum >= 8 && scaleNum < widthInFile) || (scaleNum < 8 && scaleNum < scaleDen);
}
