// Operations on the canvas rather than the colours: blank canvases, crops, copies of areas,
// padding and fitting into a frame.
#include <algorithm>
#include <cstdint>

#include "pixel_view.h"
#include "picture_limits.h"

void Cimage::Blank(int width, int height, unsigned colour) {
  DeleteImage();
  m_components = 3;
  m_saveError = 0;
  m_fileSize = 0;
  if (width <= 0 || height <= 0) return;
  m_valid = 1;
  if (!ravelight::AttachNewPixels(*this, width, height)) {
    m_loadError = 1;
    return;
  }
  ravelight::Fill(*this, ravelight::FromColorRef(colour));
  MakeBMIstruct();
}

void Cimage::BitBlt(int x, int y, Cimage* source) {
  if (!ravelight::IsUsable(*this) || !source || !ravelight::IsUsable(*source)) return;
  ravelight::Place(*this, x, y, ravelight::ViewOf(*source));
  ravelight::DropDisplayCopy(*this);
}

void Cimage::Crop(CRect r) {
  if (!ravelight::IsUsable(*this)) return;
  r.NormalizeRect();
  if (r.left > m_width || r.bottom > m_height) return;
  if (!ravelight::ClipToPicture(r, m_width, m_height)) return;
  NoAnimation();
  const ravelight::PixelView area =
      ravelight::SubView(ravelight::ViewOf(*this), r.left, r.top, r.Width(), r.Height());
  if (!ravelight::ReplacePixels(*this, area.width, area.height,
                                [&](Cimage& to) { ravelight::Place(to, 0, 0, area); }))
    return;
  m_origWidth = m_width;
  m_origHeight = m_height;
  MakeBMIstruct();
}

void Cimage::CopyArea(Cimage* source, CRect r, int background) {
  r.NormalizeRect();
  const int64_t width = int64_t{r.right} - r.left, height = int64_t{r.bottom} - r.top;
  if (width <= 0 || height <= 0) return;
  const bool usable = source && ravelight::IsUsable(*source);
  // Built aside, so that the source may be this very picture.
  Cimage result;
  if (usable && ravelight::IsSanePictureSize(width, height) &&
      ravelight::AttachNewPixels(result, int(width), int(height))) {
    ravelight::Fill(result, ravelight::FromRgbHigh(unsigned(background)));
    ravelight::Place(result, -int64_t{r.left}, -int64_t{r.top}, ravelight::ViewOf(*source));
  }
  if (!ravelight::TakeOver(*this, result, usable ? source->m_components : 3, result.m_width, result.m_height)) return;
  MakeBMIstruct();
}

void Cimage::PadToFill(unsigned colour, int width, int height) {
  if (!ravelight::IsUsable(*this)) return;
  const int newWidth = std::max(m_width, width), newHeight = std::max(m_height, height);
  if (newWidth == m_width && newHeight == m_height) return;
  const ravelight::PixelView picture = ravelight::ViewOf(*this);
  if (!ravelight::ReplacePixels(*this, newWidth, newHeight, [&](Cimage& to) {
        ravelight::Fill(to, ravelight::FromColorRef(colour));
        ravelight::Place(to, (newWidth - picture.width) / 2, (newHeight - picture.height) / 2, picture);
      }))
    return;
  MakeBMIstruct();
}

void Cimage::FrameFill(int width, int height, int fill) {
  if (!ravelight::IsUsable(*this) || width <= 0 || height <= 0) return;
  if (!fill) {
    ReSample(width, height, 2);
    return;
  }
  // Cover the frame keeping the aspect, then cut what sticks out equally from both sides.
  const int64_t pw = m_width, ph = m_height;
  const bool tall = double(ph) / height >= double(pw) / width;
  const int64_t coverWidth = tall ? width : height * pw / ph;
  const int64_t coverHeight = tall ? width * ph / pw : height;
  ReSample(int(std::min<int64_t>(coverWidth, INT32_MAX)), int(std::min<int64_t>(coverHeight, INT32_MAX)), 2);
  if (!ravelight::IsUsable(*this)) return;
  const int mw = m_width, mh = m_height;
  if (double(mw) / width > double(mh) / height) {
    const int band = int(double(width) * mh / height);
    const int left = (mw - band) / 2;
    Crop(CRect(left, 0, left + band, mh));
  } else {
    const int band = int(double(height) * mw / width);
    const int top = (mh - band) / 2;
    Crop(CRect(0, top, mw, top + band));
  }
}
