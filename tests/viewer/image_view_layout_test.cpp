// A pan/zoom window's view arithmetic, in both trees: what part of the picture shows, where it is
// drawn, how points map between client and picture, the scroll steps and the wheel.
#include <climits>

#include <gtest/gtest.h>

#include "image_view_layout.h"

namespace {

ViewAxis Axis(int origin, int centre) {
  ViewAxis axis;
  axis.origin = origin;
  axis.centre = centre;
  return axis;
}

TEST(ViewLayout, LaysOutOneAxis) {
  const struct {
    const char* why;
    ViewAxis before;
    int client, picture, num, den;
    ViewAxis expected;  // visible, origin, centre, offset
  } cases[] = {
      {"a picture narrower than the client is centred whole", Axis(0, 50), 400, 100, 1, 1, {100, 0, 50, 150}},
      {"the same at 2:1", Axis(0, 50), 400, 100, 2, 1, {100, 0, 50, 100}},
      {"at 1:2 a picture twice the client fits exactly", Axis(0, 0), 400, 801, 1, 2, {801, 0, 400, 0}},
      {"a picture one pixel larger than the view scrolls", Axis(0, 201), 400, 402, 1, 1, {401, 1, 201, 0}},
      {"the centre kept", Axis(0, 500), 400, 2000, 1, 1, {401, 300, 500, 0}},
      {"centre before the start", Axis(0, -90), 400, 2000, 1, 1, {401, 0, 200, 0}},
      {"centre past the end", Axis(0, 5000), 400, 2000, 1, 1, {401, 1599, 1799, 0}},
      {"a view that grew past the end keeps the far edge", Axis(1700, 1900), 400, 2000, 1, 1, {401, 1599, 1799, 0}},
      {"4:1 shows a quarter", Axis(0, 1000), 400, 2000, 4, 1, {101, 950, 1000, 0}},
      {"1:8 shows eight times as much", Axis(0, 3000), 400, 6000, 1, 8, {3201, 1400, 3000, 0}},
      {"a zoomed-out picture's offset is in client pixels", Axis(0, 0), 500, 1200, 1, 3, {1200, 0, 600, 50}},
      {"an empty client still shows a pixel", Axis(0, 10), 0, 20, 1, 1, {1, 10, 10, 0}},
  };
  for (const auto& c : cases) {
    const ViewAxis got = LayoutAxis(c.before, c.client, c.picture, c.num, c.den);
    EXPECT_EQ(got.visible, c.expected.visible) << c.why;
    EXPECT_EQ(got.origin, c.expected.origin) << c.why;
    EXPECT_EQ(got.centre, c.expected.centre) << c.why;
    EXPECT_EQ(got.offset, c.expected.offset) << c.why;
  }
}

TEST(ViewLayout, ZoomingBackInDropsTheCentringOffset) {
  ViewAxis axis = LayoutAxis(Axis(0, 500), 400, 1000, 1, 4);  // the whole picture, centred
  EXPECT_EQ(axis.offset, 75);
  axis = LayoutAxis(axis, 400, 1000, 1, 1);
  EXPECT_EQ(axis.offset, 0);
  EXPECT_EQ(axis.origin, 300);
}

TEST(ViewLayout, MapsPointsBothWays) {
  const ViewAxis axis = LayoutAxis(Axis(0, 1000), 400, 2000, 2, 1);  // origin 900, 201 visible
  ASSERT_EQ(axis.origin, 900);
  const struct {
    int client, picture;
  } points[] = {{0, 900}, {1, 900}, {2, 901}, {398, 1099}, {400, 1100}};
  for (const auto& p : points) EXPECT_EQ(ClientToPicture(p.client, axis, 2, 1), p.picture) << p.client;
  EXPECT_EQ(PictureToClient(1000, axis, 2, 1), 200);

  const ViewAxis centred = LayoutAxis(Axis(0, 0), 500, 100, 1, 1);  // drawn from client 200
  EXPECT_EQ(ClientToPicture(200, centred, 1, 1), 0);
  EXPECT_EQ(ClientToPicture(50, centred, 1, 1), -150);  // beside the picture: outside it
  EXPECT_EQ(OnPicture(ClientToPicture(50, centred, 1, 1), 100), 0);
  EXPECT_EQ(OnPicture(ClientToPicture(450, centred, 1, 1), 100), 99);
  EXPECT_EQ(OnPicture(7, 0), 0);

  // An autosizing window shows a 4000-pixel file 1000 wide.
  EXPECT_EQ(ClientToFile(250, 0, 1000, 4000), 1000);
  EXPECT_EQ(FileToClient(1000, 0, 1000, 4000), 250);
  EXPECT_EQ(ClientToFile(260, 10, 1000, 4000), 1000);
  EXPECT_EQ(ClientToFile(5, 0, 0, 4000), 0);  // an empty picture maps nowhere
  EXPECT_EQ(ClientToPicture(INT_MAX, Axis(INT_MAX, 0), 1, 8), INT_MAX);  // saturates, never wraps
}

TEST(ViewLayout, ReducedViewsMoveByWholeBlocks) {
  const struct {
    int oldOrigin, newOrigin, num, den, shift;
  } cases[] = {
      {100, 150, 1, 1, -50}, {150, 100, 1, 1, 50},  // 1:1: the picture moves as the origin
      {100, 150, 2, 1, -100},                       // 2:1: twice as far
      {100, 150, 1, 4, -12},                        // blocks 100 and 148: 12 blocks
      {103, 101, 1, 4, 0},                          // within one block nothing moves
      {0, 505, 1, 8, -63},                          // blocks 0 and 504
      {7, 7, 1, 3, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownShift(c.oldOrigin, c.newOrigin, c.num, c.den), c.shift) << c.oldOrigin << " " << c.newOrigin;
  EXPECT_EQ(BlockOrigin(505, 8), 504);
  EXPECT_EQ(BlockOrigin(505, 1), 505);
  EXPECT_EQ(BlockOrigin(-3, 4), 0);
}

TEST(ViewLayout, PartsOfTheViewDrawnApart) {
  const struct {
    const char* why;
    int clientFirst, clientEnd, origin, offset, size, num, den;
    PictureSpan expected;
  } cases[] = {
      {"the whole client at 1:1", 0, 400, 300, 0, 2000, 1, 1, {300, 701}},
      {"a strip at the bottom, with a pixel each side", 360, 400, 300, 0, 2000, 1, 1, {659, 701}},
      {"at 2:1 a strip of 40 client pixels is 20 picture pixels", 360, 400, 300, 0, 2000, 2, 1, {479, 501}},
      {"at 1:4 whole blocks from the block holding the origin", 100, 200, 302, 0, 8000, 1, 4, {696, 1104}},
      {"never before the first block shown", 0, 10, 302, 0, 8000, 1, 4, {300, 344}},
      {"never past the picture", 0, 400, 1800, 0, 2000, 1, 1, {1800, 2000}},
      {"a centred picture from its first pixel", 0, 500, 0, 200, 100, 1, 1, {0, 100}},
  };
  for (const auto& c : cases) {
    ViewAxis axis;
    axis.origin = c.origin;
    axis.offset = c.offset;
    const PictureSpan span = SpanCovering(c.clientFirst, c.clientEnd, axis, c.size, c.num, c.den);
    EXPECT_EQ(span.first, c.expected.first) << c.why;
    EXPECT_EQ(span.end, c.expected.end) << c.why;
  }
}

TEST(ViewLayout, ScrollSteps) {
  const struct {
    int visible, line, page;
  } cases[] = {{401, 40, 360}, {9, 0, 8}, {10, 1, 9}, {1000, 100, 900}, {0, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(LineStep(c.visible), c.line) << c.visible;
    EXPECT_EQ(PageStep(c.visible), c.page) << c.visible;
  }
}

TEST(MouseWheel, AStepNeedsMoreThanOneNotch) {
  const struct {
    const char* why;
    int deltas[4];
    int lines[4];
  } cases[] = {
      {"one notch scrolls nothing, the next unit does", {120, 1, 0, 0}, {0, 1, 0, 0}},
      {"two notches at once scroll one line", {240, 0, 0, 0}, {1, 0, 0, 0}},
      {"and the remainder waits", {240, 1, 0, 0}, {1, 1, 0, 0}},
      {"fine wheels add up", {40, 40, 40, 1}, {0, 0, 0, 1}},
      {"towards the user scrolls up", {-121, -120, -119, 0}, {-1, -1, 0, 0}},
      {"turning back cancels", {100, -100, 120, 0}, {0, 0, 0, 0}},
      {"a big turn scrolls many lines", {1201, 0, 0, 0}, {10, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    WheelAccumulator wheel;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(wheel.Add(c.deltas[i]), c.lines[i]) << c.why << ", delta " << i;
  }
  WheelAccumulator huge;
  EXPECT_EQ(huge.Add(INT_MAX), (INT_MAX - 1) / 120);
  EXPECT_EQ(huge.Add(INT_MAX), (INT_MAX - 1) / 120);  // the total saturates instead of wrapping
}

}  // namespace
