// Bevelled edges, red-eye repair and the 3 × 3 luminance filter.
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "pixel_test_pictures.h"

namespace {

using Rows = std::vector<std::vector<int>>;

// ---- Effect ----

void Bevel(Cimage& picture, int style, int width, int softness, int strength) {
  int params[3] = {width, softness, strength};
  picture.Effect(1, style, params);
}

// A strength of 25 makes the light and dark factors their bases: 1.2, 0.8 or 0.6 for the light
// (× 1.1 on the left column) and 0.6 for the dark (× 1.1 on the bottom row). Softness 10 fades
// over 2 pixels: weight 1 at 2 or more, 0.5 at 1, 0 at 0.
TEST(BevelEffect, MitredBevelOnASmallGreyPicture) {
  Cimage picture;
  MakeMarkedPicture(picture, 8, 6, Grey(100));
  Bevel(picture, 0, 3, 10, 25);
  const Rows expected = {
      {120, 120, 120, 120, 120, 120, 120, 110},
      {132, 120, 120, 120, 120, 120, 110, 80},
      {132, 132, 110, 110, 110, 110, 80, 60},
      {132, 132, 100, 83, 83, 83, 60, 60},
      {132, 100, 83, 66, 66, 66, 66, 60},
      {100, 83, 66, 66, 66, 66, 66, 66},
  };
  EXPECT_EQ(FirstChannel(picture), expected);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const Rgb p = PixelAt(picture, x, y);
      ASSERT_TRUE(p.green == p.blue && p.red == p.blue) << "grey stays grey at " << x << "," << y;
    }
  ASSERT_TRUE(picture.m_bmi);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biWidth, 8);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biHeight, -6);
}

TEST(BevelEffect, PlainStylesFadeByRingOnly) {
  const struct {
    int style, width, softness;
    Rows expected;
  } cases[] = {
      {1, 1, 0, {{80, 80, 80, 80, 80, 80, 80}, {88, 100, 100, 100, 100, 100, 60},
                 {88, 100, 100, 100, 100, 100, 60}, {88, 100, 100, 100, 100, 100, 60},
                 {66, 66, 66, 66, 66, 66, 66}}},
      {2, 1, 0, {{60, 60, 60, 60, 60, 60, 60}, {66, 100, 100, 100, 100, 100, 60},
                 {66, 100, 100, 100, 100, 100, 60}, {66, 100, 100, 100, 100, 100, 60},
                 {66, 66, 66, 66, 66, 66, 66}}},
      // The inner ring is one pixel from the inside: half weight, 0.5 × 0.8 + 0.5 on the top.
      {1, 2, 10, {{80, 80, 80, 80, 80, 80, 80}, {88, 90, 90, 90, 90, 90, 60},
                  {88, 94, 100, 100, 100, 80, 60}, {88, 83, 83, 83, 83, 83, 60},
                  {66, 66, 66, 66, 66, 66, 66}}},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, 7, 5, Grey(100));
    Bevel(picture, c.style, c.width, c.softness, 25);
    EXPECT_EQ(FirstChannel(picture), c.expected) << "style " << c.style << " width " << c.width;
    EXPECT_TRUE(PaddingIntact(picture));
  }
}

TEST(BevelEffect, WidthOfHalfThePictureOrMoreIsClamped) {
  Cimage reference;
  MakeMarkedPicture(reference, 8, 6, Grey(100));
  Bevel(reference, 0, 3, 10, 25);
  for (int width : {4, 6, 1000, INT_MAX}) {
    Cimage picture;
    MakeMarkedPicture(picture, 8, 6, Grey(100));
    Bevel(picture, 0, width, 10, 25);
    EXPECT_EQ(BufferBytes(picture), BufferBytes(reference)) << "width " << width;
  }
}

