// The preview window's place before each request: kept when it is on the work area, brought back
// whole (not cut) when it is not, never smaller than 100 × 100 nor larger than the area.
#include <gtest/gtest.h>

#include "case_name.h"
#include "preview_placement.h"

namespace {

struct PlacementCase {
  const char* what;
  CRect window;
  CRect workArea;
  CRect placed;
};

class PreviewPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PreviewPlacement, BringsTheWindowWholeOntoTheWorkArea) {
  const PlacementCase& c = GetParam();
  const CRect placed = PlacePreviewOnArea(c.window, c.workArea);
  EXPECT_EQ(placed.left, c.placed.left) << c.what;
  EXPECT_EQ(placed.top, c.placed.top) << c.what;
  EXPECT_EQ(placed.right, c.placed.right) << c.what;
  EXPECT_EQ(placed.bottom, c.placed.bottom) << c.what;
}

const CRect kScreen(0, 0, 1024, 738);

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewPlacement,
    ::testing::Values(
        PlacementCase{"the default place stays", CRect(0, 350, 300, 550), kScreen, CRect(0, 350, 300, 550)},
        PlacementCase{"far right of a display no longer there", CRect(5000, 350, 5300, 550), kScreen,
                      CRect(724, 350, 1024, 550)},
        PlacementCase{"above and left of the screen", CRect(-400, -300, -100, -100), kScreen, CRect(0, 0, 300, 200)},
        PlacementCase{"half below the taskbar", CRect(100, 650, 400, 850), kScreen, CRect(100, 538, 400, 738)},
        PlacementCase{"shrunk to a sliver grows to 100 x 100", CRect(10, 10, 20, 15), kScreen,
                      CRect(10, 10, 110, 110)},
        PlacementCase{"turned inside out", CRect(500, 500, 400, 400), kScreen, CRect(500, 500, 600, 600)},
        PlacementCase{"larger than the area fills it", CRect(-50, -50, 3000, 2000), kScreen, kScreen},
        PlacementCase{"a second display left of the first", CRect(-2000, 100, -1700, 300),
                      CRect(-1280, 0, 0, 1024), CRect(-1280, 100, -980, 300)}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return CaseName(info.param.what); });

}  // namespace
