// The size dialogs' arithmetic, in both trees: the side that follows a typed one, and the limits
// that keep every size one the image library can make.
#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

#include "picture_limits.h"
#include "picture_size_rules.h"

namespace {

TEST(ProportionalSide, KeepsTheStartingProportionsWithinTheLibrarysSides) {
  const struct {
    int typed, startTyped, startOther, expected;
  } cases[] = {
      {50, 100, 200, 100},         // height 50 of a 200 x 100 picture: width 100
      {50, 200, 100, 25},          // width 50 of the same: height 25
      {333, 1000, 750, 249},       // truncated, as the division falls
      {0, 100, 200, 1},            // a typed 0 never gives a 0 side
      {1, 3000, 10, 1},            // nor does a side that rounds down to nothing
      {-5, 100, 200, 1},           // nor a negative one
      {9999, 10, 30000, 30000},    // far past the largest side: the largest side
      {INT_MAX, 1, INT_MAX, 30000},  // no overflow on the way
      {50, 0, 200, 200},           // no starting side to scale by: the other stays
      {50, 0, 0, 1},
      {50, -4, 99999, 30000},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProportionalSide(c.typed, c.startTyped, c.startOther), c.expected)
        << c.typed << " of " << c.startTyped << " -> " << c.startOther;
}

TEST(WithinPictureLimits, GivesSizesTheLibraryCanMake) {
  const struct {
    int64_t width, height;
    int expectedWidth, expectedHeight;
  } cases[] = {
      {640, 480, 640, 480},
      {0, 0, 1, 1},
      {-3, 5, 1, 5},
      {30001, 10, 30000, 10},
      {10, 1LL << 40, 10, 30000},
      {16384, 16384, 16384, 16384},   // exactly the pixel cap
      {20000, 20000, 16384, 16384},   // past it: both sides shrink alike
      {30000, 30000, 16384, 16384},
      {30000, 15000, 23170, 11585},
      {1LL << 40, 1LL << 40, 16384, 16384},
  };
  for (const auto& c : cases) {
    const PictureSize size = WithinPictureLimits(c.width, c.height);
    EXPECT_EQ(size.width, c.expectedWidth) << c.width << " x " << c.height;
    EXPECT_EQ(size.height, c.expectedHeight) << c.width << " x " << c.height;
    EXPECT_TRUE(ravelight::IsSanePictureSize(size.width, size.height)) << c.width << " x " << c.height;
  }
}

}  // namespace
