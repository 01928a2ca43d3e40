// Operations on the canvas rather than the colours: blank canvases, crops, copies of areas,
// padding and fitting into a frame.
#include <algorithm>
#include <cstdint>

#include "fit_plan.h"
#include "load_size_modes.h"
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

void Cimage::FrameFill(int width, int height, int fill) { FillFrameFrom(m_width, m_height, width, height, fill); }

void Cimage::FillFrameFrom(int sourceWidth, int sourceHeight, int width, int height, int fill) {
  if (!ravelight::IsUsable(*this) || width <= 0 || height <= 0) return;
  if (!fill) {
    FitFrom(sourceWidth, sourceHeight, width, height);
    return;
  }
  // Cover the frame keeping the aspect, then cut what sticks out equally from both sides.
  int coverWidth = 0, coverHeight = 0;
  ravelight::CoverBox(sourceWidth, sourceHeight, width, height, &coverWidth, &coverHeight);
  FitFrom(sourceWidth, sourceHeight, coverWidth, coverHeight);
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

void Cimage::LoadCovering(const char* path, int width, int height) {
  LoadImageA(path, width, height, ravelight::kCoverFrameDecode);
}

void Cimage::LoadFrameFilled(const char* path, int width, int height, int fill) {
  LoadImageA(path, width, height, fill ? ravelight::kCoverFrameDecode : ravelight::kFitFrameDecode);
  const int reduction = m_scaleDen;
  if (reduction <= 1 || !ravelight::IsUsable(*this)) {
    FrameFill(width, height, fill);
    return;
  }
  // A JPEG decoded at a reduced scale is fitted as the whole file would be. Its last column or
  // row may stand for fewer file pixels than the others; it goes, as the halvings of the whole
  // picture drop an odd one, so that both fits sample the same part of the picture.
  const int fileWidth = m_origWidth, fileHeight = m_origHeight;
  const int wholeColumns = std::max(fileWidth / reduction, 1), wholeRows = std::max(fileHeight / reduction, 1);
  if (wholeColumns < m_width || wholeRows < m_height) {
    Crop(CRect(0, 0, wholeColumns, wholeRows));
    m_origWidth = fileWidth;
    m_origHeight = fileHeight;
  }
  FillFrameFrom(fileWidth, fileHeight, width, height, fill);
}
