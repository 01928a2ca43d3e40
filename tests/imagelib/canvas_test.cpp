// Canvas operations: blank canvases, copies into and out of pictures, crops, padding and frames.
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "canvas_test_pictures.h"

namespace {

using namespace canvas_pictures;

constexpr unsigned ColorRef(int r, int g, int b) { return unsigned(r) | unsigned(g) << 8 | unsigned(b) << 16; }

// The pixels of source at left, top fill the whole of part.
bool ShowsPart(const Cimage& part, const Cimage& source, int left, int top, int width, int height) {
  if (part.m_width != width || part.m_height != height) return false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!(PixelAt(part, x, y) == PixelAt(source, left + x, top + y))) return false;
  return true;
}

TEST(Blank, MakesAFreshCanvasOfTheColour) {
  Cimage picture;
  PaintPattern(picture, 5, 5);
  picture.m_loadError = picture.m_saveError = picture.m_components = 1;
  picture.m_fileSize = 1234;
  picture.Blank(7, 3, ColorRef(10, 20, 30));
  EXPECT_EQ(SizeOf(picture), "7 x 3");
  EXPECT_TRUE(IsConstant(picture, Pixel{30, 20, 10}));
  EXPECT_EQ(picture.m_valid, 1);
  EXPECT_EQ(picture.m_components, 3);
  EXPECT_EQ(picture.m_loadError | picture.m_saveError | picture.m_fileSize, 0);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(Blank, EdgeSizes) {
  for (const auto& size : std::vector<std::pair<int, int>>{{1, 1}, {1, 9}, {9, 1}, {5, 2}, {6, 2}, {7, 2}}) {
    Cimage picture;
    picture.Blank(size.first, size.second, ColorRef(255, 0, 128));
    EXPECT_TRUE(BufferInStep(picture)) << size.first << " x " << size.second;
    EXPECT_TRUE(IsConstant(picture, Pixel{128, 0, 255}));
  }
  Cimage none;
  none.Blank(0, 5, 0);
  EXPECT_FALSE(none.m_pixels);
  EXPECT_EQ(none.m_valid, 0);
  Cimage huge;
  huge.Blank(40000, 40000, 0);
  EXPECT_FALSE(huge.m_pixels);
  EXPECT_EQ(huge.m_loadError, 1);
}

TEST(BitBlt, CopiesTheSourceToTheCorner) {
  Cimage picture, source;
  PaintConstant(picture, 9, 7, Pixel{1, 1, 1});
  PaintPattern(source, 3, 2);
  picture.BitBlt(5, 4, &source);
  EXPECT_TRUE(ShowsPart(source, picture, 5, 4, 3, 2));
  EXPECT_EQ(PixelAt(picture, 4, 4), (Pixel{1, 1, 1}));
  EXPECT_EQ(PixelAt(picture, 8, 4), (Pixel{1, 1, 1}));
  EXPECT_EQ(PixelAt(picture, 5, 6), (Pixel{1, 1, 1}));
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(BitBlt, ClipsWhatFallsOutside) {
  Cimage source;
  PaintPattern(source, 4, 3);
  struct Case {
    int x, y;
  } cases[] = {{-2, -1}, {7, 5}, {-10, 0}, {100, 100}, {-2147483647, 2147483647}};
  for (const Case& c : cases) {
    Cimage picture;
    PaintConstant(picture, 9, 7, Pixel{1, 1, 1});
    picture.BitBlt(c.x, c.y, &source);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        const long long sx = x - static_cast<long long>(c.x), sy = y - static_cast<long long>(c.y);
        const bool covered = sx >= 0 && sx < 4 && sy >= 0 && sy < 3;
        const Pixel expected = covered ? PixelAt(source, int(sx), int(sy)) : Pixel{1, 1, 1};
        EXPECT_EQ(PixelAt(picture, x, y), expected) << c.x << ", " << c.y << " at " << x << ", " << y;
      }
  }
}

TEST(BitBlt, MayCopyAPictureOntoItself) {
  Cimage picture;
  PaintPattern(picture, 6, 5);
  const Cimage original(&picture);
  picture.BitBlt(1, 1, &picture);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool moved = x >= 1 && y >= 1;
      EXPECT_EQ(PixelAt(picture, x, y), moved ? PixelAt(original, x - 1, y - 1) : PixelAt(original, x, y));
    }
}

TEST(BitBlt, NeedsTwoUsablePictures) {
  Cimage picture, empty;
  PaintPattern(picture, 4, 4);
  picture.BitBlt(0, 0, &empty);
  picture.BitBlt(0, 0, nullptr);
  Cimage original(&picture);
  EXPECT_TRUE(SamePixels(picture, original));
  empty.BitBlt(0, 0, &picture);
  EXPECT_FALSE(empty.m_pixels);
}

