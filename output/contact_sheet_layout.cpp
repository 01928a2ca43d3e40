#include "contact_sheet_layout.h"

#include <algorithm>

namespace {

constexpr int kFewestPerRow = 2;
constexpr int kMostPerRow = 20;

int Div(int64_t a, int64_t b) { return b == 0 ? 0 : int(a / b); }

}  // namespace

int ThumbSquareHeight(int thumbSize, int aspectX, int aspectY) { return Div(int64_t(thumbSize) * aspectX, aspectY); }

ContactSheetLayout ComputeContactSheet(const ContactSheetPrinter& p, const ContactSheetChoices& choices) {
  ContactSheetLayout layout;
  const int perRow = std::clamp(choices.perRow, kFewestPerRow, kMostPerRow);
  layout.margin = choices.leftMargin ? Div(int64_t(p.physicalWidth) * 5, 85) : 0;
  const int rightMargin = p.physicalWidth - p.offsetX - p.horzRes;
  layout.side = rightMargin > p.offsetX ? rightMargin : p.offsetX;
  layout.cellWidth = std::max(0, (p.physicalWidth - 2 * layout.side - layout.margin) / perRow);
  layout.thumbSize = Div(int64_t(layout.cellWidth) * 9, 10);
  layout.spacing = std::max(8, Div(int64_t(layout.cellWidth) * 9, 100));
  layout.cellHeight = ThumbSquareHeight(layout.cellWidth, p.aspectX, p.aspectY) + layout.spacing * choices.captionLines;
  layout.topBand = p.vertRes / 50;
  layout.extraTop = p.offsetY < layout.topBand ? layout.topBand - p.offsetY : 0;
  layout.rows = std::max(1, Div(p.vertRes - layout.topBand - layout.extraTop, layout.cellHeight));
  layout.originX = layout.side - p.offsetX + layout.margin;
  layout.originY = layout.topBand + (p.vertRes - layout.rows * layout.cellHeight - layout.topBand) / 2;
  const int64_t perPage = int64_t(layout.rows) * perRow;
  layout.pages = int((std::max(choices.count, 0) + perPage - 1) / perPage);
  return layout;
}

int DraftQualityLimit(int thumbnailSize) {
  switch (thumbnailSize) {
    case 0:
    case 1:
      return 5;
    case 2:
      return 6;
    case 3:
      return 7;
    case 4:
      return 9;
    default:
      return 4;
  }
}

int FewerPerRow(int perRow) { return std::max(kFewestPerRow, perRow - 1); }
int MorePerRow(int perRow) { return std::min(kMostPerRow, perRow + 1); }

ContactMiniature ContactSheetMiniature(int paperWidth, int paperHeight, const ContactSheetPrinter& p,
                                       const ContactSheetChoices& choices, int rows) {
  ContactMiniature m;
  const int perRow = std::clamp(choices.perRow, kFewestPerRow, kMostPerRow);
  rows = std::max(rows, 1);
  const int64_t across = choices.leftMargin ? int64_t(paperWidth) * 80 / 85 : paperWidth;
  m.cellWidth = Div(across * p.horzRes / perRow, p.physicalWidth);
  m.left = (paperWidth - perRow * m.cellWidth) / 2 + (choices.leftMargin ? paperWidth * 5 / 85 : 0);
  m.rowHeight = Div(int64_t(paperHeight) * p.vertRes / rows, p.physicalHeight);
  m.top = (paperHeight - rows * m.rowHeight) / 2;
  return m;
}

ThumbPlacement PlaceLoadedThumb(int pictureWidth, int pictureHeight, int thumbSize, int aspectX, int aspectY) {
  ThumbPlacement place;
  place.width = pictureWidth;
  place.height = ThumbSquareHeight(pictureHeight, aspectX, aspectY);
  place.y = ThumbSquareHeight(thumbSize, aspectX, aspectY) - place.height;
  return place;
}

ThumbPlacement PlaceDraftThumb(int pictureWidth, int pictureHeight, int thumbSize, int aspectX, int aspectY) {
  ThumbPlacement place;
  const int square = ThumbSquareHeight(thumbSize, aspectX, aspectY);
  if (pictureWidth <= 0 || pictureHeight <= 0) return place;
  if (pictureWidth >= pictureHeight) {
    place.width = thumbSize;
    place.height = Div(int64_t(square) * pictureHeight, pictureWidth);
  } else {
    place.height = square;
    place.width = Div(int64_t(thumbSize) * pictureWidth, pictureHeight);
  }
  place.y = square - place.height;
  return place;
}
