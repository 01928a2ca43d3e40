// Zoomed copies of a rectangle of another picture, for the image window's zoom levels.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "block_resample.h"

namespace {

using ravelight::BlockFilter;

struct ZoomSteps {
  BlockFilter steps[3];
  int count;
};

ZoomSteps Enlargement(int num, int den) {
  constexpr BlockFilter D = BlockFilter::Double, T = BlockFilter::Triple;
  if (num > 1 && den > 1) return {{D, D, D}, 3};
  switch (num) {
    case 1: return {{}, 0};
    case 2: return {{D}, 1};
    case 3: return {{T}, 1};
    case 4: return {{D, D}, 2};
    case 6: return {{T, D}, 2};
    default: return {{D, D, D}, 3};
  }
}

// The first halving is part of the copy; the rest reduce further.
ZoomSteps Reduction(int den) {
  constexpr BlockFilter H = BlockFilter::Half, R = BlockFilter::TwoThirds;
  switch (den) {
    case 3: return {{H, R}, 2};
    case 4: return {{H, H}, 2};
    case 6: return {{H, R, H}, 3};
    case 8: return {{H, H, H}, 3};
    default: return {{H}, 1};
  }
}

int ClampToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Runs the steps on a picture built on the side, the first straight from the rectangle so that
// no plain copy of it is made; without steps the rectangle is copied.
bool Zoom(Cimage& result, const ravelight::PixelView& area, const ZoomSteps& plan) {
  if (plan.count == 0) {
    if (!ravelight::AttachNewPixels(result, area.width, area.height)) return false;
    ravelight::Place(result, 0, 0, area);
    return true;
  }
  if (!ravelight::ResampleBlocks(result, area, plan.steps[0])) return false;
  for (int i = 1; i < plan.count; ++i)
    if (!ravelight::ResampleBlocks(result, ravelight::ViewOf(result), plan.steps[i])) return false;
  return true;
}

}  // namespace

void Cimage::ZoomImage(Cimage* source, int num, int den, int x, int y, int width, int height, int) {
  ZoomImage(source, num, den,
            CRect(x, y, ClampToInt(int64_t{x} + width), ClampToInt(int64_t{y} + height)));
}

void Cimage::ZoomImage(Cimage* source, int num, int den, CRect r) {
  if (!source || !ravelight::IsUsable(*source)) {
    DeleteImage();
    m_valid = 1;
    m_loadError = 1;
    return;
  }
  if (!ravelight::ClipToPicture(r, source->m_width, source->m_height)) return;
  // Built aside, so that the source may be this very picture.
  Cimage result;
  result.m_valid = 1;
  const ravelight::PixelView area =
      ravelight::SubView(ravelight::ViewOf(*source), r.left, r.top, r.Width(), r.Height());
  if (!Zoom(result, area, num != 1 || den == 1 ? Enlargement(num, den) : Reduction(den))) result.DeleteImage();
  if (!ravelight::TakeOver(*this, result, source->m_components, r.Width(), r.Height())) return;
  m_scaleNum = result.m_scaleNum;
  m_scaleDen = result.m_scaleDen;
  MakeBMIstruct();
}
