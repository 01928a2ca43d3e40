// The ordered dither of 15/16-bit displays: the base matrix, the offsets on either kind of
// display, the channel shifts, and the display copy they go into (never the pixels).
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "cimage_test_access.h"
#include "dither_matrix.h"
#include "palette_test_pictures.h"

namespace {

using ravelight::BaseDitherValue;
using ravelight::DitherOffset;
using ravelight::FillDitherOffsets;

TEST(BaseDitherMatrix, FirstRowIsTheKnownOne) {
  const int expected[16] = {0, 192, 48, 240, 12, 204, 60, 252, 3, 195, 51, 243, 15, 207, 63, 255};
  for (int x = 0; x < 16; ++x) EXPECT_EQ(BaseDitherValue(x), expected[x]) << "column " << x;
}

TEST(BaseDitherMatrix, HoldsEveryValueOnce) {
  std::set<int> values;
  for (int n = 0; n < 256; ++n) values.insert(BaseDitherValue(n));
  ASSERT_EQ(values.size(), 256u);
  EXPECT_EQ(*values.begin(), 0);
  EXPECT_EQ(*values.rbegin(), 255);
}

struct OffsetCase {
  int n, base, highColour, otherDisplay;
};

TEST(DitherOffsets, AreTheMatrixScaledToTheDisplay) {
  const OffsetCase cases[] = {
      {0, 0, -4, -21},   {1, 192, 2, 10}, {3, 240, 3, 18},  {15, 255, 3, 20},
      {16, 128, 0, 0},   {17, 64, -2, -11}, {255, 85, -2, -8},
  };
  for (const OffsetCase& c : cases) {
    EXPECT_EQ(BaseDitherValue(c.n), c.base) << "n " << c.n;
    EXPECT_EQ(DitherOffset(c.n, true), c.highColour) << "n " << c.n;
    EXPECT_EQ(DitherOffset(c.n, false), c.otherDisplay) << "n " << c.n;
  }
}

TEST(DitherOffsets, SpreadEvenlyOverTheirRange) {
  std::map<int, int> high, other;
  for (int n = 0; n < 256; ++n) {
    ++high[DitherOffset(n, true)];
    ++other[DitherOffset(n, false)];
  }
  ASSERT_EQ(high.size(), 8u);
  EXPECT_EQ(high.begin()->first, -4);
  EXPECT_EQ(high.rbegin()->first, 3);
  for (const auto& [offset, count] : high) EXPECT_EQ(count, 32) << "offset " << offset;
  EXPECT_EQ(other.begin()->first, -21);
  EXPECT_EQ(other.rbegin()->first, 20);
}

TEST(DitherOffsets, GreenAndBlueTakeTheMatrixShifted) {
  for (bool highColour : {true, false}) {
    FillDitherOffsets(highColour);
    for (int n = 0; n < 256; ++n) {
      ASSERT_EQ(Cimage::S_dither_matrix_red[n / 16][n % 16], DitherOffset(n, highColour)) << n;
      ASSERT_EQ(Cimage::S_dither_matrix_grn[n / 16][n % 16], DitherOffset((n + 171) % 256, highColour)) << n;
      ASSERT_EQ(Cimage::S_dither_matrix_blu[n / 16][n % 16], DitherOffset((n + 85) % 256, highColour)) << n;
    }
    // Where the shifted index wraps to 0, the smallest offset.
    EXPECT_EQ(Cimage::S_dither_matrix_grn[5][5], DitherOffset(0, highColour));
    EXPECT_EQ(Cimage::S_dither_matrix_blu[10][11], DitherOffset(0, highColour));
  }
}

// 20 × 18: the matrix wraps in both directions, and rows carry padding.
void MakeConstantPicture(Cimage& picture, Rgb colour) {
  MakePicture(picture, MakeBgrImage(20, 18, [&](int, int) { return colour; }));
}

std::vector<uint8_t> PixelBytes(const Cimage& picture) {
  return {picture.m_pixels, picture.m_pixels + size_t(picture.m_stride) * picture.m_height};
}

Rgb CopyAt(const Cimage& picture, int x, int y) {
  const uint8_t* p = picture.m_dispBits + size_t(y) * picture.m_stride + 3 * x;
  return {p[2], p[1], p[0]};
}

int Clamped(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

TEST(AddNoise, DithersADisplayCopyAndLeavesThePixelsExact) {
  FillDitherOffsets(true);
  for (int level : {128, 0, 255, 2, 253}) {
    Cimage picture;
    MakeConstantPicture(picture, {uint8_t(level), uint8_t(level), uint8_t(level)});
    const std::vector<uint8_t> before = PixelBytes(picture);
    CimageTestAccess::AddNoise(picture);
    EXPECT_EQ(PixelBytes(picture), before) << "level " << level;
    ASSERT_NE(picture.m_dispBits, nullptr);
    EXPECT_EQ(picture.m_displayDithered, 1);
    for (int y = 0; y < picture.m_height; ++y)
      for (int x = 0; x < picture.m_width; ++x) {
        const Rgb got = CopyAt(picture, x, y);
        ASSERT_EQ(got.blue, Clamped(level + Cimage::S_dither_matrix_red[y % 16][x % 16])) << x << "," << y;
        ASSERT_EQ(got.green, Clamped(level + Cimage::S_dither_matrix_grn[y % 16][x % 16])) << x << "," << y;
        ASSERT_EQ(got.red, Clamped(level + Cimage::S_dither_matrix_blu[y % 16][x % 16])) << x << "," << y;
      }
  }
}

TEST(AddNoise, DithersOncePerPicture) {
  FillDitherOffsets(true);
  Cimage picture;
  MakeConstantPicture(picture, {100, 150, 200});
  CimageTestAccess::AddNoise(picture);
  const uint8_t* copy = picture.m_dispBits;
  const std::vector<uint8_t> first(copy, copy + size_t(picture.m_stride) * picture.m_height);
  FillDitherOffsets(false);  // would change the copy if it were made again
  CimageTestAccess::AddNoise(picture);
  EXPECT_EQ(picture.m_dispBits, copy);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), picture.m_dispBits));
}

