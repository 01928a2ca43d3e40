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
  // A turned picture is fitted to the turned area and turned last, when it is smallest.
  const bool turn = !upright && TurnToFitArea(areaWidth, areaHeight, picture.m_width, picture.m_height);
  if (turn) std::swap(cell.captionWidth, cell.captionHeight);
  const PictureFit fit = FitPictureToArea(picture.m_width, picture.m_height, turn ? areaHeight : areaWidth,
                                          turn ? areaWidth : areaHeight, overfill);
  if (fit.resampleWidth > 0) picture.ReSample(fit.resampleWidth, fit.resampleHeight, 2);
  const PictureFit cut = CutWithinPicture(fit, picture.m_width, picture.m_height);
  if (cut.Crops()) picture.Crop(CRect(cut.cropLeft, cut.cropTop, cut.cropRight, cut.cropBottom));
  if (turn) picture.Rotate_Clockwise();
  // The picture now has its printed size: this places it in the area.
  cell.fit = FitPictureToArea(picture.m_width, picture.m_height, areaWidth, areaHeight, overfill);
}
