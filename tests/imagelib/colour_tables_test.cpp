// The JFIF conversion tables and the CMYK conversion the decoders rely on.
#include <algorithm>

#include <gtest/gtest.h>

#include "Cimage.h"

namespace {

struct Ycc {
  int y, cb, cr;
};

Ycc Forward(int r, int g, int b) {
  return {(Cimage::ry_tab[r] + Cimage::gy_tab[g] + Cimage::by_tab[b]) >> 16,
          (Cimage::rcb_tab[r] + Cimage::gcb_tab[g] + Cimage::bcb_tab[b]) >> 16,
          (Cimage::bcb_tab[r] + Cimage::gcr_tab[g] + Cimage::bcr_tab[b]) >> 16};
}

int Clamp(int v) { return std::min(255, std::max(0, v)); }

void Inverse(Ycc c, int& r, int& g, int& b) {
  r = Clamp(c.y + Cimage::Cr_r_tab[c.cr]);
  g = Clamp(c.y + ((Cimage::Cb_g_tab[c.cb] + Cimage::Cr_g_tab[c.cr]) >> 16));
  b = Clamp(c.y + Cimage::Cb_b_tab[c.cb]);
}

TEST(ColourTables, SamplePointsMatchTheJfifConstants) {
  Cimage::S_Initialize();
  EXPECT_EQ(Cimage::ry_tab[255], 4996725);
  EXPECT_EQ(Cimage::gy_tab[1], 38470);
  EXPECT_EQ(Cimage::by_tab[0], 32768);
  EXPECT_EQ(Cimage::by_tab[255], 1937873);
  EXPECT_EQ(Cimage::rcb_tab[255], -2820045);
  EXPECT_EQ(Cimage::gcb_tab[128], -2778752);
  EXPECT_EQ(Cimage::bcb_tab[0], 8421375);
  EXPECT_EQ(Cimage::bcb_tab[255], 16777215);
  EXPECT_EQ(Cimage::gcr_tab[255], -6996945);
  EXPECT_EQ(Cimage::bcr_tab[255], -1358895);
  EXPECT_EQ(Cimage::Cr_r_tab[0], -179);
  EXPECT_EQ(Cimage::Cr_r_tab[128], 0);
  EXPECT_EQ(Cimage::Cr_r_tab[255], 178);
  EXPECT_EQ(Cimage::Cb_b_tab[0], -227);
  EXPECT_EQ(Cimage::Cb_b_tab[255], 225);
  EXPECT_EQ(Cimage::Cr_g_tab[0], 5990656);
  EXPECT_EQ(Cimage::Cr_g_tab[255], -5943854);
  EXPECT_EQ(Cimage::Cb_g_tab[0], 2919680);
  EXPECT_EQ(Cimage::Cb_g_tab[128], 32768);
}

TEST(ColourTables, PrimariesConvertToTheirKnownYcc) {
  Cimage::S_Initialize();
  const struct {
    int r, g, b, y, cb, cr;
  } cases[] = {{255, 0, 0, 76, 85, 255},   {0, 255, 0, 150, 44, 21},   {0, 0, 255, 29, 255, 107},
               {255, 255, 255, 255, 128, 128}, {0, 0, 0, 0, 128, 128}, {255, 255, 0, 226, 0, 149}};
  for (const auto& c : cases) {
    const Ycc ycc = Forward(c.r, c.g, c.b);
    EXPECT_EQ(ycc.y, c.y) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(ycc.cb, c.cb) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(ycc.cr, c.cr) << c.r << "," << c.g << "," << c.b;
  }
}

TEST(ColourTables, GreysRoundTripExactlyAndPrimariesWithinOne) {
  Cimage::S_Initialize();
  int r, g, b;
  for (int grey = 0; grey < 256; ++grey) {
    Inverse(Forward(grey, grey, grey), r, g, b);
    ASSERT_EQ(r, grey);
    ASSERT_EQ(g, grey);
    ASSERT_EQ(b, grey);
  }
  const int primaries[][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
  for (const auto& p : primaries) {
    Inverse(Forward(p[0], p[1], p[2]), r, g, b);
    EXPECT_NEAR(r, p[0], 1);
    EXPECT_NEAR(g, p[1], 1);
    EXPECT_NEAR(b, p[2], 1);
  }
}

TEST(CmykConversion, GridCornersAndTheRichBlackPoint) {
  EXPECT_EQ(RGBfromCMYK(255, 255, 255, 255), 0x00FFFFFFu);
  EXPECT_EQ(RGBfromCMYK(0, 0, 0, 0), 0x00000000u);
  EXPECT_EQ(RGBfromCMYK(0, 0, 0, 255), 0x00201821u);
}

TEST(CmykConversion, InksTakeAwayTheirOwnPrimary) {
  // Stored values are inverted: 0 is a full coat of that ink.
  const unsigned cyan = RGBfromCMYK(0, 255, 255, 255);
  const unsigned magenta = RGBfromCMYK(255, 0, 255, 255);
  const unsigned yellow = RGBfromCMYK(255, 255, 0, 255);
  auto channel = [](unsigned colorref, int i) { return int(colorref >> (8 * i) & 0xFF); };
  EXPECT_LT(channel(cyan, 0), 64);
  EXPECT_GT(channel(cyan, 1), 100);
  EXPECT_LT(channel(magenta, 1), 64);
  EXPECT_GT(channel(magenta, 0), 100);
  EXPECT_LT(channel(yellow, 2), 100);
  EXPECT_GT(channel(yellow, 0), 200);
}

TEST(CmykConversion, LessBlackInkIsNeverDarker) {
  for (int c : {0, 255})
    for (int k = 1; k < 256; ++k)
      for (int i = 0; i < 3; ++i)
        ASSERT_GE(RGBfromCMYK(c, c, c, k) >> (8 * i) & 0xFF, RGBfromCMYK(c, c, c, k - 1) >> (8 * i) & 0xFF)
            << "c=" << c << " k=" << k;
}

}  // namespace