TEST(BevelEffect, NothingHappensWithoutSomethingToDo) {
  auto colourful = [](int x, int y) { return RgbOf(40 * x % 256, 30 * y % 256, 200); };
  const struct {
    const char* why;
    int kind, style, width, w, h;
    bool noParams;
  } cases[] = {
      {"no parameters", 1, 0, 3, 9, 9, true}, {"kind 0", 0, 0, 3, 9, 9, false},
      {"kind 2", 2, 0, 3, 9, 9, false},       {"style -1", 1, -1, 3, 9, 9, false},
      {"style 3", 1, 3, 3, 9, 9, false},      {"width 0", 1, 0, 0, 9, 9, false},
      {"negative width", 1, 0, -5, 9, 9, false}, {"one column", 1, 0, 3, 1, 9, false},
      {"one row", 1, 0, 3, 9, 1, false},      {"one pixel", 1, 0, 3, 1, 1, false},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, c.w, c.h, colourful);
    const std::vector<uint8_t> before = BufferBytes(picture);
    int params[3] = {c.width, 10, 25};
    picture.Effect(c.kind, c.style, c.noParams ? nullptr : params);
    EXPECT_EQ(BufferBytes(picture), before) << c.why;
  }
}

TEST(BevelEffect, AbsurdSoftnessAndStrengthStayInRange) {
  const struct {
    int softness, strength;
    int top, bottom;  // of the grey 100 picture's first and last rows, away from the corners
  } cases[] = {
      {0, INT_MAX, 255, 0}, {0, INT_MIN, 0, 255}, {0, 0, 100, 110}, {-50, 25, 120, 66},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, 9, 7, Grey(100));
    Bevel(picture, 0, 2, c.softness, c.strength);
    EXPECT_EQ(PixelAt(picture, 4, 0).blue, c.top) << "softness " << c.softness << " strength " << c.strength;
    EXPECT_EQ(PixelAt(picture, 4, 6).blue, c.bottom) << "softness " << c.softness << " strength " << c.strength;
  }
  // So soft that nothing fades in: at most a rounding step away from the original.
  Cimage soft;
  MakeMarkedPicture(soft, 9, 7, Grey(100));
  Bevel(soft, 0, 3, INT_MAX, INT_MAX);
  for (const auto& row : FirstChannel(soft))
    for (int v : row) ASSERT_NEAR(v, 100, 1);
}

// ---- FixRedEye ----

const Rgb kSkin = RgbOf(90, 90, 90);    // not red by any rule
const Rgb kPupil = RgbOf(200, 40, 30);  // red: R > 80, R > 3G/2, R > 4B/3
const Rgb kRepaired = Grey(30);       // its blue everywhere

// Paints the cells marked in the picture over a background of skin.
void Paint(Cimage& picture, int size, const std::vector<std::pair<int, int>>& red) {
  MakeMarkedPicture(picture, size, size, kSkin);
  for (const auto& [x, y] : red) SetPixel(picture, x, y, kPupil);
}

std::vector<std::pair<int, int>> Square(int left, int top, int side) {
  std::vector<std::pair<int, int>> cells;
  for (int y = top; y < top + side; ++y)
    for (int x = left; x < left + side; ++x) cells.push_back({x, y});
  return cells;
}

void ExpectRepairedExactly(const Cimage& picture, const std::vector<std::pair<int, int>>& red,
                           const std::vector<std::pair<int, int>>& repaired) {
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) {
      Rgb want = kSkin;
      for (const auto& cell : red)
        if (cell == std::make_pair(x, y)) want = kPupil;
      for (const auto& cell : repaired)
        if (cell == std::make_pair(x, y)) want = kRepaired;
      ASSERT_EQ(PixelAt(picture, x, y), want) << "at " << x << "," << y;
    }
}

