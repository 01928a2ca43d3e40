// Merges: a picture set into a border picture, a keyed overlay and an embossed caption.
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "canvas_test_pictures.h"

namespace {

using namespace canvas_pictures;

const Pixel kBorder{200, 200, 200};
const Pixel kPicture{100, 100, 100};

// Where the picture went: its pixel at row r, column c inside the merged border.
Pixel Merged(const Cimage& merged, const Cimage& border, int w, int h, int r, int c) {
  return PixelAt(merged, (border.m_width - w) / 2 + c, (border.m_height - h) / 2 + r);
}

TEST(BorderMerge, PlainModeSetsThePictureIntoTheCentre) {
  Cimage picture, original, border;
  PaintPattern(picture, 5, 3);
  PaintPattern(original, 5, 3);
  picture.m_origWidth = 1234;
  PaintConstant(border, 12, 8, kBorder);
  border.m_components = 1;
  picture.BorderMerge(&border, 0);
  ASSERT_EQ(SizeOf(picture), "12 x 8");
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 2 && y < 5;
      EXPECT_EQ(PixelAt(picture, x, y), inside ? PixelAt(original, x - 3, y - 2) : kBorder) << x << ", " << y;
    }
  EXPECT_EQ(picture.m_components, 1);
  EXPECT_EQ(picture.m_origWidth, 1234);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(BorderMerge, APictureAsLargeAsTheBorderStillWorksALargerOneChangesNothing) {
  Cimage picture, border;
  PaintConstant(picture, 12, 3, kPicture);
  PaintConstant(border, 12, 8, kBorder);
  picture.BorderMerge(&border, 0);
  EXPECT_EQ(SizeOf(picture), "12 x 8");
  EXPECT_EQ(PixelAt(picture, 0, 2), kPicture);
  EXPECT_EQ(PixelAt(picture, 0, 1), kBorder);

  Cimage large;
  PaintConstant(large, 13, 3, kPicture);
  large.BorderMerge(&border, 1);
  EXPECT_EQ(SizeOf(large), "13 x 3");
  EXPECT_TRUE(IsConstant(large, kPicture));
  EXPECT_EQ(border.m_width, 12);
  EXPECT_TRUE(IsConstant(border, kBorder));
}

TEST(BorderMerge, SoftEdgeFadesOverSixteenPixels) {
  Cimage picture, border;
  PaintConstant(picture, 40, 40, kPicture);
  PaintConstant(border, 50, 46, kBorder);
  picture.BorderMerge(&border, 1);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(Merged(picture, border, 40, 40, 0, i), kBorder) << i;  // outermost row: border only
    EXPECT_EQ(Merged(picture, border, 40, 40, i, 0), kBorder) << i;  // outermost column
  }
  // Row 1, column 10: weight min(16, 160) = 16 of 256.
  EXPECT_EQ(Merged(picture, border, 40, 40, 1, 10).b, (200 * 240 + 100 * 16) >> 8);
  // The last row and column still show a sixteenth of the picture.
  EXPECT_EQ(Merged(picture, border, 40, 40, 39, 20).b, (200 * 240 + 100 * 16) >> 8);
  EXPECT_EQ(Merged(picture, border, 40, 40, 20, 20), kPicture);
  EXPECT_EQ(Merged(picture, border, 40, 40, 16, 24), kPicture);
}

TEST(BorderMerge, OvalModesKeepTheEllipse) {
  // A 20 × 20 picture: half-sizes 10 and 10.
  Cimage border;
  PaintConstant(border, 20, 20, kBorder);
  Cimage oval, soft;
  PaintConstant(oval, 20, 20, kPicture);
  PaintConstant(soft, 20, 20, kPicture);
  oval.BorderMerge(&border, 2);
  soft.BorderMerge(&border, 3);
  EXPECT_EQ(PixelAt(oval, 10, 10), kPicture);
  EXPECT_EQ(PixelAt(oval, 0, 0), kBorder);
  EXPECT_EQ(PixelAt(oval, 6, 1), kPicture);  // e = 0.16 + 0.81 = 0.97
  EXPECT_EQ(PixelAt(oval, 7, 0), kBorder);   // e = 0.09 + 1 = 1.09
  EXPECT_EQ(PixelAt(soft, 10, 10), kPicture);
  EXPECT_EQ(PixelAt(soft, 10, 1), kPicture);  // e = 0.81
  EXPECT_EQ(PixelAt(soft, 6, 1).b, (200 * (256 - 76) + 100 * 76) >> 8);  // trunc(0.03 × 2560) = 76
  EXPECT_EQ(PixelAt(soft, 7, 0), kBorder);
  EXPECT_EQ(PixelAt(soft, 0, 0), kBorder);
}

