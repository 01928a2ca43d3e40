// The most frequent colour of a picture and single pixels read back.
#include <climits>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "pixel_test_pictures.h"

namespace {

unsigned ColorRef(int r, int g, int b) { return unsigned(r) | unsigned(g) << 8 | unsigned(b) << 16; }

TEST(FindCommonColor, HalfWhiteHalfBlackIsBlack) {
  const struct {
    int w, h;
  } shapes[] = {{2, 1}, {1, 2}, {4, 4}, {7, 2}, {1, 6}};
  for (const auto& s : shapes) {
    Cimage across, down;
    MakeMarkedPicture(across, s.w, s.h, [&](int x, int y) { return (y * s.w + x) % 2 ? Grey(0) : Grey(255); });
    EXPECT_EQ(across.FindCommonColor(), 0u) << s.w << " x " << s.h << ", alternating";
    if (s.h % 2) continue;
    MakeMarkedPicture(down, s.w, s.h, [&](int, int y) { return y < s.h / 2 ? Grey(255) : Grey(0); });
    EXPECT_EQ(down.FindCommonColor(), 0u) << s.w << " x " << s.h << ", white above black";
  }
}

TEST(FindCommonColor, CountsCellsOfFiveBitsAndReportsTheirLowestColour) {
  const struct {
    const char* why;
    std::vector<Rgb> pixels;
    unsigned expected;
  } cases[] = {
      {"majority", {RgbOf(200, 100, 50), Grey(255), RgbOf(200, 100, 50), Grey(255), RgbOf(200, 100, 50)},
       ColorRef(200, 96, 48)},
      {"near colours share a cell", {RgbOf(200, 100, 50), RgbOf(207, 103, 55), Grey(10), Grey(255), Grey(20)},
       ColorRef(200, 96, 48)},
      {"tie goes to the lowest cell: red (31) before blue (31744)", {RgbOf(0, 0, 255), RgbOf(255, 0, 0)},
       ColorRef(248, 0, 0)},
      {"tie: green (992) before blue", {RgbOf(0, 0, 255), RgbOf(0, 255, 0), RgbOf(0, 255, 0), RgbOf(0, 0, 255)},
       ColorRef(0, 248, 0)},
      {"white", {Grey(255)}, ColorRef(248, 248, 248)},
      {"one pixel", {RgbOf(9, 17, 250)}, ColorRef(8, 16, 248)},
  };
  for (const auto& c : cases) {
    Cimage row, column;
    const int n = int(c.pixels.size());
    MakeMarkedPicture(row, n, 1, [&](int x, int) { return c.pixels[x]; });
    MakeMarkedPicture(column, 1, n, [&](int, int y) { return c.pixels[y]; });
    EXPECT_EQ(row.FindCommonColor(), c.expected) << c.why;
    EXPECT_EQ(column.FindCommonColor(), c.expected) << c.why;
  }
}

TEST(GetRGB, PacksBlueLowAndGivesZeroOutsideThePicture) {
  Cimage picture;
  MakeMarkedPicture(picture, 5, 3, [](int x, int y) { return Rgb{uint8_t(10 * x + y + 1), uint8_t(y), uint8_t(x)}; });
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(picture.GetRGB(x, y), unsigned(x) | unsigned(y) << 8 | unsigned(10 * x + y + 1) << 16) << x << "," << y;
  const int outside[][2] = {{-1, 0}, {0, -1}, {5, 0}, {0, 3}, {5, 3}, {INT_MIN, 0}, {0, INT_MAX}, {INT_MAX, INT_MIN}};
  for (const auto& p : outside) EXPECT_EQ(picture.GetRGB(p[0], p[1]), 0u) << p[0] << "," << p[1];
}

}  // namespace