TEST(Crop, KeepsTheRectangle) {
  Cimage picture;
  PaintPattern(picture, 13, 9);
  const Cimage original(&picture);
  picture.m_animated = 1;
  picture.Crop(CRect(2, 3, 7, 8));
  EXPECT_TRUE(ShowsPart(picture, original, 2, 3, 5, 5));
  EXPECT_EQ(picture.m_origWidth, 5);
  EXPECT_EQ(picture.m_origHeight, 5);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(Crop, NormalisesAndClipsTheRectangle) {
  struct Case {
    CRect r;
    int left, top, width, height;
  } cases[] = {
      {CRect(4, 2, 40, 6), 4, 2, 9, 4},   // right beyond the width: up to the edge
      {CRect(7, 8, 2, 3), 2, 3, 5, 5},    // corners swapped
      {CRect(-3, -2, 3, 2), 0, 0, 3, 2},  // before the left and top
      {CRect(0, 0, 1, 1), 0, 0, 1, 1},
      {CRect(12, 0, 13, 9), 12, 0, 1, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.r.left << ", " << c.r.top << ", " << c.r.right << ", " << c.r.bottom);
    Cimage picture;
    PaintPattern(picture, 13, 9);
    const Cimage original(&picture);
    picture.Crop(c.r);
    EXPECT_TRUE(ShowsPart(picture, original, c.left, c.top, c.width, c.height));
    EXPECT_TRUE(BufferInStep(picture));
  }
}

TEST(Crop, ChangesNothingForABottomBeyondThePictureOrAnEmptyRectangle) {
  for (const CRect& r : {CRect(0, 0, 5, 10), CRect(14, 0, 20, 5), CRect(3, 3, 3, 8), CRect(2, 5, 9, 5),
                         CRect(-9, -9, -1, -1)}) {
    Cimage picture;
    PaintPattern(picture, 13, 9);
    const Cimage original(&picture);
    const uint8_t* pixels = picture.m_pixels;
    picture.Crop(r);
    EXPECT_EQ(picture.m_pixels, pixels);
    EXPECT_TRUE(SamePixels(picture, original));
    EXPECT_EQ(picture.m_valid, 1);
  }
  Cimage empty;
  empty.Crop(CRect(0, 0, 1, 1));
  EXPECT_FALSE(empty.m_pixels);
}

TEST(CopyArea, TakesTheRectangleWithBackgroundOutsideTheSource) {
  Cimage source, area;
  PaintPattern(source, 6, 5);
  source.m_components = 1;
  area.m_saveError = 1;
  area.CopyArea(&source, CRect(4, -1, 8, 2), 0x00102030);  // red 0x10, green 0x20, blue 0x30
  ASSERT_EQ(SizeOf(area), "4 x 3");
  EXPECT_EQ(area.m_origWidth, 4);
  EXPECT_EQ(area.m_origHeight, 3);
  EXPECT_EQ(area.m_components, 1);
  EXPECT_EQ(area.m_valid, 1);
  EXPECT_EQ(area.m_loadError, 0);
  const Pixel background{0x30, 0x20, 0x10};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const bool inside = x < 2 && y > 0;
      EXPECT_EQ(PixelAt(area, x, y), inside ? PixelAt(source, 4 + x, y - 1) : background) << x << ", " << y;
    }
  EXPECT_TRUE(BufferInStep(area));
}

TEST(CopyArea, EdgeCases) {
  Cimage source;
  PaintPattern(source, 7, 3);

  Cimage kept;
  PaintPattern(kept, 5, 5);
  kept.CopyArea(&source, CRect(3, 1, 3, 9), 0);  // empty: nothing happens
  EXPECT_EQ(kept.m_width, 5);
  EXPECT_EQ(kept.m_valid, 1);

  Cimage swapped;
  swapped.CopyArea(&source, CRect(5, 3, 1, 0), 0);
  EXPECT_TRUE(ShowsPart(swapped, source, 1, 0, 4, 3));

  Cimage fromNothing, empty;
  PaintPattern(fromNothing, 5, 5);
  fromNothing.CopyArea(&empty, CRect(0, 0, 2, 2), 0);
  EXPECT_EQ(fromNothing.m_loadError, 1);
  EXPECT_FALSE(fromNothing.m_pixels);

  Cimage tooLarge;
  tooLarge.CopyArea(&source, CRect(-2000000000, 0, 2000000000, 2), 0);
  EXPECT_EQ(tooLarge.m_loadError, 1);

  Cimage self;
  PaintPattern(self, 7, 3);
  self.CopyArea(&self, CRect(1, 1, 8, 2), 0xFFFFFF);
  ASSERT_EQ(SizeOf(self), "7 x 1");
  for (int x = 0; x < 6; ++x) EXPECT_EQ(PixelAt(self, x, 0), PixelAt(source, x + 1, 1));
  EXPECT_EQ(PixelAt(self, 6, 0), (Pixel{255, 255, 255}));
  EXPECT_TRUE(BufferInStep(self));
}

