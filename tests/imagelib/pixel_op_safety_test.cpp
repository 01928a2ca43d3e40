// What every colour and filter operation owes the picture whatever its size: the geometry, the
// buffer and the row padding stay as they were, unusable pictures are not touched, and changed
// pixels drop the display copy.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "pixel_test_pictures.h"

namespace {

struct Operation {
  const char* name;
  std::function<void(Cimage&)> apply;
  bool changesPixels;  // on the colourful test picture, when the picture is large enough
};

int g_sharpen[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
int g_bevel[3] = {2, 1, 50};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"RGBtoYCC", [](Cimage& p) { p.RGBtoYCC(); }, true},
      {"YCCtoRGB", [](Cimage& p) { p.YCCtoRGB(); }, true},
      {"Brightness", [](Cimage& p) { p.Brightness(150); }, true},
      {"Contrast", [](Cimage& p) { p.Contrast(150, 2); }, true},
      {"Saturation", [](Cimage& p) { p.Saturation(60, 3); }, true},
      {"ApplyGain", [](Cimage& p) { p.ApplyGain(200); }, true},
      {"Effect", [](Cimage& p) { p.Effect(1, 0, g_bevel); }, true},
      {"FixRedEye", [](Cimage& p) { p.FixRedEye(CPoint(p.m_width / 2, p.m_height / 2), 5); }, true},
      {"Filter3x3", [](Cimage& p) { p.Filter3x3(g_sharpen); }, true},
      {"FindCommonColor", [](Cimage& p) { p.FindCommonColor(); }, false},
      {"GetRGB", [](Cimage& p) { p.GetRGB(0, 0); }, false},
  };
  return operations;
}

Rgb Colourful(int x, int y) { return RgbOf((x * 37 + y * 11) % 256 | 0x80, (x * 5 + y * 23) % 120, (x * y) % 90); }

struct Shape {
  int w, h;
};
// One pixel, a row, a column, the smallest with an interior, odd widths whose rows are padded,
// and one large enough for the red-eye window.
const Shape kShapes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 3}, {5, 3}, {3, 5}, {33, 24}, {24, 25}};

TEST(PixelOperations, KeepGeometryBufferAndPaddingAtEverySize) {
  for (const Operation& op : Operations())
    for (const Shape& s : kShapes) {
      Cimage picture;
      MakeMarkedPicture(picture, s.w, s.h, Colourful);
      const uint8_t* buffer = picture.m_pixels;
      const int stride = picture.m_stride;
      op.apply(picture);
      const std::string where = std::string(op.name) + " on " + std::to_string(s.w) + " x " + std::to_string(s.h);
      EXPECT_EQ(picture.m_pixels, buffer) << where;
      EXPECT_EQ(picture.m_stride, stride) << where;
      EXPECT_EQ(picture.m_width, s.w) << where;
      EXPECT_EQ(picture.m_height, s.h) << where;
      EXPECT_TRUE(picture.m_valid && !picture.m_loadError) << where;
      EXPECT_TRUE(PaddingIntact(picture)) << where;
    }
}

TEST(PixelOperations, LeaveUnusablePicturesAlone) {
  const struct {
    const char* why;
    std::function<void(Cimage&)> spoil;
  } spoilers[] = {
      {"not valid", [](Cimage& p) { p.m_valid = 0; }},
      {"failed load", [](Cimage& p) { p.m_loadError = 1; }},
  };
  static uint8_t displaySentinel;
  for (const Operation& op : Operations()) {
    for (const auto& spoiler : spoilers) {
      Cimage picture;
      MakeMarkedPicture(picture, 24, 24, Colourful);
      spoiler.spoil(picture);
      const std::vector<uint8_t> before = BufferBytes(picture);
      // Not the library's memory: an operation that dropped it would fail loudly.
      picture.m_dispBits = &displaySentinel;
      op.apply(picture);
      EXPECT_EQ(picture.m_dispBits, &displaySentinel) << op.name << ", " << spoiler.why;
      picture.m_dispBits = nullptr;
      EXPECT_EQ(BufferBytes(picture), before) << op.name << ", " << spoiler.why;
    }
    Cimage empty;
    empty.m_valid = 1;
    empty.m_width = empty.m_height = 24;
    empty.m_stride = 72;
    op.apply(empty);
    EXPECT_FALSE(empty.m_pixels) << op.name << " without pixels";
  }
  Cimage failed;
  MakeMarkedPicture(failed, 4, 4, Grey(255));
  failed.m_loadError = 1;
  EXPECT_EQ(failed.GetRGB(1, 1), 0u);
  EXPECT_EQ(failed.FindCommonColor(), 0u);
  Cimage none;
  EXPECT_EQ(none.GetRGB(0, 0), 0u);
  EXPECT_EQ(none.FindCommonColor(), 0u);
}

TEST(PixelOperations, ThoseThatChangePixelsDropTheDisplayCopy) {
  for (const Operation& op : Operations()) {
    Cimage picture;
    MakeMarkedPicture(picture, 24, 24, Colourful);
    GiveDisplayCopy(picture);
    op.apply(picture);
    if (op.changesPixels)
      EXPECT_FALSE(picture.m_dispBits) << op.name;
    else
      EXPECT_TRUE(picture.m_dispBits) << op.name;
  }
}

}  // namespace
