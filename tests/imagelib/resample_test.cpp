// Size changes: the fit into a box and the fixed-ratio filters, with values worked out by hand
// from the filters' formulas.
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "canvas_test_pictures.h"
#include "cimage_test_access.h"

namespace {

using namespace canvas_pictures;

using Access = CimageTestAccess;

TEST(FitIntoBox, EnlargesKeepingTheAspect) {
  Cimage picture;
  PaintPattern(picture, 100, 50);
  picture.ReSample(400, 400, 2);
  EXPECT_EQ(SizeOf(picture), "400 x 200");
  EXPECT_EQ(ScaleOf(picture), "1/1");
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(FitIntoBox, HalvesALargePictureFirstAndCountsTheHalvings) {
  Cimage picture;
  PaintPattern(picture, 4000, 3000);
  Cimage halved(&picture);
  picture.ReSample(160, 160, 2);
  EXPECT_EQ(SizeOf(picture), "160 x 119");
  EXPECT_EQ(ScaleOf(picture), "1/16");
  EXPECT_TRUE(BufferInStep(picture));

  // The same as four plain halvings to 250 × 187 and a bilinear step that needs no more.
  for (int i = 0; i < 4; ++i) Access::Block_Resample_12(halved);
  ASSERT_EQ(SizeOf(halved), "250 x 187");
  halved.ReSample(160, 160, 2);
  EXPECT_EQ(halved.m_scaleDen, 1);
  EXPECT_TRUE(SamePixels(picture, halved));
}

TEST(FitIntoBox, GivesWhatPlainHalvingsAndABilinearStepGive) {
  // Odd sides, a side that stops the halving at 4, and a box one row high.
  struct Case {
    int width, height, boxWidth, boxHeight, halvings;
  } cases[] = {{1001, 999, 100, 100, 3}, {37, 1000, 30, 40, 3}, {9, 65, 1, 1, 1},
               {640, 480, 160, 120, 1},  {700, 5, 10, 10, 1},   {513, 259, 300, 1, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " into " << c.boxWidth << " x " << c.boxHeight);
    Cimage picture;
    PaintPattern(picture, c.width, c.height);
    Cimage stepwise(&picture);
    picture.ReSample(c.boxWidth, c.boxHeight, 2);
    EXPECT_EQ(ScaleOf(picture), "1/" + std::to_string(1 << c.halvings));
    for (int i = 0; i < c.halvings; ++i) stepwise.ReSample(0, 0, 5);
    stepwise.ReSample(c.boxWidth, c.boxHeight, 2);
    EXPECT_EQ(ScaleOf(stepwise), "1/1");
    EXPECT_TRUE(SamePixels(picture, stepwise));
    EXPECT_TRUE(BufferInStep(picture));
  }
}

TEST(FitIntoBox, BlendsNeighboursWithWeightsOutOf256) {
  // Columns 0 and 200 stretched to four: the second output lies halfway, the last repeats.
  Cimage picture;
  PaintValues(picture, 2, 1, {0, 200});
  picture.ReSample(4, 4, 2);
  ASSERT_EQ(SizeOf(picture), "4 x 2");
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{0, 100, 200, 200, 0, 100, 200, 200}));
  EXPECT_EQ(PixelAt(picture, 1, 0), (Pixel{100, 101, 102}));

  // Three rows squeezed into two: output row 1 sits 3/2 down, between rows 1 and 2.
  PaintValues(picture, 1, 3, {0, 100, 200});
  picture.ReSample(1, 2, 2);
  ASSERT_EQ(picture.m_height, 2);
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{0, 150}));
}

TEST(FitIntoBox, NeverShrinksASideToNothing) {
  struct Case {
    int width, height, boxWidth, boxHeight, expectWidth, expectHeight;
  } cases[] = {
      {1, 2000, 640, 480, 1, 480}, {2000, 1, 640, 480, 640, 1}, {5, 2000, 640, 480, 1, 480},
      {7, 3, 0, 0, 1, 1},          {3, 3, -5, 10, 1, 1},        {1, 1, 1, 1, 1, 1},
      {1, 1, 30, 20, 20, 20},      {9, 5, 1, 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " into " << c.boxWidth << " x " << c.boxHeight);
    Cimage picture;
    PaintConstant(picture, c.width, c.height, Pixel{10, 100, 200});
    picture.ReSample(c.boxWidth, c.boxHeight, 2);
    EXPECT_EQ(SizeOf(picture), Size(c.expectWidth, c.expectHeight));
    EXPECT_TRUE(BufferInStep(picture));
    EXPECT_TRUE(IsConstant(picture, Pixel{10, 100, 200}));
  }
}

TEST(BlockFilters, HalfAveragesEachTwoByTwoBlock) {
  Cimage picture;
  PaintValues(picture, 5, 3, {10, 20, 30, 40, 99, 50, 60, 70, 80, 99, 99, 99, 99, 99, 99});
  picture.ReSample(0, 0, 5);
  ASSERT_EQ(SizeOf(picture), "2 x 1");
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{35, 55}));
  EXPECT_EQ(PixelAt(picture, 0, 0), (Pixel{35, 36, 37}));

  // A side of one pixel keeps it and halves the other side only.
  PaintValues(picture, 1, 4, {10, 20, 30, 41});
  picture.ReSample(0, 0, 5);
  ASSERT_EQ(picture.m_width, 1);
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{15, 35}));
}

