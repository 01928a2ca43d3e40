#include "batch_print_layout.h"

#include <algorithm>
#include <cstdio>

namespace {

int Clamp(int64_t value, int minimum, int maximum) {
  return static_cast<int>(std::clamp<int64_t>(value, minimum, maximum));
}

// a × b / c without overflow on the way; 0 for a zero divisor.
int Scale(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  return Clamp(a * b / c, INT32_MIN, INT32_MAX);
}

int GridCount(int count) { return std::clamp(count, 1, kMaxGridCount); }

}  // namespace

void ComputeBatchLayout(CAppSettings::BatchPrint& print, const BatchPrinterCaps& caps) {
  if (!caps.Known()) return;
  print.rows = GridCount(print.rows);
  print.cols = GridCount(print.cols);
  print.coloffset = Scale(caps.offsetX, kLayoutUnitsPerInch, caps.dpiX);
  print.rowoffset = Scale(caps.offsetY, kLayoutUnitsPerInch, caps.dpiY);
  print.colwidth = Scale(caps.horzRes, kLayoutUnitsPerInch, int64_t(print.cols) * caps.dpiX);
  print.colheight = Scale(caps.vertRes, kLayoutUnitsPerInch, int64_t(print.rows) * caps.dpiY);
  const int64_t w = print.colwidth, h = print.colheight;
  print.paoffsetx = int(w / 50);
  print.paoffsety = int(h / 50);
  if (!print.bp_dotext) {
    print.pawidth = int(w * 96 / 100);
    print.paheight = int(h * 96 / 100);
    print.taoffsetx = print.taoffsety = print.tasizex = print.tasizey = 0;
  } else if (w < 2 * h) {  // text below the picture
    print.pawidth = int(w * 96 / 100);
    print.paheight = int(h * 75 / 100);
    print.tasizex = int(w * 96 / 100);
    print.tasizey = int(h * 20 / 100);
    print.taoffsetx = int(w / 50);
    print.taoffsety = int(h / 50 + h * 76 / 100);
  } else {  // text right of the picture
    print.pawidth = int(w * 47 / 100);
    print.paheight = int(h * 96 / 100);
    print.tasizex = int(w * 47 / 100);
    print.tasizey = int(h * 96 / 100);
    print.taoffsetx = int(w / 50 + w * 49 / 100);
    print.taoffsety = int(h / 50);
  }
}

void FitBatchImageArea(CAppSettings::BatchPrint& print) {
  print.pawidth = std::clamp(print.pawidth, 0, std::max(print.colwidth, 0));
  print.paheight = std::clamp(print.paheight, 0, std::max(print.colheight, 0));
  const int dx = (print.colwidth - print.pawidth) / 2, dy = (print.colheight - print.paheight) / 2;
  const int64_t w = print.colwidth, h = print.colheight;
  if (!print.bp_dotext) {
    if (print.center) {
      print.paoffsetx = dx;
      print.paoffsety = dy;
    }
  } else if (w < 2 * h) {
    print.tasizex = print.pawidth;
    print.tasizey = Clamp(h * 96 / 100 - print.paheight, 0, INT32_MAX);
    print.taoffsetx = print.paoffsetx;
    print.taoffsety = Clamp(int64_t(print.paoffsety) + h / 50 + print.paheight, 0, INT32_MAX);
    if (print.center) print.paoffsetx = dx;
  } else {
    print.tasizey = print.paheight;
    print.tasizex = Clamp(w * 96 / 100 - print.pawidth, 0, INT32_MAX);
    print.taoffsety = print.paoffsety;
    print.taoffsetx = Clamp(int64_t(print.paoffsetx) + w / 50 + print.pawidth, 0, INT32_MAX);
    if (print.center) print.paoffsety = dy;
  }
}

int BatchImagesToPrint(int copies, int files) { return Clamp(int64_t(std::max(copies, 0)) * files, 0, INT32_MAX); }

int BatchPagesToPrint(int skip, int images, int rows, int cols) {
  const int cells = GridCount(rows) * GridCount(cols);
  return int((BatchSkippedCells(skip, cells) + int64_t(images) + cells - 1) / cells);
}

int BatchSkippedCells(int skip, int cellsPerPage) { return std::clamp(skip, 0, std::max(cellsPerPage - 1, 0)); }

int LayoutToDevice(int length, int dpi, int offset) {
  return Clamp(int64_t(length) * dpi / kLayoutUnitsPerInch - offset, INT32_MIN, INT32_MAX);
}

DeviceRect BatchCellArea(const CAppSettings::BatchPrint& print, const BatchPrinterCaps& caps, int column, int row,
                         bool text) {
  const int64_t left =
      print.coloffset + int64_t(column) * print.colwidth + (text ? print.taoffsetx : print.paoffsetx);
  const int64_t top = print.rowoffset + int64_t(row) * print.colheight + (text ? print.taoffsety : print.paoffsety);
  const int64_t right = left + (text ? print.tasizex : print.pawidth);
  const int64_t bottom = top + (text ? print.tasizey : print.paheight);
  const auto x = [&](int64_t l) { return LayoutToDevice(Clamp(l, INT32_MIN, INT32_MAX), caps.dpiX, caps.offsetX); };
  const auto y = [&](int64_t l) { return LayoutToDevice(Clamp(l, INT32_MIN, INT32_MAX), caps.dpiY, caps.offsetY); };
  return {x(left), y(top), x(right), y(bottom)};
}

