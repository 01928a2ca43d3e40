// Size changes at any ratio: the fit into a box used for thumbnails and window fits, and the
// dispatch of the fixed-ratio filters.
#include <algorithm>
#include <cstdint>

#include "bilinear_fit.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "scale_fraction.h"

void Cimage::ReSample(int width, int height, int mode) {
  NoAnimation();
  if (!ravelight::IsUsable(*this)) return;
  const uint8_t* before = m_pixels;
  switch (mode) {
    case 1:
    case 2: Arbitrary_Resample(width, height); break;
    case 3: Block_Resample_23(); break;
    case 4: Block_Resample_34(); break;
    case 5: Block_Resample_12(); break;
    case 6: Block_Resample_21(); break;
    default: return;
  }
  if (!m_pixels || m_width <= 0 || m_height <= 0) {
    DeleteImage();
    m_valid = 0;
    m_loadError = 0;
    return;
  }
  // A new picture needs the display offsets again; one left as it was already has them.
  if (m_pixels != before) m_displayDithered = 0;
  MakeBMIstruct();
  ravelight::DropDisplayCopy(*this);
}

void Cimage::Arbitrary_Resample(int width, int height) {
  if (!ravelight::IsUsable(*this)) return;
  if (m_width <= 0 || m_height <= 0) {
    DeleteImage();
    m_valid = 1;
    m_loadError = 1;
    return;
  }
  const ravelight::FitPlan plan = ravelight::PlanFit(m_width, m_height, width, height);
  if (plan.halvings == 0 && plan.width == m_width && plan.height == m_height) return;
  if (!ravelight::IsSanePictureSize(plan.width, plan.height) ||
      !ravelight::HalveAndFit(*this, plan.halvings, int(plan.width), int(plan.height)))
    return;
  for (int i = 0; i < plan.halvings; ++i) ravelight::MultiplyScale(m_scaleDen, m_scaleNum, 2);
}