TEST(BlockFilters, TwoThirdsKeepsTheFirstOfThreeAndAveragesTheRest) {
  Cimage picture;
  PaintValues(picture, 3, 3, {10, 20, 31, 40, 50, 60, 71, 80, 90});
  picture.ReSample(0, 0, 3);
  ASSERT_EQ(SizeOf(picture), "2 x 2");
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{10, 25, 55, 70}));

  PaintPattern(picture, 10, 10);
  picture.ReSample(0, 0, 3);
  EXPECT_EQ(SizeOf(picture), "6 x 6");

  PaintValues(picture, 2, 1, {7, 9});
  picture.ReSample(0, 0, 3);
  EXPECT_EQ(picture.m_width, 1);
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{7}));
}

TEST(BlockFilters, ThreeQuartersWeighsTwoToOneWithOneDivision) {
  Cimage picture;
  PaintValues(picture, 4, 4, {0, 30, 61, 100, 9, 47, 70, 120, 200, 13, 90, 250, 5, 250, 17, 33});
  picture.ReSample(0, 0, 4);
  ASSERT_EQ(SizeOf(picture), "3 x 3");
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{0, 40, 87, 72, 49, 134, 70, 127, 84}));
}

TEST(BlockFilters, DoubleInterpolatesAndRepeatsTheLastRowAndColumn) {
  Cimage picture;
  PaintValues(picture, 2, 2, {0, 90, 181, 250});
  picture.ReSample(0, 0, 6);
  ASSERT_EQ(SizeOf(picture), "4 x 4");
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{0, 45, 90, 90,      //
                                                   90, 130, 170, 170,  //
                                                   181, 215, 250, 250, //
                                                   181, 215, 250, 250}));
  EXPECT_EQ(ScaleOf(picture), "2/1");
}

TEST(BlockFilters, TripleRepeatsSourcePixelsAtTheRightEdge) {
  Cimage picture;
  PaintValues(picture, 2, 2, {0, 90, 180, 250});
  Access::Block_Resample_31(picture);
  ASSERT_EQ(SizeOf(picture), "6 x 6");
  // Below each group's first row, the last three columns take the next source row's last pixel.
  EXPECT_EQ(BlueValues(picture), (std::vector<int>{0, 30, 60, 90, 90, 90,          //
                                                   60, 87, 115, 250, 250, 250,     //
                                                   120, 145, 171, 250, 250, 250,   //
                                                   180, 203, 226, 250, 250, 250,   //
                                                   180, 203, 226, 250, 250, 250,   //
                                                   180, 203, 226, 250, 250, 250}));
  EXPECT_EQ(picture.m_scaleNum, 3);
}

TEST(BlockFilters, TripleKeepsTheChannelOrderOfEveryPixel) {
  Cimage picture;
  Paint(picture, 5, 3, [](int x, int y) { return Pixel{10 + x + y, 100 + x, 200 + y}; });
  Access::Block_Resample_31(picture);
  ASSERT_EQ(SizeOf(picture), "15 x 9");
  EXPECT_TRUE(BufferInStep(picture, false));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 15; ++x) {
      const Pixel p = PixelAt(picture, x, y);
      EXPECT_TRUE(p.b >= 10 && p.b <= 16 && p.g >= 100 && p.g <= 104 && p.r >= 200 && p.r <= 202)
          << x << ", " << y << ": " << p;
    }
  EXPECT_EQ(PixelAt(picture, 14, 8), (Pixel{16, 104, 202}));
  EXPECT_EQ(PixelAt(picture, 0, 0), (Pixel{10, 100, 200}));
}

// Every resampler at every awkward size: flat pictures stay flat, no side becomes empty, and the
// buffer agrees with the geometry.
TEST(EveryResampler, KeepsFlatPicturesFlatAtEverySize) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 5}, {5, 3}, {7, 7}, {13, 11}, {64, 48}};
  struct Filter {
    const char* name;
    void (*run)(Cimage&);
    bool rebuildsHeader = true;
  } filters[] = {
      {"fit into 37 x 23", [](Cimage& p) { p.ReSample(37, 23, 2); }},
      {"fit into 3 x 200", [](Cimage& p) { p.ReSample(3, 200, 1); }},
      {"fit into 1 x 1", [](Cimage& p) { p.ReSample(1, 1, 2); }},
      {"2/3", [](Cimage& p) { p.ReSample(0, 0, 3); }},
      {"3/4", [](Cimage& p) { p.ReSample(0, 0, 4); }},
      {"1/2", [](Cimage& p) { p.ReSample(0, 0, 5); }},
      {"x 2", [](Cimage& p) { p.ReSample(0, 0, 6); }},
      {"x 3", [](Cimage& p) { Access::Block_Resample_31(p); }, false},
  };
  const Pixel colours[] = {{255, 255, 255}, {10, 128, 251}, {0, 0, 0}};
  for (const Filter& f : filters)
    for (const auto& size : sizes)
      for (const Pixel& colour : colours) {
        SCOPED_TRACE(testing::Message() << f.name << " of " << size[0] << " x " << size[1] << " " << colour);
        Cimage picture;
        PaintConstant(picture, size[0], size[1], colour);
        f.run(picture);
        ASSERT_TRUE(picture.m_pixels);
        EXPECT_GE(picture.m_width, 1);
        EXPECT_GE(picture.m_height, 1);
        EXPECT_TRUE(BufferInStep(picture, f.rebuildsHeader));
        EXPECT_TRUE(IsConstant(picture, colour));
      }
}

