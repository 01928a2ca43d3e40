#pragma once
// The arithmetic of batch printing: a grid of equal cells on the printable area, each holding an
// image area and a text area. Layout lengths are integers in 1/100000 inch measured from the
// printable area's top left corner; printer quantities are device pixels. Every product is taken
// in 64 bits (a large printer's resolution times a length overflows 32), and a printer that
// reports no resolution gives no layout rather than a division by zero.
#include <cstdint>
#include <string>
#include <vector>

#include "app_settings.h"

constexpr int kLayoutUnitsPerInch = 100000;
constexpr int kMaxGridCount = 20;
// "copies" runs from 1 to this. A thousand cells of one picture fill two and a half pages of the
// finest grid; more is a slip of the keyboard, and the job plans every cell it prints.
constexpr int kMaxBatchCopies = 1000;

// What the layout needs to know of the printer.
struct BatchPrinterCaps {
  int physicalWidth = 0, physicalHeight = 0;
  int offsetX = 0, offsetY = 0;  // of the printable area on the physical page
  int horzRes = 0, vertRes = 0;  // the printable area's size
  int dpiX = 0, dpiY = 0;
  bool Known() const { return dpiX > 0 && dpiY > 0; }
};

// The default layout for the current rows and columns: the grid fills the printable area, the
// image area takes most of a cell and the text area, when there is one, goes below the picture
// or, in a cell at least twice as wide as high, to its right. Nothing changes while the printer's
// resolution is unknown.
void ComputeBatchLayout(CAppSettings::BatchPrint& print, const BatchPrinterCaps& caps);

// After a change of the cell or image-area size or of centring: the image area stays inside the
// cell, is centred when asked, and the text area follows it.
void FitBatchImageArea(CAppSettings::BatchPrint& print);

// "copies" × files, and the pages they fill after the skipped cells.
int BatchImagesToPrint(int copies, int files);
int BatchPagesToPrint(int skip, int images, int rows, int cols);

// The cells left empty at the start of the first page for the "Skip first frames" count: never
// fewer than none, and never the whole page (a skipped page would print blank). The sheet's
// counts, the miniature and the job all keep to it.
int BatchSkippedCells(int skip, int cellsPerPage);

struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A layout length as a device coordinate on one axis of the printer's device context.
int LayoutToDevice(int length, int dpi, int offset);

// The image area (text false) or text area (text true) of the cell in column and row, on the
// printer's device context.
DeviceRect BatchCellArea(const CAppSettings::BatchPrint& print, const BatchPrinterCaps& caps, int column, int row,
                         bool text);

// A picture is turned a quarter clockwise when its shape (landscape or portrait) differs from the
// area's.
bool TurnToFitArea(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

// How a picture of a size goes into an area: first resampled to a size (0 by 0: not resampled),
// then cropped to a rectangle of that (empty: not cropped), then printed at an offset in the
// area with a size. Overfill crops the picture's centre to the area's shape and prints it over
// the whole area; underfill fits it whole, centred. No picture or no area gives nothing to print.
struct PictureFit {
  int resampleWidth = 0, resampleHeight = 0;
  int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
  int offsetX = 0, offsetY = 0, width = 0, height = 0;
  bool Prints() const { return width > 0 && height > 0; }
  bool Crops() const { return cropRight > cropLeft && cropBottom > cropTop; }
};
PictureFit FitPictureToArea(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight, bool overfill);

// The dashes of a dotted line from start to end: dashes one dash long, one every two, the first
// at the start; each pair is a dash's start and end.
std::vector<std::pair<int, int>> DottedLineDashes(int start, int end, int dash);

// One cell of a batch print, in the order the job visits them.
struct BatchCell {
  int page = 0;      // from 1
  int column = 0, row = 0;
  int file = -1;     // index into the list; -1 for a skipped cell
  int copy = 0;      // 0 .. copies - 1
};

// Every cell the job fills, skipped ones included. "copies" below 1 counts as 1, the skip is
// BatchSkippedCells, and a grid of no cells places nothing (an empty plan).
std::vector<BatchCell> PlanBatchCells(int files, int copies, int skip, int rows, int cols);

// The height to ask of the caption font: the em of the named point size on a printer of the
// resolution (a negative font height names the em rather than the whole cell).
int BatchFontHeight(int points, int dpiY);

// The caption lines of a cell.
std::string BatchSizeCaption(int64_t fileBytes, int width, int height);

// A length as the sheet shows it: "%4.2f(in)" or "%4.1f(mm)".
std::string LayoutLengthText(int length, bool inches);

// The step of the length spinners: one unit, five with Shift, a tenth with Ctrl or Alt.
int SpinnerStep(int unit, bool shift, bool ctrlOrAlt);
// A spinner press: the up arrow (delta < 0) adds the step unless upDecreases; the result stays
// within minimum..maximum.
int SpinValue(int value, int delta, int step, bool upDecreases, int minimum, int maximum);

// Drops characters from the end until fits says the text fits.
template <typename Fits>
void FitTextToWidth(std::string& text, Fits fits) {
  while (!text.empty() && !fits(text)) text.pop_back();
}

// The lines of a text, split at runs of CR and LF.
std::vector<std::string> TextLines(const std::string& text);