TEST(FixRedEye, RepairsThePupilConnectedToTheErodedCentreAndNothingElse) {
  // Point (20, 20): window columns and rows 10..29.
  // Pupil: 5 × 5 at columns 22..26, rows 14..18; its 3 × 3 core survives erosion.
  // A second 3 × 3 blob at columns 12..14, rows 24..26 keeps only its centre (13, 25).
  // Centroid relative to the point: rows (3 × (-5 - 4 - 3) + 5) / 10 = -3, columns
  // (3 × (3 + 4 + 5) - 7) / 10 = 2, so the seed block is columns 20..24, rows 15..19: it touches
  // only the pupil. Growth follows a diagonal tail from the pupil's corner out of the window.
  std::vector<std::pair<int, int>> pupil = Square(22, 14, 5);
  for (int i = 1; i <= 5; ++i) pupil.push_back({26 + i, 18 + i});  // (27,19) .. (31,23)
  std::vector<std::pair<int, int>> red = pupil;
  const auto blob = Square(12, 24, 3);
  red.insert(red.end(), blob.begin(), blob.end());
  red.push_back({27, 11});  // red, in the window, connected to nothing
  red.push_back({5, 5});    // red, outside the window
  Cimage picture;
  Paint(picture, 40, red);
  picture.FixRedEye(CPoint(20, 20), 7);

  std::vector<std::pair<int, int>> repaired;
  for (const auto& cell : pupil)
    if (cell.first <= 29 && cell.second <= 29) repaired.push_back(cell);  // the tail leaves the window at (30, 22)
  ExpectRepairedExactly(picture, red, repaired);
}

TEST(FixRedEye, AThinLineWithNoCoreIsRepairedInsideTheWindowOnly) {
  // Nothing survives erosion, so the seed is the 5 × 5 block around the point itself.
  std::vector<std::pair<int, int>> line;
  for (int x = 0; x < 40; ++x) line.push_back({x, 20});
  Cimage picture;
  Paint(picture, 40, line);
  picture.FixRedEye(CPoint(20, 20), 0);
  std::vector<std::pair<int, int>> repaired;
  for (int x = 10; x <= 29; ++x) repaired.push_back({x, 20});
  ExpectRepairedExactly(picture, line, repaired);
}

TEST(FixRedEye, ASeedBlockReachingPastTheWindowIsCutAtItsEdge) {
  // Red in columns and rows 0..3; the point (11, 11) puts the window at 1..20. Only (2, 2)
  // survives erosion inside the window, so the seed block spans 0..4: its part at 0 lies outside
  // the window and stays as it is.
  const auto red = Square(0, 0, 4);
  Cimage picture;
  Paint(picture, 30, red);
  picture.FixRedEye(CPoint(11, 11), 5);
  ExpectRepairedExactly(picture, red, Square(1, 1, 3));
}

TEST(FixRedEye, PointsCloserThanElevenPixelsToAnEdgeChangeNothing) {
  const struct {
    int x, y;
    bool acts;
  } cases[] = {{10, 15, false}, {15, 10, false}, {20, 15, false}, {15, 20, false}, {-3, 15, false},
               {15, 400, false}, {11, 15, true},  {15, 11, true},  {19, 15, true},  {15, 19, true}};
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, 30, 30, kPupil);
    picture.FixRedEye(CPoint(c.x, c.y), 10);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) {
        const bool inWindow = c.acts && x >= c.x - 10 && x <= c.x + 9 && y >= c.y - 10 && y <= c.y + 9;
        ASSERT_EQ(PixelAt(picture, x, y), inWindow ? kRepaired : kPupil)
            << "point " << c.x << "," << c.y << " pixel " << x << "," << y;
      }
    EXPECT_TRUE(PaddingIntact(picture));
  }
}

TEST(FixRedEye, PicturesTooSmallForTheWindowAreLeftAlone) {
  for (const auto& [w, h] : {std::pair{1, 1}, {21, 40}, {40, 21}, {1, 40}, {40, 1}}) {
    Cimage picture;
    MakeMarkedPicture(picture, w, h, kPupil);
    const std::vector<uint8_t> before = BufferBytes(picture);
    for (int x = 0; x < w; ++x) picture.FixRedEye(CPoint(x, h / 2), 10);
    for (int y = 0; y < h; ++y) picture.FixRedEye(CPoint(w / 2, y), 10);
    EXPECT_EQ(BufferBytes(picture), before) << w << " x " << h;
  }
}

// ---- Filter3x3 ----

