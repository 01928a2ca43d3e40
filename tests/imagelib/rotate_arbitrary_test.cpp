// Rotation by any angle: the inscribed size, the copied interior and the grey outside.
#include <cmath>
#include <limits>
#include <ostream>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "turn_test_pictures.h"

namespace {

TEST(RotateArbitrary, AngleZeroKeepsTheSizeAndInteriorWithGreyEdges) {
  Cimage picture, original;
  MakeLabelledPicture(picture, 9, 7);
  MakeLabelledPicture(original, 9, 7);
  picture.Rotate_Arbitrary(0.0);
  ASSERT_EQ(picture.m_width, 9);
  ASSERT_EQ(picture.m_height, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool edge = x == 0 || y == 0 || x == 8 || y == 6;
      const uint8_t* got = picture.m_pixels + y * picture.m_stride + 3 * x;
      const uint8_t* was = original.m_pixels + y * original.m_stride + 3 * x;
      for (int k = 0; k < 3; ++k) EXPECT_EQ(got[k], edge ? 127 : was[k]) << x << "," << y << " channel " << k;
    }
}

struct AngleCase {
  int width, height;
  double angle;
  int newWidth, newHeight;
};

void PrintTo(const AngleCase& c, std::ostream* out) { *out << c.width << "x" << c.height << " by " << c.angle; }

class InscribedSize : public ::testing::TestWithParam<AngleCase> {};

// The largest picture of the same aspect, in thousandths, whose turned outline fits the source.
TEST_P(InscribedSize, IsTheLargestThatFitsTurnedInsideTheSource) {
  const AngleCase& c = GetParam();
  Cimage picture;
  MakePlainPicture(picture, c.width, c.height, 80);
  picture.Rotate_Arbitrary(c.angle);
  EXPECT_EQ(picture.m_width, c.newWidth);
  EXPECT_EQ(picture.m_height, c.newHeight);
  EXPECT_EQ(picture.m_origWidth, c.newWidth);
  EXPECT_EQ(picture.m_origHeight, c.newHeight);
  EXPECT_EQ(picture.m_stride, (3 * c.newWidth + 3) & ~3);
  ASSERT_NE(picture.m_bmi, nullptr);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biWidth, c.newWidth);
}

INSTANTIATE_TEST_SUITE_P(Angles, InscribedSize,
                         ::testing::Values(AngleCase{400, 300, 0.1, 354, 265}, AngleCase{400, 300, -0.1, 354, 265},
                                           AngleCase{300, 400, 0.5, 197, 263},
                                           AngleCase{640, 480, 0.0872664626 /* 5 degrees */, 574, 431}));

// A plain picture stays plain inside: every pixel is its colour, or grey where the source ran out
// (the outermost source pixels count as outside). Straightening works within a quarter turn.
TEST(RotateArbitrary, APlainPictureStaysPlainInside) {
  for (const double angle : {0.05, -0.05, 0.3, -1.2, 1.5}) {
    Cimage picture;
    MakePlainPicture(picture, 120, 90, 80);
    picture.Rotate_Arbitrary(angle);
    ASSERT_NE(picture.m_pixels, nullptr);
    int grey = 0;
    for (int y = 0; y < picture.m_height; ++y)
      for (int x = 0; x < picture.m_width; ++x) {
        const uint8_t v = picture.m_pixels[y * picture.m_stride + 3 * x];
        ASSERT_TRUE(v == 80 || v == 127) << "angle " << angle << " at " << x << "," << y;
        grey += v == 127;
      }
    EXPECT_LT(grey, picture.m_width * picture.m_height / 10) << "angle " << angle;
  }
}

TEST(RotateArbitrary, AnglesThatAreNoNumberLeaveThePictureAlone) {
  for (const double angle : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
    Cimage picture, original;
    MakeLabelledPicture(picture, 9, 7);
    MakeLabelledPicture(original, 9, 7);
    picture.Rotate_Arbitrary(angle);
    EXPECT_EQ(picture.m_width, 9);
    EXPECT_EQ(BufferOf(picture), BufferOf(original));
  }
}

TEST(RotateArbitrary, HugeAnglesGiveAPictureThatFits) {
  for (const double angle : {1e300, -1e300, 1e18, std::numeric_limits<double>::max()}) {
    Cimage picture;
    MakePlainPicture(picture, 50, 40, 80);
    picture.Rotate_Arbitrary(angle);
    ASSERT_NE(picture.m_pixels, nullptr);
    EXPECT_LE(picture.m_width, 50);
    EXPECT_LE(picture.m_height, 40);
  }
}

TEST(RotateArbitrary, LeavesUnusablePicturesAlone) {
  Cimage failed;
  MakeLabelledPicture(failed, 9, 7);
  failed.m_loadError = 1;
  failed.Rotate_Arbitrary(0.2);
  EXPECT_EQ(failed.m_width, 9);
  Cimage empty;
  empty.Rotate_Arbitrary(0.2);
  EXPECT_EQ(empty.m_pixels, nullptr);
}

}  // namespace