bool TurnToFitArea(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
  const bool areaTall = areaHeight > areaWidth, areaWide = areaHeight < areaWidth;
  const bool pictureTall = pictureHeight > pictureWidth, pictureWide = pictureHeight < pictureWidth;
  return (areaTall && pictureWide) || (areaWide && pictureTall);
}

PictureFit FitPictureToArea(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight, bool overfill) {
  PictureFit fit;
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return fit;
  double w = pictureWidth, h = pictureHeight;
  double x = w / areaWidth, y = h / areaHeight;
  if (overfill) {
    if (x > 1 && y > 1) {
      if (x > y) {
        h = areaHeight;
        w = std::max(1.0, double(int64_t(areaHeight) * pictureWidth / pictureHeight));
      } else {
        w = areaWidth;
        h = std::max(1.0, double(int64_t(areaWidth) * pictureHeight / pictureWidth));
      }
      fit.resampleWidth = int(w);
      fit.resampleHeight = int(h);
      x = w / areaWidth;
      y = h / areaHeight;
    }
    if (x > y) {
      const int band = std::clamp(int(areaWidth * y), 1, int(w));
      fit.cropLeft = (int(w) - band) / 2;
      fit.cropRight = fit.cropLeft + band;
      fit.cropBottom = int(h);
    } else {
      const int band = std::clamp(int(areaHeight * x), 1, int(h));
      fit.cropTop = (int(h) - band) / 2;
      fit.cropBottom = fit.cropTop + band;
      fit.cropRight = int(w);
    }
    fit.width = areaWidth;
    fit.height = areaHeight;
    return fit;
  }
  if (x > 1 || y > 1) {
    if (x > y) {
      w = areaWidth;
      h = std::max(1.0, double(int(pictureHeight / x)));
    } else {
      h = areaHeight;
      w = std::max(1.0, double(int(pictureWidth / y)));
    }
    fit.resampleWidth = int(w);
    fit.resampleHeight = int(h);
    x = w / areaWidth;
    y = h / areaHeight;
  }
  if (x > y) {
    fit.width = areaWidth;
    fit.height = int(h / x);
    fit.offsetY = (areaHeight - fit.height) / 2;
  } else {
    fit.height = areaHeight;
    fit.width = int(w / y);
    fit.offsetX = (areaWidth - fit.width) / 2;
  }
  return fit;
}

std::vector<std::pair<int, int>> DottedLineDashes(int start, int end, int dash) {
  std::vector<std::pair<int, int>> dashes;
  if (dash <= 0) {
    dashes.emplace_back(start, end);  // too fine a printer for dots: one solid line
    return dashes;
  }
  for (int64_t at = start; at < end; at += 2 * int64_t(dash)) dashes.emplace_back(int(at), int(at + dash));
  return dashes;
}

std::vector<BatchCell> PlanBatchCells(int files, int copies, int skip, int rows, int cols) {
  std::vector<BatchCell> cells;
  if (rows <= 0 || cols <= 0 || files <= 0) return cells;
  copies = std::max(copies, 1);
  const int perPage = rows * cols;
  skip = BatchSkippedCells(skip, perPage);
  const int64_t total = int64_t(files) * copies + skip;
  cells.reserve(size_t(total));
  for (int64_t i = 0; i < total; ++i) {
    BatchCell cell;
    cell.page = int(i / perPage) + 1;
    cell.row = int(i % perPage) / cols;
    cell.column = int(i % perPage) % cols;
    if (i >= skip) {
      cell.file = int((i - skip) / copies);
      cell.copy = int((i - skip) % copies);
    }
    cells.push_back(cell);
  }
  return cells;
}

int BatchFontHeight(int points, int dpiY) { return -Clamp((int64_t(points) * dpiY + 36) / 72, 0, INT32_MAX); }

std::string BatchSizeCaption(int64_t fileBytes, int width, int height) {
  char text[64];
  std::snprintf(text, sizeof text, "%lld K, %i x %i", static_cast<long long>(fileBytes / 1024), width, height);
  return text;
}

std::string LayoutLengthText(int length, bool inches) {
  char text[32];
  if (inches)
    std::snprintf(text, sizeof text, "%4.2f(in)", length * 0.00001);
  else
    std::snprintf(text, sizeof text, "%4.1f(mm)", length * 0.000254);
  return text;
}

int SpinnerStep(int unit, bool shift, bool ctrlOrAlt) {
  if (shift) return unit * 5;
  if (ctrlOrAlt) return unit / 10;
  return unit;
}

int SpinValue(int value, int delta, int step, bool upDecreases, int minimum, int maximum) {
  if (delta == 0) return std::clamp(value, minimum, maximum);
  const bool up = delta < 0;
  const int64_t moved = int64_t(value) + (up != upDecreases ? step : -int64_t(step));
  return Clamp(moved, minimum, std::max(minimum, maximum));
}

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find_first_of("\r\n", at);
    lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = text.find_first_not_of("\r\n", end);
    if (at == std::string::npos) break;
  }
  return lines;
}
