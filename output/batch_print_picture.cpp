#include "batch_print_picture.h"

#include <algorithm>
#include <utility>

PictureFit CutWithinPicture(PictureFit fit, int width, int height) {
  fit.cropRight = std::min(fit.cropRight, width);
  fit.cropBottom = std::min(fit.cropBottom, height);
  if (!fit.Crops() || (fit.cropLeft == 0 && fit.cropTop == 0 && fit.cropRight == width && fit.cropBottom == height))
    fit.cropLeft = fit.cropTop = fit.cropRight = fit.cropBottom = 0;
  return fit;
}

void PrepareCellPicture(CellPicture& cell, const std::string& path, int areaWidth, int areaHeight, bool upright,
                        bool overfill) {
  cell.path = path;
  cell.fit = PictureFit{};
  cell.picture = Cimage();
  cell.captionWidth = cell.captionHeight = 0;
  if (areaWidth <= 0 || areaHeight <= 0) return;  // an area of no size prints nothing
  // The cell needs no more pixels than its area has: a photograph is decoded at the fraction of its
  // size that still covers the area either way up, and resampled once, to the area's device size.
  const int side = std::max(areaWidth, areaHeight);
  Cimage& picture = cell.picture;
  picture.LoadCovering(path.c_str(), side, side);
  if (picture.m_loadError || !picture.m_valid || picture.m_width <= 0 || picture.m_height <= 0) return;
  cell.captionWidth = picture.m_origWidth;
  cell.captionHeight = picture.m_origHeight;
  // A picture smaller than the cell is enlarged here rather than by the printer.
  if (std::min(picture.m_width, picture.m_height) < side) picture.ReSample(2 * side, 2 * side, 2);
  bool turned = false;
  cell.fit = ShapePictureForArea(picture, areaWidth, areaHeight, upright, overfill, turned);
  if (turned) std::swap(cell.captionWidth, cell.captionHeight);
}

PictureFit ShapePictureForArea(Cimage& picture, int areaWidth, int areaHeight, bool upright, bool overfill,
                               bool& turned) {
  // A turned picture is fitted to the turned area and turned last, when it is smallest.
  turned = !upright && TurnToFitArea(areaWidth, areaHeight, picture.m_width, picture.m_height);
  const PictureFit fit = FitPictureToArea(picture.m_width, picture.m_height, turned ? areaHeight : areaWidth,
                                          turned ? areaWidth : areaHeight, overfill);
  if (fit.resampleWidth > 0) picture.ReSample(fit.resampleWidth, fit.resampleHeight, 2);
  const PictureFit cut = CutWithinPicture(fit, picture.m_width, picture.m_height);
  if (cut.Crops()) picture.Crop(CRect(cut.cropLeft, cut.cropTop, cut.cropRight, cut.cropBottom));
  if (turned) picture.Rotate_Clockwise();
  // The picture now has its printed size: this places it in the area.
  return FitPictureToArea(picture.m_width, picture.m_height, areaWidth, areaHeight, overfill);
}