TEST(PadToFill, CentresThePictureOnTheLargerCanvas) {
  Cimage picture;
  PaintPattern(picture, 3, 2);
  const Cimage original(&picture);
  picture.PadToFill(ColorRef(1, 2, 3), 8, 5);
  ASSERT_EQ(SizeOf(picture), "8 x 5");
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(PixelAt(picture, x, y), inside ? PixelAt(original, x - 2, y - 1) : (Pixel{3, 2, 1}));
    }
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(PadToFill, GrowsOnlyWhereTheTargetIsLarger) {
  struct Case {
    int width, height, targetWidth, targetHeight;
    const char* size;
  } cases[] = {{5, 4, 7, 2, "7 x 4"}, {5, 4, 1, 1, "5 x 4"}, {1, 1, 1, 1, "1 x 1"}, {1, 1, 2, 1, "2 x 1"},
               {1, 1, 3, 1, "3 x 1"}, {1, 1, 4, 1, "4 x 1"}, {1, 1, 1, 5, "1 x 5"}, {3, 3, 6, 6, "6 x 6"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " to " << c.targetWidth << " x " << c.targetHeight);
    Cimage picture;
    PaintPattern(picture, c.width, c.height);
    const Cimage original(&picture);
    picture.PadToFill(0, c.targetWidth, c.targetHeight);
    EXPECT_EQ(SizeOf(picture), c.size);
    EXPECT_TRUE(ShowsPart(original, picture, (picture.m_width - c.width) / 2, (picture.m_height - c.height) / 2,
                          c.width, c.height));
    EXPECT_TRUE(BufferInStep(picture));
  }
}

TEST(FrameFill, WithoutFillFitsInside) {
  const struct {
    int width, height;
    const char* size;
  } frames[] = {{40, 40, "40 x 13"}, {100, 10, "30 x 10"}, {5, 50, "5 x 1"}};
  for (const auto& frame : frames) {
    Cimage framed;
    PaintPattern(framed, 90, 30);
    Cimage fitted(&framed);
    framed.FrameFill(frame.width, frame.height, 0);
    fitted.ReSample(frame.width, frame.height, 2);
    EXPECT_EQ(SizeOf(framed), frame.size);
    EXPECT_TRUE(SamePixels(framed, fitted));
  }
}

TEST(FrameFill, WithFillCoversTheFrameAndCutsEqualStrips) {
  // Each column's blue is its index, so the kept columns show where the cut fell.
  Cimage picture;
  Paint(picture, 200, 100, [](int x, int) { return Pixel{x, 0, 0}; });
  picture.FrameFill(50, 50, 1);
  ASSERT_EQ(SizeOf(picture), "50 x 50");
  EXPECT_EQ(PixelAt(picture, 0, 0).b, 50);    // 50 columns cut on the left
  EXPECT_EQ(PixelAt(picture, 49, 0).b, 148);  // and 50 on the right
  EXPECT_EQ(picture.m_origWidth, 50);
  EXPECT_TRUE(BufferInStep(picture));

  Paint(picture, 100, 200, [](int, int y) { return Pixel{0, y, 0}; });
  picture.FrameFill(50, 50, 1);
  ASSERT_EQ(SizeOf(picture), "50 x 50");
  EXPECT_EQ(PixelAt(picture, 0, 0).g, 50);
  EXPECT_EQ(PixelAt(picture, 0, 49).g, 148);
}

TEST(FrameFill, EdgeSizes) {
  struct Case {
    int width, height, frameWidth, frameHeight;
  } cases[] = {{1, 1, 10, 10}, {1, 50, 20, 20}, {50, 1, 20, 20}, {7, 3, 5, 9}, {640, 480, 1, 1}, {3, 5, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " in " << c.frameWidth << " x " << c.frameHeight);
    Cimage picture;
    PaintConstant(picture, c.width, c.height, Pixel{5, 6, 7});
    picture.FrameFill(c.frameWidth, c.frameHeight, 1);
    EXPECT_GE(picture.m_width, 1);
    EXPECT_GE(picture.m_height, 1);
    EXPECT_LE(picture.m_width, c.frameWidth);
    EXPECT_LE(picture.m_height, c.frameHeight);
    EXPECT_TRUE(IsConstant(picture, Pixel{5, 6, 7}));
    EXPECT_TRUE(BufferInStep(picture));
  }
  Cimage picture;
  PaintPattern(picture, 6, 6);
  picture.FrameFill(0, 10, 1);
  picture.FrameFill(10, -1, 0);
  EXPECT_EQ(picture.m_width, 6);
}

TEST(CanvasOperations, LeaveAnUnusablePictureAlone) {
  Cimage source;
  PaintPattern(source, 3, 3);
  Cimage empty;
  empty.Crop(CRect(0, 0, 1, 1));
  empty.PadToFill(0, 5, 5);
  empty.FrameFill(5, 5, 0);
  empty.FrameFill(5, 5, 1);
  empty.BitBlt(0, 0, &source);
  EXPECT_FALSE(empty.m_pixels);
  EXPECT_EQ(empty.m_valid, 0);

  Cimage failed;
  PaintPattern(failed, 4, 4);
  failed.m_loadError = 1;
  failed.Crop(CRect(0, 0, 1, 1));
  failed.PadToFill(0, 5, 5);
  failed.FrameFill(2, 2, 0);
  failed.FrameFill(2, 2, 1);
  EXPECT_EQ(SizeOf(failed), "4 x 4");
}

}  // namespace
