#pragma once
// The arithmetic of printing one picture on one page: where the printable area lies, how large
// the picture is printed, where it goes, and how the page's miniature maps to the page.
//
// Printer quantities are device pixels. The printed size is a scale in tenths of a percent (1000:
// as large as fits in the printable area with the picture's shape kept); a position is the
// picture centre's place on the physical page in 1/10000 of it on each axis (5000: the middle).
// Products of device pixels overflow 32 bits on large printers, so every product is taken in 64
// bits; a zero divisor (a printer reporting no size, an empty picture) gives 0, never a crash.
// Comparisons of shapes are made between products, never between truncated quotients.
#include <string>

struct LayoutSize {
  int width = 0, height = 0;
};

struct LayoutPoint {
  int x = 0, y = 0;
};

// What a printer reports, as read from its device context.
struct PrinterPage {
  int physicalWidth = 0, physicalHeight = 0;
  int offsetX = 0, offsetY = 0;  // of the printable area's corner on the physical page
  int horzRes = 0, vertRes = 0;  // the printable area's size
  int aspectX = 0, aspectY = 0;  // relative width and height of a device pixel
};

constexpr int kFullScale = 1000;
constexpr int kPositionSpan = 10000;
constexpr int kCentre = 5000;

// A printer that reports no pixel shape (ASPECTX or ASPECTY 0) has square pixels: 100 by 100.
void NormaliseAspect(PrinterPage& page);

// The printable area: the whole page with no margin; otherwise the physical page less its larger
// margin on each axis, taken on both sides so that the area is centred on the paper.
LayoutSize PrintableArea(const PrinterPage& page, bool noMargin);

// The printed size of a picture at a scale, in device pixels: the picture's shape kept, corrected
// for the device's pixel shape, and the scale applied to the side that limits it.
LayoutSize PrintedSize(LayoutSize printable, int aspectX, int aspectY, LayoutSize picture, int scale);

// Where the printed picture's corner goes on the device context, whose origin is the corner of
// the printable area.
LayoutPoint PrintedOrigin(const PrinterPage& page, LayoutPoint position, LayoutSize printed);

// The position comes from the miniature, whose pixels are many device pixels wide: a picture
// dragged against the margin there can land a little over it on paper, where the printer cuts it
// off. This moves the printed picture back inside the printable area (centred on the physical
// page) wherever it fits.
LayoutPoint KeepOnPrintableArea(LayoutPoint origin, LayoutSize printed, const PrinterPage& page, LayoutSize printable);

// The size buttons: "10% Bigger" and "1% Bigger" grow by 100 and 10 (fine: 10 and 1), "1%
// Smaller" and "10% Smaller" shrink by as much; the result stays in 0..1000.
enum class ScaleStep { kTenBigger, kOneBigger, kOneSmaller, kTenSmaller };
int StepScale(int scale, ScaleStep step, bool fine);

// The paper of the page's miniature in a client area of cx by cy: as large as fits, with the
// page's shape corrected for the device's pixel shape.
LayoutSize PaperInPreview(int cx, int cy, int physicalWidth, int physicalHeight, int aspectX, int aspectY);

// The printable area in miniature pixels.
LayoutSize PrintableInPreview(LayoutSize paper, LayoutSize printable, int physicalWidth, int physicalHeight);

// The picture shown in the miniature at a scale (before it is fitted to its picture's shape).
LayoutSize ShownBox(LayoutSize printableInPreview, int scale);

// Keeps the shown picture inside the printable area: the least position puts the picture's edge
// on the margin, and the greatest is 10000 less it.
LayoutPoint ClampPosition(LayoutPoint position, LayoutSize paper, LayoutSize printableInPreview, LayoutSize shown);

// One axis of a drag: the position for a point at client coordinate at on a paper of the size
// given, with the shown picture's size on that axis.
int DragPosition(int at, int paperSize, int shownSize);

// The dialog's size texts: the scale as a percentage, and the printed size in inches and
// millimetres at the printer's resolution.
struct SizeTexts {
  std::string scale, widthInches, widthMillimetres, heightInches, heightMillimetres;
};
SizeTexts DescribeSize(int scale, LayoutSize printed, int pixelsPerInchX, int pixelsPerInchY);
