// The Lab conversion the PSD decoder uses: its grid's telling points, the interpolation between
// grid points, and colours that must look like what they are.
#include <algorithm>

#include <gtest/gtest.h>

#include "Cimage.h"

namespace {

int Red(unsigned colorref) { return int(colorref & 0xFF); }
int Green(unsigned colorref) { return int(colorref >> 8 & 0xFF); }
int Blue(unsigned colorref) { return int(colorref >> 16 & 0xFF); }

// The stored value that lands exactly on grid point i: i × 255 / 15, so that v × 15 / 255 = i
// with no fraction left.
unsigned char OnGrid(int i) { return static_cast<unsigned char>(i * 255 / 15); }

TEST(LabConversion, TellingGridPointsGiveTheirColours) {
  const struct {
    int L, a, b;
    int red, green, blue;
  } points[] = {
      {0, 8, 8, 10, 0, 3},     {8, 8, 8, 119, 96, 89},    {15, 8, 8, 255, 235, 229},
      {15, 0, 8, 0, 255, 199}, {15, 8, 0, 140, 171, 255}, {15, 8, 15, 255, 190, 0},
  };
  for (const auto& p : points) {
    ASSERT_EQ(OnGrid(p.L) * 15 % 255, 0);
    const unsigned rgb = RGBfromLAB(OnGrid(p.L), OnGrid(p.a), OnGrid(p.b));
    EXPECT_EQ(Red(rgb), p.red) << p.L << "," << p.a << "," << p.b;
    EXPECT_EQ(Green(rgb), p.green) << p.L << "," << p.a << "," << p.b;
    EXPECT_EQ(Blue(rgb), p.blue) << p.L << "," << p.a << "," << p.b;
    EXPECT_EQ(rgb >> 24, 0u);
  }
}

// Between grid points each axis adds its own share of the step to its neighbour: halfway along L
// from (8, 8, 8) is halfway to (9, 8, 8), whatever lies diagonally.
TEST(LabConversion, AxesInterpolateIndependently) {
  const unsigned char a = OnGrid(8), b = OnGrid(8);
  const unsigned low = RGBfromLAB(OnGrid(8), a, b), high = RGBfromLAB(OnGrid(9), a, b);
  // 144 is 8.47 cells along L: a fraction of 120 / 255.
  const unsigned mid = RGBfromLAB(144, a, b);
  for (int shift : {0, 8, 16}) {
    const int g0 = int(low >> shift & 0xFF), g1 = int(high >> shift & 0xFF);
    EXPECT_EQ(int(mid >> shift & 0xFF), (g0 * 255 + (g1 - g0) * 120) / 255);
  }
  // Two axes off the grid at once: the sum of the two single-axis steps, no cross term.
  const unsigned alongA = RGBfromLAB(OnGrid(8), OnGrid(9), b);
  const unsigned both = RGBfromLAB(144, 144, b);
  for (int shift : {0, 8, 16}) {
    const int g0 = int(low >> shift & 0xFF);
    const int expected = (g0 * 255 + (int(high >> shift & 0xFF) - g0) * 120 + (int(alongA >> shift & 0xFF) - g0) * 120) / 255;
    EXPECT_EQ(int(both >> shift & 0xFF), std::min(255, std::max(0, expected)));
  }
}

TEST(LabConversion, WhiteBlackAndGreysLookSo) {
  const unsigned white = RGBfromLAB(255, 128, 128), black = RGBfromLAB(0, 128, 128);
  for (int shift : {0, 8, 16}) {
    EXPECT_GE(int(white >> shift & 0xFF), 240);
    EXPECT_LE(int(black >> shift & 0xFF), 20);
  }
  // Neutral greys away from black stay neutral and lighten with L.
  int previous = -1;
  for (int L = 48; L < 256; L += 16) {
    const unsigned grey = RGBfromLAB(static_cast<unsigned char>(L), 128, 128);
    EXPECT_LE(std::max({Red(grey), Green(grey), Blue(grey)}) - std::min({Red(grey), Green(grey), Blue(grey)}), 8) << L;
    EXPECT_GT(Green(grey), previous) << L;
    previous = Green(grey);
  }
}

TEST(LabConversion, OpponentAxesPullTowardsTheirColours) {
  const unsigned green = RGBfromLAB(200, 0, 128), magenta = RGBfromLAB(128, 255, 128);
  const unsigned blue = RGBfromLAB(128, 128, 0), yellow = RGBfromLAB(200, 128, 255);
  EXPECT_GT(Green(green), Red(green));
  EXPECT_GT(Red(magenta), Green(magenta));
  EXPECT_GT(Blue(magenta), Green(magenta));
  EXPECT_GT(Blue(blue), Red(blue));
  EXPECT_GT(Blue(blue), Green(blue));
  EXPECT_GT(Red(yellow), Blue(yellow));
  EXPECT_GT(Green(yellow), Blue(yellow));
}

}  // namespace
