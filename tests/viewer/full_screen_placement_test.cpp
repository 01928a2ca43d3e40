// The full-screen window's placement, in both trees: a picture starts centred, and a drag keeps a
// small picture wholly on the screen and a large one covering it.
#include <climits>

#include <gtest/gtest.h>

#include "full_screen_placement.h"

namespace {

TEST(FullScreenPlacement, CentresThePicture) {
  const struct {
    int screen, picture, expected;
  } cases[] = {
      {1280, 640, 320},  {1280, 1280, 0}, {1280, 2000, -360},
      {1024, 101, 461},  // the odd pixel goes to the far side
      {1024, 2049, -512},  // a larger picture by an odd amount: truncated towards the centre
      {0, 0, 0},         {INT_MAX, INT_MIN + 1, INT_MAX},  // no overflow on the way
  };
  for (const auto& c : cases) EXPECT_EQ(CentredOffset(c.screen, c.picture), c.expected) << c.screen << " " << c.picture;
}

TEST(FullScreenPlacement, DragStaysWithinTheLimits) {
  const struct {
    int offset, movement, screen, picture, expected;
  } cases[] = {
      // A picture smaller than the screen moves freely inside it and stops at each edge.
      {320, 100, 1280, 640, 420},
      {320, 500, 1280, 640, 640},     // right edge: 1280 - 640
      {320, -500, 1280, 640, 0},      // left edge
      {0, -1, 1280, 640, 0},
      {640, 1, 1280, 640, 640},
      // A picture larger than the screen: no background at either side.
      {-360, 100, 1280, 2000, -260},
      {-360, 500, 1280, 2000, 0},     // its left edge cannot come past the screen's
      {-360, -500, 1280, 2000, -720},  // its right edge cannot come inside: 1280 - 2000
      {0, 1, 1280, 2000, 0},
      {-720, -1, 1280, 2000, -720},
      // Exactly the screen's size: it cannot move at all.
      {0, 300, 1024, 1024, 0},
      {0, -300, 1024, 1024, 0},
      // Extreme movements do not wrap round.
      {0, INT_MAX, 1280, 640, 640},
      {0, INT_MIN, 1280, 2000, -720},
      {INT_MAX, INT_MAX, 1280, 640, 640},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DraggedOffset(c.offset, c.movement, c.screen, c.picture), c.expected)
        << c.offset << " + " << c.movement << " on " << c.screen << " for " << c.picture;
}

}  // namespace
