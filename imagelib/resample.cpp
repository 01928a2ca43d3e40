// Size changes at any ratio: the fit into a box used for thumbnails and window fits, and the
// dispatch of the fixed-ratio filters.
#include <algorithm>
#include <cstdint>

#include "block_resample.h"
#include "picture_limits.h"
#include "resample_taps.h"
#include "scale_fraction.h"

namespace {

using ravelight::PixelView;
using ravelight::Scratch;
using ravelight::Tap;

// Output sample i of count comes from between source samples q and q + 1 of n; the weights are
// out of 256 and always sum to 256, so flat areas stay flat.
Tap BilinearTap(int i, int count, int n) {
  const int64_t position = int64_t{i} * n;
  const int q = int(position / count), r = int(position % count);
  const int left = int(int64_t{count - r} * 256 / count);
  return Tap{q, std::min(q + 1, n - 1), left, 256 - left};
}

bool FillBilinearTaps(Scratch<Tap>& taps, int count, int n) {
  if (!taps) return false;
  for (int i = 0; i < count; ++i) taps[i] = BilinearTap(i, count, n);
  return true;
}

uint8_t Blend(const uint8_t* first, const uint8_t* second, const Tap& t) {
  return uint8_t((*first * t.firstWeight + *second * t.secondWeight) >> 8);
}

// Along the rows into a packed buffer of width × the source's rows, then down the columns into
// the new pixels; each pass truncates. False, with the picture as it was, when memory ran out.
bool ResampleBilinear(Cimage& picture, int width, int height) {
  const PixelView from = ravelight::ViewOf(picture);
  const size_t acrossStride = 3 * size_t(width);
  Scratch<Tap> columns{size_t(width)}, rows{size_t(height)};
  Scratch<uint8_t> across(acrossStride * size_t(from.height));
  if (!FillBilinearTaps(columns, width, from.width) || !FillBilinearTaps(rows, height, from.height) || !across)
    return false;
  for (int y = 0; y < from.height; ++y) {
    const uint8_t* in = from.Row(y);
    uint8_t* out = across.get() + size_t(y) * acrossStride;
    for (int x = 0; x < width; ++x, out += 3) {
      const Tap t = columns[x];
      for (int c = 0; c < 3; ++c) out[c] = Blend(in + 3 * t.first + c, in + 3 * t.second + c, t);
    }
  }
  return ravelight::ReplacePixels(picture, width, height, [&](Cimage& to) {
    for (int y = 0; y < height; ++y) {
      const Tap t = rows[y];
      const uint8_t* upper = across.get() + size_t(t.first) * acrossStride;
      const uint8_t* lower = across.get() + size_t(t.second) * acrossStride;
      uint8_t* out = to.m_pixels + size_t(y) * to.m_stride;
      for (size_t k = 0; k < acrossStride; ++k) out[k] = Blend(upper + k, lower + k, t);
    }
  });
}

}  // namespace

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
  const int boxWidth = std::max(width, 1), boxHeight = std::max(height, 1);
  // Halving first keeps the bilinear pass from ever shrinking by more than two, where it would
  // skip source pixels; a halving that cannot get its memory ends the loop.
  while ((2 * int64_t{boxHeight} < m_height || 2 * int64_t{boxWidth} < m_width) && m_height > 4 && m_width > 4) {
    if (!ravelight::ResampleBlocks(*this, ravelight::ViewOf(*this), ravelight::BlockFilter::Half)) return;
    ravelight::MultiplyScale(m_scaleDen, m_scaleNum, 2);
  }
  if (m_width <= 0 || m_height <= 0) {
    DeleteImage();
    m_valid = 1;
    m_loadError = 1;
    return;
  }
  int64_t targetWidth = boxWidth, targetHeight = targetWidth * m_height / m_width;
  if (targetHeight > boxHeight) {
    targetHeight = boxHeight;
    targetWidth = targetHeight * m_width / m_height;
  }
  targetWidth = std::max<int64_t>(targetWidth, 1);
  targetHeight = std::max<int64_t>(targetHeight, 1);
  if (targetWidth == m_width && targetHeight == m_height) return;
  if (!ravelight::IsSanePictureSize(targetWidth, targetHeight)) return;
  ResampleBilinear(*this, int(targetWidth), int(targetHeight));
}
