#include "fit_plan.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace ravelight {

FitPlan PlanFit(int width, int height, int boxWidth, int boxHeight) {
  boxWidth = std::max(boxWidth, 1);
  boxHeight = std::max(boxHeight, 1);
  FitPlan plan{0, width, height};
  int halvedWidth = width, halvedHeight = height;
  while ((2 * int64_t{boxHeight} < halvedHeight || 2 * int64_t{boxWidth} < halvedWidth) && halvedHeight > 4 &&
         halvedWidth > 4) {
    halvedWidth /= 2;
    halvedHeight /= 2;
    ++plan.halvings;
  }
  int64_t fitWidth = boxWidth, fitHeight = fitWidth * halvedHeight / halvedWidth;
  if (fitHeight > boxHeight) {
    fitHeight = boxHeight;
    fitWidth = fitHeight * halvedWidth / halvedHeight;
  }
  plan.width = int(std::max<int64_t>(fitWidth, 1));
  plan.height = int(std::max<int64_t>(fitHeight, 1));
  return plan;
}

void CoverBox(int width, int height, int frameWidth, int frameHeight, int* boxWidth, int* boxHeight) {
  const int64_t pw = width, ph = height;
  const bool tall = double(ph) / frameHeight >= double(pw) / frameWidth;
  const int64_t coverWidth = tall ? frameWidth : frameHeight * pw / ph;
  const int64_t coverHeight = tall ? frameWidth * ph / pw : frameHeight;
  *boxWidth = int(std::min<int64_t>(coverWidth, INT32_MAX));
  *boxHeight = int(std::min<int64_t>(coverHeight, INT32_MAX));
}

int FrameDecodeDenominator(int fileWidth, int fileHeight, int frameWidth, int frameHeight, int fill) {
  if (fileWidth <= 0 || fileHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) return 1;
  int boxWidth = frameWidth, boxHeight = frameHeight;
  if (fill) CoverBox(fileWidth, fileHeight, frameWidth, frameHeight, &boxWidth, &boxHeight);
  const FitPlan plan = PlanFit(fileWidth, fileHeight, boxWidth, boxHeight);
  // The decoder rounds a reduced side up.
  const auto reduced = [](int side, int d) { return (int64_t{side} + d - 1) / d; };
  int d = 1;
  while (d < 8 && reduced(fileWidth, 2 * d) >= plan.width && reduced(fileHeight, 2 * d) >= plan.height) d *= 2;
  return d;
}

}  // namespace ravelight
