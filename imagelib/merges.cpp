// Merges of two pictures for batch jobs, collages and web pages: a picture set into a border
// picture, and a logo laid over a picture with a key colour.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "merge_placement.h"
#include "pixel_view.h"

namespace {

constexpr int kOpaque = 256;

// How much of the picture shows at row r, column c of a w × h picture, out of 256.
class BorderBlend {
 public:
  BorderBlend(int mode, int w, int h) : mode_(mode), w_(w), h_(h), a_(w / 2), b_(h / 2) {}

  int At(int r, int c) const {
    switch (mode_) {
      case 0: return kOpaque;
      case 1: return std::min(SoftEdge(r, h_), SoftEdge(c, w_));
      case 2: return Oval(r, c) <= 1 ? kOpaque : 0;
      default: {
        const double e = Oval(r, c);
        if (e <= 0.9) return kOpaque;
        return e <= 1 ? int((1 - e) * 2560) : 0;
      }
    }
  }

 private:
  // Fades over the outermost 16 rows or columns of each side.
  static int SoftEdge(int i, int n) {
    if (i < 16) return 16 * i;
    if (i > n - 16) return 16 * (n - i);
    return kOpaque;
  }

  // Below 1 inside the ellipse that touches the picture's sides. A picture one pixel across has
  // a half-size of 0 there, which counts as 1.
  double Oval(int r, int c) const {
    const double dx = a_ - c, dy = b_ - r;
    return dx * dx / std::max(a_ * a_, 1) + dy * dy / std::max(b_ * b_, 1);
  }

  int mode_, w_, h_, a_, b_;
};

void SetIntoBorder(const ravelight::PixelView& picture, const ravelight::PixelView& border, int mode, Cimage& to) {
  for (int y = 0; y < border.height; ++y)
    std::memcpy(to.m_pixels + size_t(y) * to.m_stride, border.Row(y), 3 * size_t(border.width));
  const int left = (border.width - picture.width) / 2, top = (border.height - picture.height) / 2;
  const BorderBlend blend(mode, picture.width, picture.height);
  for (int r = 0; r < picture.height; ++r) {
    const uint8_t* in = picture.Row(r);
    uint8_t* out = to.m_pixels + size_t(top + r) * to.m_stride + 3 * size_t(left);
    for (int c = 0; c < 3 * picture.width; c += 3) {
      const int alpha = blend.At(r, c / 3);
      for (int k = c; k < c + 3; ++k) out[k] = uint8_t((out[k] * (kOpaque - alpha) + in[k] * alpha) >> 8);
    }
  }
}

bool NearKey(const uint8_t* pixel, ravelight::Bgr key) {
  return std::abs(pixel[0] - key.b) <= 2 && std::abs(pixel[1] - key.g) <= 2 && std::abs(pixel[2] - key.r) <= 2;
}

}  // namespace

void Cimage::BorderMerge(Cimage* border, int mode) {
  if (!ravelight::IsUsable(*this) || !border || !ravelight::IsUsable(*border)) return;
  if (m_width > border->m_width || m_height > border->m_height) return;
  const ravelight::PixelView picture = ravelight::ViewOf(*this), frame = ravelight::ViewOf(*border);
  if (!ravelight::ReplacePixels(*this, frame.width, frame.height,
                                [&](Cimage& to) { SetIntoBorder(picture, frame, mode, to); }))
    return;
  m_components = border->m_components;
  MakeBMIstruct();
}

void Cimage::OverlayMerge(Cimage* overlay, int hpos, int vpos, unsigned key) {
  if (!ravelight::IsUsable(*this) || !overlay || !ravelight::IsUsable(*overlay)) return;
  if (overlay->m_width >= m_width || overlay->m_height >= m_height) return;
  const int left = ravelight::PlaceAlong(hpos, m_width, overlay->m_width);
  const int top = ravelight::PlaceAlong(vpos, m_height, overlay->m_height);
  const bool keyed = !(key & 0x80000000u);
  const ravelight::Bgr keyColour = ravelight::FromRgbHigh(key);
  for (int y = 0; y < overlay->m_height; ++y) {
    const uint8_t* in = overlay->m_pixels + size_t(y) * overlay->m_stride;
    uint8_t* out = m_pixels + size_t(top + y) * m_stride + 3 * size_t(left);
    for (int x = 0; x < overlay->m_width; ++x, in += 3, out += 3)
      if (!keyed || !NearKey(in, keyColour)) std::memcpy(out, in, 3);
  }
  ravelight::DropDisplayCopy(*this);
  MakeBMIstruct();
}