const Rows kPattern = {
    {0, 50, 100, 150, 200},
    {255, 0, 255, 0, 255},
    {10, 20, 30, 40, 50},
    {90, 80, 70, 60, 50},
};

TEST(Filter3x3, FiltersTheInteriorOfAKnownPattern) {
  const struct {
    const char* name;
    int kernel[9];
    Rows interior;  // rows 1 and 2, columns 1 to 3
  } cases[] = {
      // 1300 / 16, 1540 / 16, 1780 / 16; 990 / 16, 1030 / 16, 1070 / 16, all truncated.
      {"soften", {1, 2, 1, 2, 4, 2, 1, 2, 1}, {{81, 96, 111}, {61, 64, 66}}},
      // Weights summing to 0 divide by 1: the difference from the left neighbour, clamped at 0.
      {"difference", {0, 0, 0, -1, 1, 0, 0, 0, 0}, {{0, 255, 0}, {10, 10, 10}}},
      // Weights summing to -2: the mean of a pixel and the one above, (0 + 50) / 2 ...
      {"negative sum", {0, -1, 0, 0, -1, 0, 0, 0, 0}, {{25, 177, 75}, {10, 142, 20}}},
      // 5 × centre - 4 neighbours: 0 - 580 → 0; 1275 - 130 → 255; ... 200 - 140 = 60.
      {"sharpen", {0, -1, 0, -1, 5, -1, 0, -1, 0}, {{0, 255, 0}, {0, 0, 60}}},
      {"all zero", {0, 0, 0, 0, 0, 0, 0, 0, 0}, {{0, 0, 0}, {0, 0, 0}}},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeGreyPicture(picture, kPattern);
    int kernel[9];
    std::copy(c.kernel, c.kernel + 9, kernel);
    picture.Filter3x3(kernel);
    Rows expected = kPattern;
    for (int y = 1; y <= 2; ++y)
      for (int x = 1; x <= 3; ++x) expected[y][x] = c.interior[y - 1][x - 1];
    EXPECT_EQ(FirstChannel(picture), expected) << c.name;
    EXPECT_TRUE(PaddingIntact(picture)) << c.name;
  }
}

// Straight from the definition, in 64 bits: on a grey picture Y is the grey level itself.
Rows ReferenceFilter(const Rows& grey, const int* k) {
  int64_t divisor = 0;
  for (int i = 0; i < 9; ++i) divisor += k[i];
  if (divisor == 0) divisor = 1;
  Rows out = grey;
  for (size_t y = 1; y + 1 < grey.size(); ++y)
    for (size_t x = 1; x + 1 < grey[0].size(); ++x) {
      int64_t sum = 0;
      for (int i = 0; i < 9; ++i) sum += int64_t{k[i]} * grey[y - 1 + i / 3][x - 1 + i % 3];
      const int64_t q = sum / divisor;
      out[y][x] = int(q < 0 ? 0 : q > 255 ? 255 : q);
    }
  return out;
}

TEST(Filter3x3, MatchesAPlainConvolutionWhateverTheDivisor) {
  // Divisors around every change of method: 1, small, up to 4096 and past it, negative, huge.
  const int divisors[] = {1, 2, 3, 7, 9, 16, 255, 256, 1000, 4095, 4096, 4097, 65536, 1 << 20, -3, -4096, -5000};
  std::mt19937 random(11);
  std::uniform_int_distribution<int> level(0, 255), small(-40, 40);
  for (int d : divisors)
    for (int round = 0; round < 4; ++round) {
      int k[9];
      int sum = 0;
      for (int i = 0; i < 8; ++i) sum += k[i] = small(random) * (round == 3 ? 50000 : 1);
      k[8] = d - sum;  // so the weights sum to d
      Rows grey(23, std::vector<int>(31));
      for (auto& row : grey)
        for (int& v : row) v = level(random);
      Cimage picture;
      MakeGreyPicture(picture, grey);
      picture.Filter3x3(k);
      ASSERT_EQ(FirstChannel(picture), ReferenceFilter(grey, k)) << "divisor " << d << " round " << round;
    }
}

