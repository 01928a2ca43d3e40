// Zoomed copies of a rectangle of another picture.
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "canvas_test_pictures.h"
#include "cimage_test_access.h"

namespace {

using namespace canvas_pictures;

// The source's rectangle as a picture of its own, pixel for pixel.
bool IsRectangleOf(const Cimage& zoomed, const Cimage& source, int left, int top) {
  for (int y = 0; y < zoomed.m_height; ++y)
    for (int x = 0; x < zoomed.m_width; ++x)
      if (!(PixelAt(zoomed, x, y) == PixelAt(source, left + x, top + y))) return false;
  return true;
}

TEST(ZoomImage, OneToOneIsAnExactCopyOfTheRectangle) {
  Cimage source, zoomed;
  PaintPattern(source, 31, 17);
  source.m_components = 1;
  zoomed.ZoomImage(&source, 1, 1, 3, 2, 11, 9, 0);
  ASSERT_EQ(SizeOf(zoomed), "11 x 9");
  EXPECT_TRUE(IsRectangleOf(zoomed, source, 3, 2));
  EXPECT_EQ(zoomed.m_origWidth, 11);
  EXPECT_EQ(zoomed.m_origHeight, 9);
  EXPECT_EQ(zoomed.m_components, 1);
  EXPECT_EQ(zoomed.m_valid, 1);
  EXPECT_EQ(zoomed.m_loadError, 0);
  EXPECT_TRUE(BufferInStep(zoomed));
}

TEST(ZoomImage, TheRectangleFormTakesTheSameArea) {
  Cimage source, byCorner, byRect;
  PaintPattern(source, 20, 20);
  byCorner.ZoomImage(&source, 2, 1, 4, 5, 7, 3, 0);
  byRect.ZoomImage(&source, 2, 1, CRect(4, 5, 11, 8));
  EXPECT_EQ(SizeOf(byRect), "14 x 6");
  EXPECT_TRUE(SamePixels(byCorner, byRect));
}

TEST(ZoomImage, OneEighthOfA64SquareIs8Square) {
  Cimage source, zoomed;
  PaintConstant(source, 80, 70, Pixel{1, 2, 3});
  zoomed.ZoomImage(&source, 1, 8, CRect(0, 0, 64, 64));
  EXPECT_EQ(SizeOf(zoomed), "8 x 8");
  EXPECT_EQ(zoomed.m_origWidth, 64);
  EXPECT_EQ(zoomed.m_origHeight, 64);
  EXPECT_TRUE(IsConstant(zoomed, Pixel{1, 2, 3}));
  EXPECT_TRUE(BufferInStep(zoomed));
}

TEST(ZoomImage, EachRatioGivesItsSize) {
  struct Case {
    int num, den, width, height;
  } cases[] = {
      {1, 1, 12, 12}, {2, 1, 24, 24}, {3, 1, 36, 36}, {4, 1, 48, 48}, {6, 1, 72, 72},
      {5, 1, 96, 96},  // any other enlargement is three doublings
      {0, 1, 96, 96},  {2, 3, 96, 96},  {3, 2, 96, 96},
      {1, 2, 6, 6},    {1, 3, 4, 4},    {1, 4, 3, 3},    {1, 6, 2, 2}, {1, 8, 1, 1},
      {1, 5, 6, 6},    // any other reduction is the one halving
      {1, 0, 6, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.num << "/" << c.den);
    Cimage source, zoomed;
    PaintConstant(source, 12, 12, Pixel{200, 7, 99});
    zoomed.ZoomImage(&source, c.num, c.den, 0, 0, 12, 12, 0);
    EXPECT_EQ(SizeOf(zoomed), Size(c.width, c.height));
    EXPECT_TRUE(IsConstant(zoomed, Pixel{200, 7, 99}));
    EXPECT_TRUE(BufferInStep(zoomed));
  }
}

TEST(ZoomImage, ReducesWithTwoByTwoMeans) {
  Cimage source, zoomed;
  PaintValues(source, 4, 2, {10, 20, 30, 40, 50, 60, 70, 81});
  zoomed.ZoomImage(&source, 1, 2, 0, 0, 4, 2, 0);
  EXPECT_EQ(BlueValues(zoomed), (std::vector<int>{35, 55}));
}

TEST(ZoomImage, TripleKeepsTheChannelOrderUpToTheLastPixel) {
  Cimage source, zoomed;
  PaintConstant(source, 7, 5, Pixel{10, 20, 30});
  zoomed.ZoomImage(&source, 3, 1, 0, 0, 7, 5, 0);
  ASSERT_EQ(SizeOf(zoomed), "21 x 15");
  EXPECT_TRUE(IsConstant(zoomed, Pixel{10, 20, 30}));
  EXPECT_EQ(PixelAt(zoomed, 20, 14), (Pixel{10, 20, 30}));
}

TEST(ZoomImage, TheScaleStartsAfreshForEveryZoom) {
  Cimage source, zoomed;
  PaintPattern(source, 10, 10);
  source.m_scaleNum = 5;
  source.m_scaleDen = 7;
  for (int i = 0; i < 40; ++i) zoomed.ZoomImage(&source, 2, 1, 0, 0, 10, 10, 0);
  EXPECT_EQ(ScaleOf(zoomed), "2/1");
  zoomed.ZoomImage(&source, 6, 1, 0, 0, 10, 10, 0);
  EXPECT_EQ(zoomed.m_scaleNum, 6);
  zoomed.ZoomImage(&source, 1, 4, 0, 0, 10, 10, 0);
  EXPECT_EQ(ScaleOf(zoomed), "1/1");
}

TEST(ZoomImage, ClipsTheRectangleToTheSource) {
  Cimage source;
  PaintPattern(source, 20, 10);
  struct Case {
    CRect area;
    int left, top, width, height;
  } cases[] = {
      {CRect(15, 5, 30, 40), 15, 5, 5, 5},    // past the right and bottom
      {CRect(-4, -3, 2, 1), 0, 0, 2, 1},      // before the left and top
      {CRect(9, 8, 4, 2), 4, 2, 5, 6},        // corners swapped
      {CRect(-100, -100, 100, 100), 0, 0, 20, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.area.left << ", " << c.area.top << ", " << c.area.right << ", " << c.area.bottom);
    Cimage zoomed;
    zoomed.ZoomImage(&source, 1, 1, c.area);
    ASSERT_EQ(SizeOf(zoomed), Size(c.width, c.height));
    EXPECT_TRUE(IsRectangleOf(zoomed, source, c.left, c.top));
    EXPECT_TRUE(BufferInStep(zoomed));
  }
  Cimage zoomed;
  zoomed.ZoomImage(&source, 1, 1, 18, 9, -5, -4, 0);  // a negative size reaches back
  EXPECT_EQ(SizeOf(zoomed), "5 x 4");
  EXPECT_TRUE(IsRectangleOf(zoomed, source, 13, 5));
  // Far-out corners do not overflow.
  zoomed.ZoomImage(&source, 1, 1, -2147483000, 0, 2147483600, 5, 0);
  EXPECT_EQ(SizeOf(zoomed), "20 x 5");
  zoomed.ZoomImage(&source, 1, 1, 2147483000, 0, 2147483000, 5, 0);
  EXPECT_EQ(zoomed.m_width, 20);
}

TEST(ZoomImage, AnEmptyRectangleLeavesThePictureAsItWas) {
  Cimage source, zoomed, before;
  PaintPattern(source, 20, 10);
  PaintPattern(zoomed, 6, 4);
  PaintPattern(before, 6, 4);
  for (const CRect& r : {CRect(5, 5, 5, 9), CRect(3, 3, 9, 3), CRect(30, 0, 40, 5), CRect(0, -9, 5, -1)}) {
    zoomed.ZoomImage(&source, 2, 1, r);
    EXPECT_TRUE(SamePixels(zoomed, before));
    EXPECT_EQ(zoomed.m_valid, 1);
    EXPECT_EQ(zoomed.m_loadError, 0);
  }
}

TEST(ZoomImage, AnUnusableSourceIsALoadError) {
  Cimage empty, zoomed;
  PaintPattern(zoomed, 6, 4);
  zoomed.ZoomImage(&empty, 1, 1, 0, 0, 5, 5, 0);
  EXPECT_EQ(zoomed.m_loadError, 1);
  EXPECT_FALSE(zoomed.m_pixels);
  zoomed.ZoomImage(nullptr, 2, 1, CRect(0, 0, 5, 5));
  EXPECT_EQ(zoomed.m_loadError, 1);
}

TEST(ZoomImage, MayZoomAPictureIntoItself) {
  Cimage picture;
  PaintPattern(picture, 16, 12);
  const Cimage original(&picture);
  picture.ZoomImage(&picture, 1, 1, 2, 3, 8, 6, 0);
  EXPECT_TRUE(IsRectangleOf(picture, original, 2, 3));
  picture.ZoomImage(&picture, 2, 1, 0, 0, 8, 6, 0);
  EXPECT_EQ(picture.m_width, 16);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(ZoomImage, WorksAtEdgeSizes) {
  const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {5, 3}};
  for (const auto& size : sizes)
    for (int num : {1, 2, 3}) {
      for (int den : {1, 2, 3, 8}) {
        if (num != 1 && den != 1) continue;
        SCOPED_TRACE(testing::Message() << num << "/" << den << " of " << size[0] << " x " << size[1]);
        Cimage source, zoomed;
        PaintConstant(source, size[0], size[1], Pixel{9, 99, 199});
        zoomed.ZoomImage(&source, num, den, 0, 0, size[0], size[1], 0);
        ASSERT_TRUE(zoomed.m_pixels);
        EXPECT_GE(zoomed.m_width, 1);
        EXPECT_GE(zoomed.m_height, 1);
        EXPECT_TRUE(IsConstant(zoomed, Pixel{9, 99, 199}));
        EXPECT_TRUE(BufferInStep(zoomed));
      }
    }
}

}  // namespace
