#include "print_setup_presets.h"

#include "batch_print_layout.h"

namespace {

// Hundredths of an inch as layout units.
constexpr int Hundredths(int value) { return value * (kLayoutUnitsPerInch / 100); }

struct Grid {
  int rows, cols;
  int left, top;            // the grid's corner on the page, hundredths of an inch
  int cellWidth, cellHeight;  // hundredths of an inch
  bool text;
};

CAppSettings::BatchPrint Plain() {
  CAppSettings::BatchPrint print{};
  print.copies = 1;
  print.english = 1;
  print.upright = 1;
  print.center = 1;
  print.bp_points = 10;
  print.bp_font = "Arial";
  return print;
}

// The program's own default layout of a grid, as the sheet computes it for a printer whose
// printable area is exactly the grid: the image area takes most of the cell and the text area,
// when there is one, goes below or (in a cell at least twice as wide as high) beside it.
CAppSettings::BatchPrint Layout(const Grid& grid) {
  CAppSettings::BatchPrint print = Plain();
  print.rows = grid.rows;
  print.cols = grid.cols;
  print.bp_dotext = grid.text ? 1 : 0;
  BatchPrinterCaps caps;
  caps.dpiX = caps.dpiY = kLayoutUnitsPerInch;  // device pixels are layout units
  caps.offsetX = Hundredths(grid.left);
  caps.offsetY = Hundredths(grid.top);
  caps.horzRes = Hundredths(grid.cols * grid.cellWidth);
  caps.vertRes = Hundredths(grid.rows * grid.cellHeight);
  caps.physicalWidth = Hundredths(850);
  caps.physicalHeight = Hundredths(1100);
  ComputeBatchLayout(print, caps);
  return print;
}

// Prints of a fixed size: the image area is the whole cell, filled by cropping, the picture
// turned to the cell's orientation.
CAppSettings::BatchPrint FixedPrints(const Grid& grid, bool cutLines) {
  CAppSettings::BatchPrint print = Layout(grid);
  print.pawidth = print.colwidth;
  print.paheight = print.colheight;
  print.upright = 0;
  print.overfill = 1;
  print.dotted = cutLines ? 1 : 0;
  FitBatchImageArea(print);
  return print;
}

// Pictures with a caption beside them, the picture a share of the cell.
CAppSettings::BatchPrint Captioned(const Grid& grid, int pictureWidthPercent, int points) {
  CAppSettings::BatchPrint print = Layout(grid);
  print.pawidth = print.colwidth / 100 * pictureWidthPercent;
  print.overfill = 0;
  print.bp_points = points;
  FitBatchImageArea(print);
  return print;
}

}  // namespace

std::vector<PrintSetupPreset> ShippedPrintSetups() {
  CAppSettings::BatchPrint thumbnails = Layout({8, 6, 25, 25, 133, 131, true});
  thumbnails.overfill = 0;
  thumbnails.framed = 1;
  thumbnails.bp_points = 7;
  CAppSettings::BatchPrint labels = Layout({10, 3, 19, 50, 275, 100, true});
  labels.pawidth = labels.paheight = labels.colheight * 90 / 100;
  labels.overfill = 0;
  labels.bp_points = 9;
  FitBatchImageArea(labels);
  return {
      {"columnwtext.psu", Captioned({5, 1, 25, 50, 800, 200, true}, 40, 12)},
      {"thumbnails.psu", thumbnails},
      {"two-sidebar.psu", Captioned({2, 1, 25, 150, 800, 400, true}, 60, 12)},
      {"9-wallets.psu", FixedPrints({3, 3, 50, 25, 250, 350, false}, true)},
      {"mailinglabels.psu", labels},
      {"1-8x10.psu", FixedPrints({1, 1, 25, 50, 800, 1000, false}, false)},
      {"2-5x7.psu", FixedPrints({2, 1, 75, 50, 700, 500, false}, true)},
  };
}