TEST(EveryResampler, GivesTheStatedSizes) {
  struct Case {
    int mode, width, height, expectWidth, expectHeight;
  } cases[] = {
      {3, 10, 10, 6, 6}, {3, 11, 4, 6, 2},  {3, 1, 7, 1, 4},   {4, 8, 12, 6, 9}, {4, 7, 3, 3, 1},
      {4, 1, 1, 1, 1},   {5, 9, 5, 4, 2},   {5, 1, 3, 1, 1},   {6, 3, 1, 6, 2},  {6, 1, 1, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " of " << c.width << " x " << c.height);
    Cimage picture;
    PaintPattern(picture, c.width, c.height);
    picture.ReSample(0, 0, c.mode);
    EXPECT_EQ(SizeOf(picture), Size(c.expectWidth, c.expectHeight));
    EXPECT_TRUE(BufferInStep(picture));
  }
}

TEST(ReSample, OtherModesChangeNothing) {
  for (int mode : {0, 7, -1, 100}) {
    Cimage picture;
    PaintPattern(picture, 6, 5);
    const Cimage original(&picture);
    const uint8_t* pixels = picture.m_pixels;
    picture.ReSample(3, 3, mode);
    EXPECT_EQ(picture.m_pixels, pixels) << mode;
    EXPECT_TRUE(SamePixels(picture, original)) << mode;
  }
}

TEST(ReSample, LeavesAnUnusablePictureAlone) {
  for (int mode = 1; mode <= 6; ++mode) {
    Cimage empty;
    empty.ReSample(10, 10, mode);
    EXPECT_FALSE(empty.m_pixels);
    EXPECT_EQ(empty.m_width, 0);

    Cimage failed;
    PaintPattern(failed, 8, 8);
    failed.m_loadError = 1;
    failed.ReSample(4, 4, mode);
    EXPECT_EQ(failed.m_width, 8) << mode;
    EXPECT_EQ(failed.m_loadError, 1);
  }
  Cimage empty;
  Access::Block_Resample_31(empty);
  Access::Arbitrary_Resample(empty, 5, 5);
  EXPECT_FALSE(empty.m_pixels);
}

TEST(ReSample, EndsTheAnimationAndMakesANewPictureForTheDisplay) {
  Cimage picture;
  PaintPattern(picture, 8, 6);
  picture.m_animated = 1;
  picture.m_frameDelay = 12;
  picture.m_displayDithered = 1;
  picture.ReSample(4, 4, 2);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_EQ(picture.m_displayDithered, 0);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(ReSample, ScaleBookkeeping) {
  Cimage picture;
  PaintPattern(picture, 12, 12);
  picture.ReSample(0, 0, 3);
  picture.ReSample(0, 0, 4);
  picture.ReSample(0, 0, 5);
  EXPECT_EQ(picture.m_scaleNum, 1);  // reductions leave the scale to the caller
  EXPECT_EQ(picture.m_scaleDen, 1);
  picture.ReSample(0, 0, 6);
  Access::Block_Resample_31(picture);
  EXPECT_EQ(ScaleOf(picture), "6/1");

  // Near the limit of an int the fraction is reduced rather than overflowing.
  picture.m_scaleNum = 1 << 30;
  picture.m_scaleDen = 1 << 29;
  picture.ReSample(0, 0, 6);
  EXPECT_EQ(ScaleOf(picture), "4/1");
  picture.m_scaleNum = INT_MAX;
  picture.m_scaleDen = 1;
  picture.ReSample(0, 0, 5);
  picture.ReSample(0, 0, 6);
  EXPECT_GT(picture.m_scaleNum, 0);
  EXPECT_GT(picture.m_scaleDen, 0);
}

TEST(ReSample, AnEnlargementPastTheSizeLimitKeepsThePicture) {
  Cimage picture;
  PaintPattern(picture, 20000, 2);
  const Cimage original(&picture);
  picture.ReSample(0, 0, 6);
  EXPECT_EQ(picture.m_scaleNum, 1);
  EXPECT_FALSE(picture.m_loadError);
  EXPECT_TRUE(SamePixels(picture, original));
  EXPECT_TRUE(BufferInStep(picture));

  picture.ReSample(40000, 40000, 2);
  EXPECT_TRUE(SamePixels(picture, original));
}

}  // namespace
