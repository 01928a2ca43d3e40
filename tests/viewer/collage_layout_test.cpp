// The collage's layout in both trees, on pictures written to real files: where pictures land,
// stacking, scaling and zoom (also sizes that would overflow), fitting the canvas, resizing one
// picture, and the flattened picture with parts outside the canvas cut off.
#include <gtest/gtest.h>

#include <string>

#include "collage_layout.h"
#include "temp_folder.h"

namespace {

class CollageLayoutTest : public TempFolderTest {
 protected:
  // A w × h picture of one colour (a COLORREF) saved as a BMP file; its path.
  std::string Picture(const std::string& name, int w, int h, unsigned colour) {
    Cimage picture;
    picture.Blank(w, h, colour);
    const std::string path = (folder_ / name).string();
    picture.SaveImage(path.c_str());
    return path;
  }
  // The COLORREF at a pixel of a picture.
  static unsigned At(Cimage& picture, int x, int y) {
    const unsigned rgbHigh = picture.GetRGB(x, y);
    return ((rgbHigh >> 16) & 0xFF) | (rgbHigh & 0xFF00) | ((rgbHigh & 0xFF) << 16);
  }
};

constexpr unsigned kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

TEST_F(CollageLayoutTest, PlacementRowsAndDrops) {
  const std::string path = Picture("a.bmp", 600, 400, kRed);
  CollageLayout layout;
  const struct {
    int x, y;
  } expected[] = {{25, 25}, {350, 25}, {675, 25}, {1000, 25}, {25, 250}};
  for (const auto& e : expected) {
    const CollageItem& item = layout.Add(path, 300, 200);
    EXPECT_EQ(item.x, e.x);
    EXPECT_EQ(item.y, e.y);
    EXPECT_EQ(item.Width(), 300);  // fitted into the default box, proportions kept
    EXPECT_EQ(item.Height(), 200);
  }
  layout.PlaceNextAt(500, 400);  // one dropped file: 100 above and left of the drop point
  EXPECT_EQ(layout.Add(path, 300, 200).x, 400);
  EXPECT_EQ(layout.Items().back()->y, 300);
  const CollageItem& missing = layout.Add((folder_ / "absent.jpg").string(), 300, 200);
  EXPECT_EQ(missing.Width(), 0);  // kept, drawing nothing
}

TEST_F(CollageLayoutTest, StackingAndHitTests) {
  const std::string path = Picture("a.bmp", 100, 100, kRed);
  CollageLayout layout;
  CollageItem& a = layout.Add(path, 100, 100);
  CollageItem& b = layout.Add(path, 100, 100);
  b.x = a.x + 50;  // overlapping a's right half
  EXPECT_EQ(layout.HitTest(a.x + 60, a.y + 10), &b);  // the later one is on top
  EXPECT_EQ(layout.HitTest(a.x, a.y + 10), nullptr);  // edges are not inside
  EXPECT_EQ(layout.HitTest(a.x + 1, a.y + 10), &a);
  layout.ToBack(&a);  // already at the back
  layout.ToFront(&b);  // already in front
  EXPECT_EQ(layout.Items()[0].get(), &a);
  EXPECT_EQ(layout.Items()[1].get(), &b);
  layout.ToFront(&a);
  EXPECT_EQ(layout.HitTest(a.x + 60, a.y + 10), &a);
  layout.ToBack(&a);
  EXPECT_EQ(layout.Items()[0].get(), &a);
  layout.Remove(&b);
  EXPECT_EQ(layout.Items().size(), 1u);
}

TEST_F(CollageLayoutTest, ScaleZoomAndOverflow) {
  const std::string path = Picture("a.bmp", 600, 400, kRed);
  CollageLayout layout;
  layout.Add(path, 300, 200);
  std::string refusal;
  const struct {
    double factor;
    bool made;
    const char* refusal;
  } factors[] = {{0.0, false, "The scale factor must be greater than 0.0"},
                 {-1.0, false, "The scale factor must be greater than 0.0"},
                 {1e6, false, kCollageTooLarge},
                 {1e300, false, kCollageTooLarge},
                 {30.0, false, kCollageTooLarge},  // 36000 × 27000 is beyond a picture's sides
                 {2.0, true, ""}};
  for (const auto& f : factors) {
    refusal.clear();
    EXPECT_EQ(layout.Scale(f.factor, refusal), f.made) << f.factor;
    EXPECT_EQ(refusal, f.refusal) << f.factor;
  }
  EXPECT_EQ(layout.canvasWidth, 2400);
  EXPECT_EQ(layout.Items()[0]->x, 50);
  EXPECT_EQ(layout.Items()[0]->Width(), 600);

  // Zoom 2.0 and back to 1.0 (as a save does): the layout is where it was.
  CollageLayout zoomed;
  zoomed.Add(path, 300, 200);
  ASSERT_TRUE(zoomed.SetZoom(2.0, refusal));
  EXPECT_EQ(zoomed.canvasHeight, 1800);
  EXPECT_EQ(zoomed.Items()[0]->Height(), 400);
  ASSERT_TRUE(zoomed.SetZoom(1.0, refusal));
  EXPECT_EQ(zoomed.Zoom(), 1.0);
  EXPECT_EQ(zoomed.canvasWidth, 1200);
  EXPECT_EQ(zoomed.Items()[0]->x, 25);
  EXPECT_EQ(zoomed.Items()[0]->Width(), 300);
  EXPECT_FALSE(zoomed.SetZoom(1e9, refusal));
  EXPECT_EQ(zoomed.Zoom(), 1.0);  // nothing changed
}

TEST_F(CollageLayoutTest, ResizeKeepsProportionsAndShrinkFit) {
  const std::string path = Picture("a.bmp", 640, 320, kRed);
  CollageLayout layout;
  CollageItem& item = layout.Add(path, 200, 200);  // shown 200 × 100
  std::string refusal;
  const struct {
    int width, height, shownWidth, shownHeight;
  } boxes[] = {
      {400, 50, 400, 200},   // wider: the height follows the width
      {100, 300, 600, 300},  // taller (than 400 × 200 shown): the width follows the height
      {100, 100, 100, 50},   // smaller: fitted into the box, proportions kept
      {40, 40, 40, 20},
  };
  for (const auto& b : boxes) {
    ASSERT_TRUE(layout.Resize(item, b.width, b.height, refusal));
    EXPECT_EQ(item.Width(), b.shownWidth) << b.width << "x" << b.height;
    EXPECT_EQ(item.Height(), b.shownHeight) << b.width << "x" << b.height;
  }
  EXPECT_FALSE(layout.Resize(item, 2000000000, 10, refusal));
  EXPECT_EQ(refusal, kCollageTooLarge);

  CollageItem& other = layout.Add(path, 200, 200);
  item.x = -30;
  item.y = 40;
  other.x = 100;
  other.y = 500;
  layout.ShrinkFit();
  EXPECT_EQ(item.x, 0);
  EXPECT_EQ(other.y, 460);
  EXPECT_EQ(layout.canvasWidth, 330);
  EXPECT_EQ(layout.canvasHeight, 560);
}

TEST_F(CollageLayoutTest, FlattenKeepsOnlyWhatLiesOnTheCanvas) {
  CollageLayout layout;
  layout.canvasWidth = 200;
  layout.canvasHeight = 100;
  CollageItem& red = layout.Add(Picture("red.bmp", 80, 80, kRed), 80, 80);
  CollageItem& blue = layout.Add(Picture("blue.bmp", 80, 80, kBlue), 80, 80);
  CollageItem& gone = layout.Add(Picture("gone.bmp", 50, 50, kBlue), 50, 50);
  red.x = -40;
  red.y = -40;  // partly outside, top left
  blue.x = 150;
  blue.y = 50;  // partly outside, bottom right, over nothing
  gone.x = 300;
  gone.y = 10;  // wholly outside
  Cimage picture;
  std::string refusal;
  ASSERT_TRUE(layout.Flatten(picture, kWhite, refusal));
  ASSERT_EQ(picture.m_width, 200);
  ASSERT_EQ(picture.m_height, 100);
  const struct {
    int x, y;
    unsigned colour;
  } pixels[] = {{0, 0, kRed}, {39, 39, kRed}, {40, 40, kWhite}, {149, 99, kWhite}, {150, 50, kBlue},
                {199, 99, kBlue}, {199, 10, kWhite}, {100, 20, kWhite}};
  for (const auto& p : pixels) EXPECT_EQ(At(picture, p.x, p.y), p.colour) << p.x << "," << p.y;

  layout.canvasWidth = 30000;
  layout.canvasHeight = 30000;  // more pixels than a picture may have: refused before any memory
  EXPECT_FALSE(layout.Flatten(picture, kWhite, refusal));
  EXPECT_EQ(refusal, kCollageTooLarge);
  EXPECT_EQ(ParseScaleFactor("2.5"), 2.5);
  EXPECT_EQ(ParseScaleFactor("abc"), 1.0);
  EXPECT_EQ(ParseScaleFactor("-3"), -3.0);
}

}  // namespace