TEST(BorderMerge, EveryModeAtEdgeSizes) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {5, 3}, {33, 31}};
  for (int mode : {0, 1, 2, 3, 7})
    for (const auto& size : sizes) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", " << size[0] << " x " << size[1]);
      Cimage picture, border;
      PaintConstant(picture, size[0], size[1], kBorder);
      PaintConstant(border, 35, 33, kBorder);
      picture.BorderMerge(&border, mode);
      EXPECT_EQ(SizeOf(picture), "35 x 33");
      EXPECT_TRUE(IsConstant(picture, kBorder));  // blends of equal colours stay that colour
      EXPECT_TRUE(BufferInStep(picture));
    }
  // One pixel across: the ellipse's half-size of 0 counts as 1, and the centre shows.
  Cimage thin, border;
  PaintConstant(thin, 1, 9, kPicture);
  PaintConstant(border, 3, 9, kBorder);
  thin.BorderMerge(&border, 2);
  EXPECT_EQ(PixelAt(thin, 1, 4), kPicture);
}

TEST(BorderMerge, MayUseThePictureAsItsOwnBorder) {
  Cimage picture;
  PaintPattern(picture, 7, 5);
  const Cimage original(&picture);
  picture.BorderMerge(&picture, 0);
  EXPECT_TRUE(SamePixels(picture, original));
}

TEST(OverlayMerge, KeyColourIsTransparent) {
  Cimage picture, overlay;
  PaintConstant(picture, 6, 5, kPicture);
  Paint(overlay, 3, 2, [](int x, int y) {
    const Pixel colours[] = {{0, 0, 0}, {2, 2, 2}, {3, 0, 0}, {50, 60, 70}, {0, 2, 1}, {0, 0, 3}};
    return colours[y * 3 + x];
  });
  picture.OverlayMerge(&overlay, 0, 0, 0x000000);
  EXPECT_EQ(PixelAt(picture, 0, 0), kPicture);           // black
  EXPECT_EQ(PixelAt(picture, 1, 0), kPicture);           // within 2 of black
  EXPECT_EQ(PixelAt(picture, 2, 0), (Pixel{3, 0, 0}));  // blue 3 away
  EXPECT_EQ(PixelAt(picture, 0, 1), (Pixel{50, 60, 70}));
  EXPECT_EQ(PixelAt(picture, 1, 1), kPicture);
  EXPECT_EQ(PixelAt(picture, 2, 1), (Pixel{0, 0, 3}));
  EXPECT_EQ(PixelAt(picture, 3, 0), kPicture);
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(OverlayMerge, TheKeyIsPackedRedHigh) {
  Cimage picture, overlay;
  PaintConstant(picture, 4, 4, kPicture);
  Paint(overlay, 2, 1, [](int x, int) { return x == 0 ? Pixel{30, 20, 10} : Pixel{10, 20, 30}; });
  picture.OverlayMerge(&overlay, 0, 0, 0x000A141E);  // red 10, green 20, blue 30
  EXPECT_EQ(PixelAt(picture, 0, 0), kPicture);
  EXPECT_EQ(PixelAt(picture, 1, 0), (Pixel{10, 20, 30}));

  picture.OverlayMerge(&overlay, 0, 0, 0x800A141E);  // bit 31: every pixel is copied
  EXPECT_EQ(PixelAt(picture, 0, 0), (Pixel{30, 20, 10}));
}

TEST(OverlayMerge, Placement) {
  struct Case {
    int hpos, vpos, left, top;
  } cases[] = {{0, 0, 0, 0}, {1, 1, 2, 1}, {2, 2, 4, 3}, {1, 0, 2, 0}, {-1, 1, 4, 1}, {0, 9, 0, 3}};
  for (const Case& c : cases) {
    Cimage picture, overlay;
    PaintConstant(picture, 7, 5, kPicture);
    PaintConstant(overlay, 3, 2, kBorder);
    picture.OverlayMerge(&overlay, c.hpos, c.vpos, 0);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const bool covered = x >= c.left && x < c.left + 3 && y >= c.top && y < c.top + 2;
        EXPECT_EQ(PixelAt(picture, x, y), covered ? kBorder : kPicture) << c.hpos << ", " << c.vpos;
      }
  }
}