TEST(Filter3x3, ConstantPicturesStayConstantWhateverTheWeights) {
  std::vector<std::vector<int>> kernels = {
      {1, 1, 1, 1, 1, 1, 1, 1, 1},
      {0, -1, 0, -1, 5, -1, 0, -1, 0},
      {-1, -1, -1, -1, 7, -1, -1, -1, -1},  // sums to -1
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MIN, 0, 0, 0, 1, 0, 0, 0, 0},
      {INT_MAX, INT_MIN, INT_MAX, INT_MIN, 3, INT_MIN, INT_MAX, INT_MIN, INT_MAX},
  };
  std::mt19937 random(7);
  std::uniform_int_distribution<int> weight(-50, 50);
  while (kernels.size() < 40) {
    std::vector<int> k(9);
    int sum = 0;
    for (int& w : k) sum += w = weight(random);
    if (sum != 0) kernels.push_back(k);
  }
  const Rgb colours[] = {Grey(0), Grey(77), Grey(255), RgbOf(200, 120, 30), RgbOf(0, 255, 0)};
  for (const Rgb colour : colours) {
    Cimage reference;
    MakeMarkedPicture(reference, 6, 5, colour);
    reference.RGBtoYCC();
    reference.YCCtoRGB();
    const Rgb expected = PixelAt(reference, 0, 0);  // the colour as the conversions leave it
    for (auto& k : kernels) {
      Cimage picture;
      MakeMarkedPicture(picture, 6, 5, colour);
      picture.Filter3x3(k.data());
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(PixelAt(picture, x, y), expected) << Describe(colour) << " kernel starting " << k[0];
    }
  }
}

TEST(Filter3x3, ChromaAndBordersOnlyMakeTheRoundTrip) {
  auto colourful = [](int x, int y) { return RgbOf(37 * x % 256, 91 * y % 256, (x * y * 13) % 256); };
  Cimage picture, reference;
  MakeMarkedPicture(picture, 7, 6, colourful);
  MakeMarkedPicture(reference, 7, 6, colourful);
  int identity[9] = {0, 0, 0, 0, 3, 0, 0, 0, 0};
  picture.Filter3x3(identity);
  reference.RGBtoYCC();
  reference.YCCtoRGB();
  EXPECT_EQ(BufferBytes(picture), BufferBytes(reference));
}

TEST(Filter3x3, PicturesWithoutAnInteriorAndNullKernelsAreLeftAlone) {
  int soften[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
  auto colourful = [](int x, int y) { return RgbOf(37 * x % 256, 91 * y % 256, 200); };
  for (const auto& [w, h] : {std::pair{1, 1}, {2, 2}, {1, 9}, {9, 1}, {2, 9}, {9, 2}}) {
    Cimage picture;
    MakeMarkedPicture(picture, w, h, colourful);
    const std::vector<uint8_t> before = BufferBytes(picture);
    picture.Filter3x3(soften);
    EXPECT_EQ(BufferBytes(picture), before) << w << " x " << h;
  }
  Cimage picture;
  MakeMarkedPicture(picture, 5, 5, colourful);
  const std::vector<uint8_t> before = BufferBytes(picture);
  picture.Filter3x3(nullptr);
  EXPECT_EQ(BufferBytes(picture), before);
}

TEST(Filter3x3, TheSmallestPictureFiltersItsOnePixel) {
  Cimage picture;
  MakeGreyPicture(picture, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}});
  int soften[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  int edge[9] = {-1, -1, -1, -1, 9, -1, -1, -1, -1};  // sums to 1: 450 - 400
  picture.Filter3x3(edge);
  EXPECT_EQ(FirstChannel(picture), (Rows{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}));
  MakeGreyPicture(picture, {{10, 20, 30}, {40, 0, 60}, {70, 80, 91}});
  picture.Filter3x3(soften);  // 401 / 9
  EXPECT_EQ(FirstChannel(picture), (Rows{{10, 20, 30}, {40, 44, 60}, {70, 80, 91}}));
}

}  // namespace
