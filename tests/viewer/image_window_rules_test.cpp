// How an image window opens, in both trees: the boxes, scaled or full loads by the settings and
// the open mode, the window's size with scroll bars, placement, the caption, the read-out and
// the refit after the user resized an autosizing window.
#include <gtest/gtest.h>

#include "image_window_rules.h"

namespace {

constexpr WindowSize kScreen = {1280, 1024};

TEST(ImageWindowOpening, WindowAndLoadBoxes) {
  const struct {
    int viewstyle, preferedsize;
    OpenMode mode;
    WindowSize box;
  } cases[] = {
      {0, 0, OpenMode::Settings, {1280, 1024}},      {0, 1, OpenMode::Settings, {1120, 896}},
      {0, 2, OpenMode::Settings, {960, 768}},        {0, 3, OpenMode::Settings, {640, 512}},
      {0, 9, OpenMode::Settings, {640, 512}},        {0, -1, OpenMode::Settings, {1280, 1024}},
      {3, 3, OpenMode::Settings, {1280, 1024}},      // full screen style: the whole screen
      {3, 3, OpenMode::FullScreen, {1280, 1024}},    {3, 3, OpenMode::Autosize, {640, 512}},
      {3, 2, OpenMode::NeverFullScreen, {960, 768}}, {1, 1, OpenMode::Settings, {1120, 896}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowBox(kScreen, {c.viewstyle, c.preferedsize, 0}, c.mode), c.box)
        << c.viewstyle << " " << c.preferedsize << " " << int(c.mode);
  }
  EXPECT_EQ(LoadBox({960, 768}, {8, 27}), (WindowSize{952, 741}));
  EXPECT_EQ(LoadBox({4, 4}, {8, 27}), (WindowSize{1, 1}));  // never an empty box
}

TEST(ImageWindowOpening, ScaledOrFullByViewStyleAndMode) {
  const OpenMode modes[] = {OpenMode::Settings, OpenMode::OneToOne, OpenMode::Autosize, OpenMode::FullScreen,
                            OpenMode::NeverFullScreen};
  // Rows: viewstyle 0..3; columns: open modes 0..4. 1 = scaled (autosizing).
  const int scaled[4][5] = {{1, 0, 1, 1, 1}, {0, 0, 1, 0, 0}, {0, 0, 1, 0, 0}, {1, 0, 1, 1, 1}};
  // 1 = the picture also goes full screen.
  const int fullScreen[4][5] = {{0, 0, 0, 1, 0}, {0, 0, 0, 1, 0}, {1, 0, 0, 1, 0}, {1, 0, 0, 1, 0}};
  for (int style = 0; style < 4; ++style) {
    for (int m = 0; m < 5; ++m) {
      EXPECT_EQ(LoadsScaled({style, 0, 0}, modes[m]), scaled[style][m] == 1) << style << " " << m;
      EXPECT_EQ(OpensFullScreen(style, modes[m]), fullScreen[style][m] == 1) << style << " " << m;
    }
  }
  EXPECT_EQ(ScaledLoadMode(0), 2);
  EXPECT_EQ(ScaledLoadMode(1), 3);
  EXPECT_EQ(ScaledLoadMode(2), 4);
  EXPECT_EQ(ScaledLoadMode(7), 4);
  EXPECT_EQ(ScaledLoadMode(-3), 2);
}

TEST(ImageWindowOpening, PanZoomWindowSizeHasRoomForThePictureAndBothScrollBars) {
  const WindowSize frame = {8, 27}, bars = {16, 16}, box = {1000, 800};
  const struct {
    const char* why;
    WindowSize picture, expected;
  } cases[] = {
      {"fits: nothing to scroll", {640, 480}, {664, 523}},
      {"exactly fits", {976, 757}, {1000, 800}},
      {"too tall", {600, 2000}, {624, 800}},
      {"too wide", {3000, 400}, {1000, 443}},
      {"both", {3000, 3000}, {1000, 800}},
      {"an empty picture still makes a window", {0, 0}, {24, 43}},
  };
  for (const auto& c : cases) EXPECT_EQ(PanZoomWindowSize(c.picture, frame, bars, box), c.expected) << c.why;
}

TEST(ImageWindowOpening, Placement) {
  const WindowSize window = {300, 200};
  int corner = 3;
  const Placement corners[] = {{0, 0}, {980, 0}, {0, 824}, {980, 824}, {0, 0}};
  for (const Placement& expected : corners) {
    const Placement at = PlaceWindow(0, kScreen, window, corner, 0, 0);
    EXPECT_EQ(at.x, expected.x);
    EXPECT_EQ(at.y, expected.y);
  }
  int unused = 0;
  const struct {
    int position, randomX, randomY;
    Placement expected;
  } cases[] = {{1, 0, 0, {490, 412}}, {2, 0, 0, {0, 0}}, {2, 32767, 32767, {980, 824}},
               {2, 16384, 0, {490, 0}}, {3, 0, 0, {0, 824}}, {7, 0, 0, {0, 824}}};
  for (const auto& c : cases) {
    const Placement at = PlaceWindow(c.position, kScreen, window, unused, c.randomX, c.randomY);
    EXPECT_EQ(at.x, c.expected.x) << c.position;
    EXPECT_EQ(at.y, c.expected.y) << c.position;
  }
  EXPECT_EQ(unused, 0);  // only cycling moves the corner
}

TEST(ImageWindowOpening, TitleAndReadOut) {
  EXPECT_EQ(ImageWindowTitle("beach.jpg", 3000, 2000, 1, 4), "beach.jpg 3000 X 2000  @  1:4");
  EXPECT_EQ(ImageWindowTitle("untitled.jpg", 640, 480, 640, 480), "untitled.jpg 640 X 480  @  640:480");
  EXPECT_EQ(PixelStatusText(12, 7, 0x102030), "X=12,Y=7,  R=16, G=32, B=48");
  EXPECT_EQ(PixelStatusText(0, 0, 0xFFFFFFFF), "X=0,Y=0,  R=255, G=255, B=255");
}

TEST(AutosizingRefit, FollowsTheSideTheUserDragged) {
  const WindowSize picture = {400, 300}, room = {1272, 997};
  const struct {
    const char* why;
    WindowSize client, expected;
  } cases[] = {
      {"wider only: the height follows", {800, 300}, {800, 600}},
      {"wider and a little taller: still the width leads", {800, 305}, {800, 600}},
      {"taller only: the width follows", {400, 600}, {800, 600}},
      {"taller and a little wider", {405, 600}, {800, 600}},
      {"both grew a lot: as dragged", {600, 600}, {600, 600}},
      {"smaller: as dragged", {200, 100}, {200, 100}},
      {"capped by the screen's room", {2000, 300}, {1272, 997}},
      {"never empty", {0, 0}, {1, 1}},
  };
  for (const auto& c : cases) EXPECT_EQ(RefitClient(c.client, picture, room), c.expected) << c.why;
  EXPECT_EQ(RefitClient({50, 50}, {0, 0}, room), (WindowSize{50, 50}));
}

TEST(AutosizingRefit, ResamplesWhatItHoldsAndReloadsToGrow) {
  EXPECT_EQ(RefitMethod(300, 400, 4000, true), Refit::Resample);  // smaller
  EXPECT_EQ(RefitMethod(800, 400, 4000, true), Refit::Reload);    // larger, the file has more
  EXPECT_EQ(RefitMethod(800, 400, 400, true), Refit::Resample);   // the file has no more
  EXPECT_EQ(RefitMethod(400, 400, 4000, true), Refit::Reload);
  EXPECT_EQ(RefitMethod(300, 400, 4000, false), Refit::Reload);   // nothing to resample
}

}  // namespace
