// A caption embossed into a picture: the caption's shape lightens and darkens the pixels under
// it as if lit from the upper left; its own colours are not drawn.
#include <algorithm>
#include <cstdlib>

#include "merge_placement.h"
#include "pixel_view.h"
#include "resample_taps.h"

namespace {

// A caption pixel is text where any channel differs from the background's by 20 or more.
class TextMask {
 public:
  explicit TextMask(const Cimage& caption)
      : caption_(caption), background_(caption.m_pixels) {}

  bool At(int r, int c) const {
    const uint8_t* p = caption_.m_pixels + size_t(r) * caption_.m_stride + 3 * size_t(c);
    for (int k = 0; k < 3; ++k)
      if (std::abs(p[k] - background_[k]) >= 20) return true;
    return false;
  }

 private:
  const Cimage& caption_;
  const uint8_t* background_;
};

// Text darkens where its upper or left neighbour is background; background brightens where
// such a neighbour is text.
float EdgeGain(const TextMask& text, int r, int c) {
  const bool upperLeft = text.At(r - 1, c - 1), upper = text.At(r - 1, c), left = text.At(r, c - 1);
  if (text.At(r, c)) {
    float gain = upperLeft ? 1.0f : 0.8f;
    if (!upper) gain *= 0.8f;
    if (!left) gain *= 0.8f;
    return gain;
  }
  float gain = upperLeft ? 1.2f : 1.0f;
  if (upper) gain *= 1.2f;
  if (left) gain *= 1.2f;
  return gain;
}

// One pass in place, row by row: the left neighbour and the row above are already smoothed.
void Smooth(float* gain, int w, int h) {
  for (int r = 1; r < h - 1; ++r) {
    float* above = gain + size_t(r - 1) * w;
    float* row = above + w;
    float* below = row + w;
    for (int c = 1; c < w - 1; ++c)
      row[c] = (row[c - 1] + row[c + 1] + above[c - 1] + above[c] + above[c + 1] + below[c - 1] +
                below[c] + below[c + 1] + 3 * row[c]) / 11;
  }
}

}  // namespace

void Cimage::TextOverlayMerge(Cimage* caption, int hpos, int vpos) {
  if (!ravelight::IsUsable(*this) || !caption || !ravelight::IsUsable(*caption)) return;
  const int w = caption->m_width, h = caption->m_height;
  if (w >= m_width || h >= m_height) return;
  ravelight::Scratch<float> gain(size_t(w) * size_t(h));
  if (!gain) return;
  const TextMask text(*caption);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      gain[size_t(r) * w + c] = r == 0 || c == 0 || r == h - 1 || c == w - 1 ? 1.0f : EdgeGain(text, r, c);
  Smooth(gain.get(), w, h);
  const int left = ravelight::PlaceAlong(hpos, m_width, w), top = ravelight::PlaceAlong(vpos, m_height, h);
  for (int r = 0; r < h; ++r) {
    uint8_t* out = m_pixels + size_t(top + r) * m_stride + 3 * size_t(left);
    for (int k = 0; k < 3 * w; ++k)
      out[k] = uint8_t(std::min(out[k] * gain[size_t(r) * w + k / 3], 255.0f));
  }
  ravelight::DropDisplayCopy(*this);
  MakeBMIstruct();
}
