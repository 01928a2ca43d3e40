// The page layout's arithmetic, on the figures of real printers (a 300 dpi letter page with its
// margins) and of ones that report nonsense or are very large.
#include "page_layout.h"

#include <gtest/gtest.h>

namespace {

// Letter paper at 300 dpi with a quarter-inch margin all round.
PrinterPage Letter() {
  PrinterPage page;
  page.physicalWidth = 2550;
  page.physicalHeight = 3300;
  page.offsetX = page.offsetY = 75;
  page.horzRes = 2400;
  page.vertRes = 3150;
  page.aspectX = page.aspectY = 300;
  return page;
}

TEST(PageLayout, PrintableAreaIsCentredOnThePaper) {
  PrinterPage unequal = Letter();
  unequal.offsetX = 50;   // right margin 100
  unequal.offsetY = 100;  // bottom margin 50
  PrinterPage empty;
  PrinterPage overfull = Letter();
  overfull.offsetX = 2000;  // margins wider than the paper
  const struct {
    PrinterPage page;
    bool noMargin;
    LayoutSize area;
  } cases[] = {
      {Letter(), false, {2400, 3150}}, {unequal, false, {2350, 3100}}, {unequal, true, {2550, 3300}},
      {empty, false, {0, 0}},          {empty, true, {0, 0}},          {overfull, false, {0, 3150}},
  };
  for (const auto& c : cases) {
    const LayoutSize area = PrintableArea(c.page, c.noMargin);
    EXPECT_EQ(area.width, c.area.width) << c.page.offsetX << " " << c.noMargin;
    EXPECT_EQ(area.height, c.area.height) << c.page.offsetY << " " << c.noMargin;
  }
}

TEST(PageLayout, AspectZeroMeansSquarePixels) {
  const struct {
    int ax, ay, wantX, wantY;
  } cases[] = {{0, 300, 100, 100}, {300, 0, 100, 100}, {0, 0, 100, 100}, {300, 600, 300, 600}};
  for (const auto& c : cases) {
    PrinterPage page;
    page.aspectX = c.ax;
    page.aspectY = c.ay;
    NormaliseAspect(page);
    EXPECT_EQ(page.aspectX, c.wantX);
    EXPECT_EQ(page.aspectY, c.wantY);
  }
}

TEST(PageLayout, PrintedSizeKeepsThePictureShapeWithinThePrintableArea) {
  const LayoutSize letter = {2400, 3150};
  // A printer 100 000 pixels each way: products of its sizes pass 2^31.
  const LayoutSize huge = {100000, 100000};
  const struct {
    LayoutSize printable;
    int ax, ay;
    LayoutSize picture;
    int scale;
    LayoutSize printed;
  } cases[] = {
      {letter, 300, 300, {4000, 1000}, 1000, {2400, 600}},  // wide: exactly the printable width
      {letter, 300, 300, {1000, 4000}, 1000, {787, 3150}},  // tall: exactly the printable height
      {letter, 300, 300, {100, 100}, 900, {2160, 2160}},
      {letter, 300, 300, {8, 2}, 1000, {2400, 600}},     // tiny pictures keep their shape
      {letter, 300, 300, {2, 8}, 1000, {787, 3150}},
      {{2329, 3358}, 300, 300, {3, 1}, 1000, {2329, 776}},
      {{2329, 3358}, 300, 300, {2, 2}, 300, {698, 698}},
      {letter, 300, 300, {100, 100}, 0, {0, 0}},
      {letter, 200, 100, {100, 100}, 1000, {1575, 3150}},  // wide pixels
      {letter, 100, 200, {100, 100}, 1000, {2400, 1200}},  // tall pixels
      {letter, 0, 0, {4000, 1000}, 1000, {2400, 600}},     // unknown pixel shape: square
      {huge, 100, 100, {30000, 20000}, 1000, {100000, 66666}},
      {huge, 100, 100, {20000, 30000}, 999, {66600, 99900}},
      {{0, 0}, 100, 100, {100, 100}, 1000, {0, 0}},  // a printer that reports no size
      {{2400, 0}, 100, 100, {100, 100}, 1000, {0, 0}},
      {letter, 100, 100, {0, 100}, 1000, {0, 0}},  // an empty picture
      {letter, 100, 100, {100, 0}, 1000, {0, 0}},
  };
  for (const auto& c : cases) {
    const LayoutSize printed = PrintedSize(c.printable, c.ax, c.ay, c.picture, c.scale);
    EXPECT_EQ(printed.width, c.printed.width) << c.picture.width << "x" << c.picture.height << " at " << c.scale;
    EXPECT_EQ(printed.height, c.printed.height) << c.picture.width << "x" << c.picture.height << " at " << c.scale;
  }
}

TEST(PageLayout, PrintedOriginPlacesTheCentreOnThePhysicalPage) {
  PrinterPage huge = Letter();
  huge.physicalWidth = huge.physicalHeight = 300000;  // 300000 x 10000 passes 2^31
  const struct {
    PrinterPage page;
    LayoutPoint position;
    LayoutSize printed;
    LayoutPoint origin;
  } cases[] = {
      {Letter(), {5000, 5000}, {2400, 600}, {0, 1275}},  // centred: against both side margins
      {Letter(), {0, 0}, {100, 100}, {-125, -125}},
      {Letter(), {10000, 10000}, {100, 100}, {2425, 3175}},
      {huge, {10000, 10000}, {0, 0}, {299925, 299925}},
      {huge, {5000, 5000}, {200000, 100000}, {49925, 99925}},
  };
  for (const auto& c : cases) {
    const LayoutPoint origin = PrintedOrigin(c.page, c.position, c.printed);
    EXPECT_EQ(origin.x, c.origin.x) << c.position.x;
    EXPECT_EQ(origin.y, c.origin.y) << c.position.y;
  }
}

TEST(PageLayout, PrintedPictureStaysOnThePrintableArea) {
  PrinterPage unequal = Letter();
  unequal.offsetX = 50;  // printable area 2350 wide from x 100 of the paper: 50 on the context
  const struct {
    PrinterPage page;
    LayoutSize printable;
    LayoutPoint origin;
    LayoutSize printed;
    LayoutPoint kept;
  } cases[] = {
      {Letter(), {2400, 3150}, {-12, -3}, {720, 720}, {0, 0}},             // over the top-left margin
      {Letter(), {2400, 3150}, {1690, 2440}, {720, 720}, {1680, 2430}},    // over the bottom-right one
      {Letter(), {2400, 3150}, {300, 400}, {720, 720}, {300, 400}},        // inside: unchanged
      {unequal, {2350, 3150}, {10, 0}, {100, 100}, {50, 0}},
      {Letter(), {2550, 3300}, {-75, -75}, {2550, 637}, {-75, -75}},       // no margin: the paper's edge
      {Letter(), {2400, 3150}, {-500, 10}, {3000, 100}, {-500, 10}},       // larger than the area
  };
  for (const auto& c : cases) {
    const LayoutPoint kept = KeepOnPrintableArea(c.origin, c.printed, c.page, c.printable);
    EXPECT_EQ(kept.x, c.kept.x) << c.origin.x;
    EXPECT_EQ(kept.y, c.kept.y) << c.origin.y;
  }
}

TEST(PageLayout, SizeStepsStopAtTheEnds) {
  const struct {
    int scale;
    ScaleStep step;
    bool fine;
    int result;
  } cases[] = {
      {950, ScaleStep::kTenBigger, false, 1000}, {50, ScaleStep::kTenSmaller, false, 0},
      {900, ScaleStep::kTenBigger, false, 1000}, {900, ScaleStep::kOneBigger, false, 910},
      {900, ScaleStep::kOneSmaller, false, 890}, {900, ScaleStep::kTenSmaller, false, 800},
      {900, ScaleStep::kTenBigger, true, 910},   {900, ScaleStep::kOneBigger, true, 901},
      {900, ScaleStep::kOneSmaller, true, 899},  {900, ScaleStep::kTenSmaller, true, 890},
      {1000, ScaleStep::kOneBigger, true, 1000}, {0, ScaleStep::kOneSmaller, true, 0},
      {5, ScaleStep::kOneSmaller, false, 0},     {995, ScaleStep::kTenBigger, true, 1000},
  };
  for (const auto& c : cases) EXPECT_EQ(StepScale(c.scale, c.step, c.fine), c.result) << c.scale << " " << int(c.step);
}

TEST(PageLayout, PaperFitsTheMiniatureKeepingThePageShape) {
  const struct {
    int cx, cy, width, height, ax, ay;
    LayoutSize paper;
  } cases[] = {
      {200, 200, 2550, 3300, 300, 300, {154, 200}},  // portrait: full height
      {200, 200, 3300, 2550, 300, 300, {200, 154}},  // landscape: full width
      {200, 200, 2550, 3300, 0, 0, {154, 200}},      // unknown pixel shape
      {200, 200, 2550, 3300, 200, 100, {200, 129}},  // pixels twice as wide as high
      {200, 200, 0, 3300, 300, 300, {0, 0}},         // no page
      {0, 200, 2550, 3300, 300, 300, {0, 0}},        // no client area
      {200, 200, 300000, 300000, 1, 1, {200, 200}},  // a page whose products pass 2^31
  };
  for (const auto& c : cases) {
    const LayoutSize paper = PaperInPreview(c.cx, c.cy, c.width, c.height, c.ax, c.ay);
    EXPECT_EQ(paper.width, c.paper.width) << c.width << "x" << c.height;
    EXPECT_EQ(paper.height, c.paper.height) << c.width << "x" << c.height;
  }
  const LayoutSize printable = PrintableInPreview({154, 200}, {2400, 3150}, 2550, 3300);
  EXPECT_EQ(printable.width, 144);
  EXPECT_EQ(printable.height, 190);
  const LayoutSize none = PrintableInPreview({154, 200}, {2400, 3150}, 0, 0);
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
  const LayoutSize box = ShownBox({144, 190}, 900);
  EXPECT_EQ(box.width, 129);
  EXPECT_EQ(box.height, 171);
}

TEST(PageLayout, ClampKeepsTheShownPictureOffTheMargins) {
  const LayoutSize paper = {154, 200}, printable = {144, 190}, shown = {100, 50};
  const struct {
    LayoutPoint position;
    LayoutSize printable;
    LayoutPoint clamped;
  } cases[] = {
      {{0, 0}, printable, {3571, 1500}},         {{10000, 10000}, printable, {6429, 8500}},
      {{5000, 5000}, printable, {5000, 5000}},   {{3571, 8500}, printable, {3571, 8500}},
      {{0, 0}, paper, {3246, 1250}},             {{10000, 0}, paper, {6754, 1250}},  // no margin
  };
  for (const auto& c : cases) {
    const LayoutPoint clamped = ClampPosition(c.position, paper, c.printable, shown);
    EXPECT_EQ(clamped.x, c.clamped.x) << c.position.x << "," << c.position.y;
    EXPECT_EQ(clamped.y, c.clamped.y) << c.position.x << "," << c.position.y;
  }
  const LayoutPoint unchanged = ClampPosition({1234, 8765}, {0, 0}, {0, 0}, {0, 0});
  EXPECT_EQ(unchanged.x, 1234);
  EXPECT_EQ(unchanged.y, 8765);
}

TEST(PageLayout, DraggingNearAnEdgeGoesToTheEdge) {
  const struct {
    int at, paper, shown, position;
  } cases[] = {
      {10, 154, 100, 0},     {50, 154, 100, 0},        {51, 154, 100, 3311}, {77, 154, 100, 5000},
      {104, 154, 100, 10000}, {150, 154, 100, 10000}, {-40, 154, 100, 0},   {400, 154, 100, 10000},
      {10, 154, 154, 5000},  {10, 154, 300, 5000},     {10, 0, 0, 5000},
  };
  for (const auto& c : cases) EXPECT_EQ(DragPosition(c.at, c.paper, c.shown), c.position) << c.at;
}

TEST(PageLayout, SizeTextsInInchesAndMillimetres) {
  const struct {
    int scale;
    LayoutSize printed;
    int ppiX, ppiY;
    SizeTexts texts;
  } cases[] = {
      {900, {2160, 2160}, 300, 300, {"90.0 %", "7.20", "182.9", "7.20", "182.9"}},
      {1000, {2400, 600}, 300, 300, {"100.0 %", "8.00", "203.2", "2.00", "50.8"}},
      {0, {0, 0}, 300, 300, {" 0.0 %", "0.00", " 0.0", "0.00", " 0.0"}},
      {5, {12, 6}, 600, 0, {" 0.5 %", "0.02", " 0.5", "0.00", " 0.0"}},
  };
  for (const auto& c : cases) {
    const SizeTexts texts = DescribeSize(c.scale, c.printed, c.ppiX, c.ppiY);
    EXPECT_EQ(texts.scale, c.texts.scale);
    EXPECT_EQ(texts.widthInches, c.texts.widthInches);
    EXPECT_EQ(texts.widthMillimetres, c.texts.widthMillimetres);
    EXPECT_EQ(texts.heightInches, c.texts.heightInches);
    EXPECT_EQ(texts.heightMillimetres, c.texts.heightMillimetres);
  }
}

}  // namespace
