#include "page_layout.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

int64_t Divide(int64_t dividend, int64_t divisor) { return divisor ? dividend / divisor : 0; }

int Saturate(int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return int(value);
}

int AtLeastZero(int64_t value) { return value < 0 ? 0 : Saturate(value); }

int SquareWhenUnknown(int aspect) { return aspect > 0 ? aspect : 100; }

// The least position on an axis: the shown picture's edge on the printable area's edge.
int LeastPosition(int paper, int printable, int shown) {
  return Saturate(Divide((int64_t(paper - printable) / 2 + shown / 2) * kPositionSpan, paper));
}

int Clamp(int position, int least) {
  if (position < least) return least;
  if (position > kPositionSpan - least) return kPositionSpan - least;
  return position;
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

void NormaliseAspect(PrinterPage& page) {
  if (page.aspectX == 0 || page.aspectY == 0) page.aspectX = page.aspectY = 100;
}

LayoutSize PrintableArea(const PrinterPage& page, bool noMargin) {
  if (noMargin) return {page.physicalWidth, page.physicalHeight};
  const int64_t right = int64_t(page.physicalWidth) - page.horzRes - page.offsetX;
  const int64_t bottom = int64_t(page.physicalHeight) - page.vertRes - page.offsetY;
  return {AtLeastZero(page.physicalWidth - 2 * (right > page.offsetX ? right : page.offsetX)),
          AtLeastZero(page.physicalHeight - 2 * (bottom > page.offsetY ? bottom : page.offsetY))};
}

LayoutSize PrintedSize(LayoutSize printable, int aspectX, int aspectY, LayoutSize picture, int scale) {
  const int64_t W = printable.width, H = printable.height, w = picture.width, h = picture.height;
  if (W <= 0 || H <= 0 || w <= 0 || h <= 0) return {};
  const int64_t ax = SquareWhenUnknown(aspectX), ay = SquareWhenUnknown(aspectY);
  // Compared as products: the quotients truncate to 0 for small pictures on large pages, and a
  // picture wider than the page would then be fitted to the page's height.
  if (ax * h * W < ay * w * H) {
    const int64_t width = W * scale / kFullScale;
    return {Saturate(width), Saturate(width * h / w * ax / ay)};
  }
  const int64_t height = H * scale / kFullScale;
  return {Saturate(height * w / h * ay / ax), Saturate(height)};
}

LayoutPoint PrintedOrigin(const PrinterPage& page, LayoutPoint position, LayoutSize printed) {
  return {Saturate(int64_t(page.physicalWidth) * position.x / kPositionSpan - printed.width / 2 - page.offsetX),
          Saturate(int64_t(page.physicalHeight) * position.y / kPositionSpan - printed.height / 2 - page.offsetY)};
}

LayoutPoint KeepOnPrintableArea(LayoutPoint origin, LayoutSize printed, const PrinterPage& page, LayoutSize printable) {
  const auto keep = [](int at, int size, int physical, int area, int offset) {
    const int64_t first = (int64_t(physical) - area) / 2 - offset, last = first + area - size;
    if (size > area) return at;
    return Saturate(at < first ? first : at > last ? last : at);
  };
  return {keep(origin.x, printed.width, page.physicalWidth, printable.width, page.offsetX),
          keep(origin.y, printed.height, page.physicalHeight, printable.height, page.offsetY)};
}

int StepScale(int scale, ScaleStep step, bool fine) {
  const int coarse = step == ScaleStep::kTenBigger || step == ScaleStep::kTenSmaller ? 100 : 10;
  const int amount = fine ? coarse / 10 : coarse;
  const bool bigger = step == ScaleStep::kTenBigger || step == ScaleStep::kOneBigger;
  const int stepped = bigger ? scale + amount : scale - amount;
  return stepped > kFullScale ? kFullScale : stepped < 0 ? 0 : stepped;
}

LayoutSize PaperInPreview(int cx, int cy, int physicalWidth, int physicalHeight, int aspectX, int aspectY) {
  if (cx <= 0 || cy <= 0 || physicalWidth <= 0 || physicalHeight <= 0) return {};
  const int64_t ax = SquareWhenUnknown(aspectX), ay = SquareWhenUnknown(aspectY);
  if (int64_t(physicalWidth) * ax * cy > int64_t(physicalHeight) * ay * cx)
    return {cx, Saturate(int64_t(cx) * physicalHeight / physicalWidth * ay / ax)};
  return {Saturate(int64_t(cy) * physicalWidth / physicalHeight * ax / ay), cy};
}

LayoutSize PrintableInPreview(LayoutSize paper, LayoutSize printable, int physicalWidth, int physicalHeight) {
  return {Saturate(Divide(int64_t(paper.width) * printable.width, physicalWidth)),
          Saturate(Divide(int64_t(paper.height) * printable.height, physicalHeight))};
}

LayoutSize ShownBox(LayoutSize printableInPreview, int scale) {
  return {Saturate(int64_t(scale) * printableInPreview.width / kFullScale),
          Saturate(int64_t(scale) * printableInPreview.height / kFullScale)};
}

LayoutPoint ClampPosition(LayoutPoint position, LayoutSize paper, LayoutSize printableInPreview, LayoutSize shown) {
  const int leastY = LeastPosition(paper.height, printableInPreview.height, shown.height);
  const int leastX = LeastPosition(paper.width, printableInPreview.width, shown.width);
  return {Clamp(position.x, leastX), Clamp(position.y, leastY)};
}

int DragPosition(int at, int paperSize, int shownSize) {
  if (shownSize >= paperSize) return kCentre;
  if (at <= shownSize / 2) return 0;
  if (at >= paperSize - shownSize / 2) return kPositionSpan;
  return Saturate(Divide(int64_t(at) * kPositionSpan, paperSize));
}

SizeTexts DescribeSize(int scale, LayoutSize printed, int pixelsPerInchX, int pixelsPerInchY) {
  const double width = pixelsPerInchX > 0 ? double(printed.width) / pixelsPerInchX : 0.0;
  const double height = pixelsPerInchY > 0 ? double(printed.height) / pixelsPerInchY : 0.0;
  return {Format("%4.1f %%", scale * 0.1), Format("%4.2f", width), Format("%4.1f", width * 25.4),
          Format("%4.2f", height), Format("%4.1f", height * 25.4)};
}