TEST(AddNoise, DithersAgainAfterThePixelsChange) {
  FillDitherOffsets(true);
  Cimage picture;
  MakeConstantPicture(picture, {100, 150, 200});
  CimageTestAccess::AddNoise(picture);
  std::memset(picture.m_pixels, 40, size_t(picture.m_stride) * picture.m_height);
  picture.NoAnimation();  // like every change of the pixels, drops the display copy
  ASSERT_EQ(picture.m_dispBits, nullptr);
  CimageTestAccess::AddNoise(picture);
  ASSERT_NE(picture.m_dispBits, nullptr);
  EXPECT_EQ(CopyAt(picture, 0, 0).red, 40 + Cimage::S_dither_matrix_blu[0][0]);
  EXPECT_EQ(CopyAt(picture, 1, 0).blue, 40 + Cimage::S_dither_matrix_red[0][1]);
}

TEST(AddNoise, NeverReachesWhatASaveWrites) {
  FillDitherOffsets(false);
  Cimage picture;
  MakePicture(picture, RainbowImage(37, 21));
  const auto saveBmp = [](Cimage& p, FILE* f) { CimageTestAccess::SaveBMP(p, f, 0, 0); };
  const std::vector<uint8_t> before = SavedBytes(picture, saveBmp);
  CimageTestAccess::AddNoise(picture);
  ASSERT_NE(picture.m_dispBits, nullptr);
  EXPECT_EQ(SavedBytes(picture, saveBmp), before);
}

TEST(AddNoise, LeavesUnusablePicturesAlone) {
  FillDitherOffsets(true);
  for (int kind = 0; kind < 3; ++kind) {
    Cimage picture;
    if (kind != 2) MakeConstantPicture(picture, {1, 2, 3});
    if (kind == 0) picture.m_loadError = 1;
    if (kind == 1) picture.m_valid = 0;
    CimageTestAccess::AddNoise(picture);
    EXPECT_EQ(picture.m_dispBits, nullptr) << "kind " << kind;
    EXPECT_EQ(picture.m_displayDithered, 0) << "kind " << kind;
  }
}

}  // namespace