TEST(OverlayMerge, AnOverlayAsLargeAsThePictureDoesNothing) {
  for (const auto& size : std::vector<std::pair<int, int>>{{6, 2}, {3, 5}, {8, 8}}) {
    Cimage picture, overlay;
    PaintConstant(picture, 6, 5, kPicture);
    PaintConstant(overlay, size.first, size.second, kBorder);
    picture.OverlayMerge(&overlay, 0, 0, 0);
    picture.TextOverlayMerge(&overlay, 0, 0);
    EXPECT_TRUE(IsConstant(picture, kPicture));
  }
}

TEST(TextOverlayMerge, EmbossesTheCaptionsShape) {
  // A white 5 × 5 caption with one dark pixel in its middle, over a flat picture of 200; the
  // caption sits centred across and at the bottom, at 1, 1.
  Cimage picture, caption;
  PaintConstant(picture, 7, 6, Pixel{200, 200, 200});
  Paint(caption, 5, 5, [](int x, int y) { return x == 2 && y == 2 ? Pixel{0, 0, 0} : Pixel{255, 255, 255}; });
  picture.TextOverlayMerge(&caption, 1, 2);
  const std::vector<int> expected = {
      200, 200, 200, 200, 200, 200, 200,  //
      200, 200, 200, 200, 200, 200, 200,  //
      200, 200, 191, 193, 194, 200, 200,  //
      200, 200, 193, 181, 215, 200, 200,  //
      200, 200, 201, 213, 211, 200, 200,  //
      200, 200, 200, 200, 200, 200, 200,  //
  };
  EXPECT_EQ(BlueValues(picture), expected);
  EXPECT_EQ(PixelAt(picture, 3, 3), (Pixel{181, 181, 181}));
  EXPECT_TRUE(BufferInStep(picture));
}

TEST(TextOverlayMerge, ClampsAndIgnoresNearBackgroundColours) {
  Cimage picture, caption;
  PaintConstant(picture, 6, 6, Pixel{250, 10, 250});
  // Differences below 20 from the top-left pixel are background: nothing changes.
  Paint(caption, 4, 4, [](int x, int y) { return Pixel{100 + x + y, 100, 119}; });
  picture.TextOverlayMerge(&caption, 0, 0);
  EXPECT_TRUE(IsConstant(picture, Pixel{250, 10, 250}));

  // Brightening beyond 255 stops at 255.
  Paint(caption, 5, 5, [](int x, int y) { return x == 2 && y == 2 ? Pixel{0, 0, 0} : Pixel{255, 255, 255}; });
  picture.TextOverlayMerge(&caption, 0, 0);
  EXPECT_EQ(PixelAt(picture, 3, 2), (Pixel{255, 10, 255}));
}

TEST(Merges, NeedUsablePictures) {
  Cimage picture, empty, other;
  PaintConstant(picture, 6, 5, kPicture);
  PaintConstant(other, 8, 8, kBorder);
  picture.BorderMerge(&empty, 0);
  picture.BorderMerge(nullptr, 0);
  picture.OverlayMerge(&empty, 0, 0, 0);
  picture.TextOverlayMerge(nullptr, 0, 0);
  EXPECT_EQ(picture.m_width, 6);
  EXPECT_TRUE(IsConstant(picture, kPicture));

  Cimage small;
  PaintConstant(small, 2, 2, kBorder);
  empty.BorderMerge(&other, 0);
  empty.OverlayMerge(&small, 0, 0, 0);
  empty.TextOverlayMerge(&small, 0, 0);
  EXPECT_FALSE(empty.m_pixels);
}

}  // namespace
