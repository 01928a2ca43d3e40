#pragma once
// The arithmetic of contact sheets: square thumbnail cells in rows across the printable area,
// with room for the caption lines below each and a band at the top for the page title. Printer
// quantities are device pixels; products are taken in 64 bits.
#include <cstdint>

#include "page_layout.h"

// The printer as the single-picture layout reads it: ASPECTX and ASPECTY never 0.
using ContactSheetPrinter = PrinterPage;

struct ContactSheetChoices {
  int perRow = 5;        // 2..20
  int captionLines = 0;  // names, dates and sizes chosen
  bool leftMargin = false;
  int count = 0;  // pictures to print
};

struct ContactSheetLayout {
  int margin = 0, side = 0;
  int cellWidth = 0, cellHeight = 0;
  int thumbSize = 0, spacing = 0;
  int topBand = 0, extraTop = 0;
  int rows = 0;  // at least 1: a cell taller than the page still gets a row of its own
  int originX = 0, originY = 0;
  int pages = 0;
  int PerPage(int perRow) const { return rows * perRow; }
};

ContactSheetLayout ComputeContactSheet(const ContactSheetPrinter& printer, const ContactSheetChoices& choices);

// The thumbnails per row below which draft quality is questioned, for the view's thumbnail size.
int DraftQualityLimit(int thumbnailSize);

// "Bigger" and "Smaller": fewer or more thumbnails per row, within 2..20.
int FewerPerRow(int perRow);
int MorePerRow(int perRow);

// Where the first page's cells lie in the miniature's paper of a size (pixels).
struct ContactMiniature {
  int cellWidth = 0, rowHeight = 0, left = 0, top = 0;
};
ContactMiniature ContactSheetMiniature(int paperWidth, int paperHeight, const ContactSheetPrinter& printer,
                                       const ContactSheetChoices& choices, int rows);

// A picture printed bottom-aligned in a square thumbSize wide and thumbSize × aspectY / aspectX
// high: its corner's offset from the square's top left and its printed size.
struct ThumbPlacement {
  int x = 0, y = 0, width = 0, height = 0;
};
// A picture loaded at the thumbnail size: its own width, its height corrected for the pixel shape.
ThumbPlacement PlaceLoadedThumb(int pictureWidth, int pictureHeight, int thumbSize, int aspectX, int aspectY);
// A draft copy: scaled so that its longer side fills the square.
ThumbPlacement PlaceDraftThumb(int pictureWidth, int pictureHeight, int thumbSize, int aspectX, int aspectY);
// The square's height.
int ThumbSquareHeight(int thumbSize, int aspectX, int aspectY);

#include <string>

// One picture of a contact sheet, as the thumbnail view lists it.
struct ContactSheetItem {
  std::string path, name, dateText;
  int sizeKB = 0;
};
