// The image window's zoom ladder, in both trees: the steps in pan/zoom mode, the ratios picked
// when an autosizing window is first zoomed, and the nearest ratio an edit keeps.
#include <gtest/gtest.h>

#include "image_zoom_rules.h"

namespace {

const ZoomRatio kLadder[] = {{1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1}};
constexpr int kRungs = sizeof kLadder / sizeof kLadder[0];

TEST(ZoomLadder, StepsOneRungAndStopsAtTheEnds) {
  for (int i = 0; i < kRungs; ++i) {
    const ZoomRatio up = ZoomInStep(kLadder[i]), down = ZoomOutStep(kLadder[i]);
    const ZoomRatio expectedUp = kLadder[i + 1 < kRungs ? i + 1 : i], expectedDown = kLadder[i > 0 ? i - 1 : 0];
    EXPECT_EQ(up, expectedUp) << kLadder[i].num << ":" << kLadder[i].den;
    EXPECT_EQ(down, expectedDown) << kLadder[i].num << ":" << kLadder[i].den;
  }
}

TEST(ZoomLadder, FirstZoomOfAnAutosizingWindowFollowsTheShownScale) {
  const struct {
    int percent;
    ZoomRatio in, out;
  } cases[] = {
      {601, {8, 1}, {6, 1}}, {600, {6, 1}, {4, 1}}, {401, {6, 1}, {4, 1}}, {400, {6, 1}, {3, 1}},
      {399, {4, 1}, {3, 1}}, {301, {4, 1}, {3, 1}}, {300, {4, 1}, {2, 1}}, {299, {3, 1}, {2, 1}},
      {201, {3, 1}, {2, 1}}, {200, {3, 1}, {1, 1}}, {199, {2, 1}, {1, 1}}, {101, {2, 1}, {1, 1}},
      {100, {2, 1}, {1, 2}}, {99, {1, 1}, {1, 2}},  {51, {1, 1}, {1, 2}},
      {50, {1, 1}, {1, 3}},  // exactly half: in gives 1:1, out gives 1:3
      {49, {1, 2}, {1, 3}},  {34, {1, 2}, {1, 3}},  {33, {1, 2}, {1, 4}}, {32, {1, 3}, {1, 4}},
      {26, {1, 3}, {1, 4}},  {25, {1, 3}, {1, 8}},  {24, {1, 4}, {1, 8}}, {0, {1, 4}, {1, 8}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZoomInFromPercent(c.percent), c.in) << c.percent;
    EXPECT_EQ(ZoomOutFromPercent(c.percent), c.out) << c.percent;
  }
}

TEST(ZoomLadder, AnEditKeepsTheNearestRatio) {
  const struct {
    int percent;
    ZoomRatio nearest;
  } cases[] = {{701, {8, 1}}, {700, {6, 1}}, {501, {6, 1}}, {500, {4, 1}}, {351, {4, 1}}, {350, {2, 1}},
               {151, {2, 1}}, {150, {1, 1}}, {76, {1, 1}},  {75, {1, 2}},  {41, {1, 2}},  {40, {1, 3}},
               {29, {1, 3}},  {28, {1, 4}},  {21, {1, 4}},  {20, {1, 8}},  {1, {1, 8}}};
  for (const auto& c : cases) EXPECT_EQ(NearestZoom(c.percent), c.nearest) << c.percent;
}

TEST(ZoomLadder, ShownPercentOfTheFilesWidth) {
  EXPECT_EQ(ShownPercent(1000, 2000), 50);
  EXPECT_EQ(ShownPercent(999, 2000), 49);  // truncated, so just below half zooms in to 1:2
  EXPECT_EQ(ShownPercent(6000, 1000), 600);
  EXPECT_EQ(ShownPercent(30000, 30000), 100);  // no overflow of width × 100
  EXPECT_EQ(ShownPercent(100, 0), 0);
}

}  // namespace
