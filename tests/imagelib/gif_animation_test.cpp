// GIF animation: delays, disposal methods, looping, the end of an animation, and the bounds on
// how many frames a file may bring.
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "gif_decoder.h"
#include "gif_test_encoder.h"
#include "gif_test_support.h"
#include "test_files.h"

namespace {

enum Disposal { kUnspecified = 0, kKeep = 1, kToBackground = 2, kToPrevious = 3 };

// Frames of a 4 × 4 screen, each with its graphic control.
struct Frame {
  GifImage image;
  Disposal disposal;
  int delay;
};

Bytes Animation(const std::vector<Frame>& frames, int width = 4, int height = 4) {
  GifBuilder gif(width, height, kFourColours);
  for (const Frame& f : frames) gif.GraphicControl(f.disposal, f.delay).Image(f.image);
  return gif.File();
}

TEST(GifAnimation, DelaysFollowTheFramesAndLoop) {
  GifPicture picture;
  LoadGifBytes(picture, Animation({{SolidImage(0, 0, 4, 4, kRedIndex), kUnspecified, 10},
                                   {SolidImage(0, 0, 4, 4, kGreenIndex), kUnspecified, 20},
                                   {SolidImage(0, 0, 4, 4, kBlueIndex), kUnspecified, 30}}));
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_animated, 1);
  EXPECT_EQ(picture.m_frameDelay, 10);
  EXPECT_EQ(ColourAt(picture, 3, 3), kRed);
  const struct {
    int delay;
    uint32_t colour;
  } steps[] = {{20, kGreen}, {30, kBlue}, {10, kRed}, {20, kGreen}};
  for (const auto& step : steps) {
    picture.NextFrame();
    EXPECT_EQ(picture.m_frameDelay, step.delay);
    EXPECT_EQ(Canvas(picture), std::vector<uint32_t>(16, step.colour));
  }
}

TEST(GifAnimation, OneFrameIsNoAnimation) {
  GifPicture picture;
  LoadGifBytes(picture, Animation({{SolidImage(1, 1, 2, 2, kRedIndex), kToBackground, 50}}));
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_FALSE(picture.m_gif);
  const std::vector<uint32_t> loaded = Canvas(picture);
  picture.NextFrame();
  EXPECT_EQ(Canvas(picture), loaded);
  EXPECT_EQ(picture.m_frameDelay, 0);
}

TEST(GifAnimation, Gif87aFramesAnimateWithoutDelays) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(1, 1, kFourColours, "GIF87a")
                            .Image(SolidImage(0, 0, 1, 1, kRedIndex))
                            .Image(SolidImage(0, 0, 1, 1, kGreenIndex))
                            .File());
  ASSERT_EQ(picture.m_animated, 1);
  EXPECT_EQ(picture.m_frameDelay, 0);
  picture.NextFrame();
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_EQ(ColourAt(picture, 0, 0), kGreen);
}

struct DisposalCase {
  const char* name;
  std::vector<Frame> frames;
  std::vector<std::vector<uint32_t>> canvases;  // after loading, then after each NextFrame
};

class GifDisposal : public ::testing::TestWithParam<DisposalCase> {};

TEST_P(GifDisposal, EachFrameIsUndoneAsItSays) {
  GifPicture picture;
  LoadGifBytes(picture, Animation(GetParam().frames));
  ASSERT_EQ(picture.m_loadError, 0);
  const auto& canvases = GetParam().canvases;
  for (size_t step = 0; step < canvases.size(); ++step) {
    if (step > 0) picture.NextFrame();
    EXPECT_EQ(Canvas(picture), canvases[step]) << "step " << step;
  }
}

const GifImage kRedScreen = SolidImage(0, 0, 4, 4, kRedIndex);
const GifImage kGreenSquare = SolidImage(1, 1, 2, 2, kGreenIndex);
const GifImage kBlueCorner = SolidImage(3, 3, 1, 1, kBlueIndex);
const GifImage kBlueOrigin = SolidImage(0, 0, 1, 1, kBlueIndex);

const std::vector<uint32_t> kAllRed = Pixels("RRRR RRRR RRRR RRRR");
const std::vector<uint32_t> kRedWithGreenSquare = Pixels("RRRR RGGR RGGR RRRR");

INSTANTIATE_TEST_SUITE_P(
    Methods, GifDisposal,
    ::testing::Values(
        // Restoring the background touches the frame's own rectangle and nothing else.
        DisposalCase{"ToBackgroundOnlyInsideTheFrame",
                     {{kRedScreen, kUnspecified, 1}, {kGreenSquare, kToBackground, 1}, {kBlueOrigin, kUnspecified, 1}},
                     {kAllRed, kRedWithGreenSquare, Pixels("URRR RBBR RBBR RRRR")}},
        // Restoring the previous canvas brings back what was there before the frame was drawn.
        DisposalCase{"ToPreviousBringsBackTheCanvasBeforeTheFrame",
                     {{kRedScreen, kUnspecified, 1}, {kGreenSquare, kToPrevious, 1}, {kBlueCorner, kUnspecified, 1}},
                     {kAllRed, kRedWithGreenSquare, Pixels("RRRR RRRR RRRR RRRU")}},
        DisposalCase{"ToPreviousTwiceInARow",
                     {{kRedScreen, kUnspecified, 1},
                      {kGreenSquare, kToPrevious, 1},
                      {kBlueOrigin, kToPrevious, 1},
                      {kBlueCorner, kKeep, 1}},
                     {kAllRed,
                      kRedWithGreenSquare,
                      Pixels("URRR RRRR RRRR RRRR"),
                      Pixels("RRRR RRRR RRRR RRRU")}},
        // The first frame undone to previous leaves the bare background.
        DisposalCase{"FirstFrameToPreviousLeavesTheBackground",
                     {{kGreenSquare, kToPrevious, 1}, {kBlueCorner, kUnspecified, 1}},
                     {Pixels("BBBB BGGB BGGB BBBB"), Pixels("BBBB BBBB BBBB BBBU")}},
        // Kept frames build up, also across the loop back to the first frame.
        DisposalCase{"KeptFramesBuildUpAcrossTheLoop",
                     {{kGreenSquare, kKeep, 1}, {kBlueCorner, kUnspecified, 1}, {kBlueOrigin, kToBackground, 1}},
                     {Pixels("BBBB BGGB BGGB BBBB"),
                      Pixels("BBBB BGGB BGGB BBBU"),
                      Pixels("UBBB BGGB BGGB BBBU"),
                      Pixels("BBBB BGGB BGGB BBBU")}}),
    [](const ::testing::TestParamInfo<DisposalCase>& info) { return std::string(info.param.name); });

TEST(GifAnimation, GraphicControlBelongsOnlyToTheImageAfterIt) {
  // Frame 1 has transparency (index 2), a disposal and a delay; frame 2 has no graphic control
  // and draws index 2 opaque, with no delay and no disposal of its own.
  GifImage withGreen = SolidImage(0, 0, 2, 1, kGreenIndex);
  withGreen.indices = {kGreenIndex, kBlueIndex};
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(2, 1, kFourColours)
                            .Image(SolidImage(0, 0, 1, 1, kRedIndex))
                            .GraphicControl(kToBackground, 40, kGreenIndex)
                            .Image(withGreen)
                            .Image(withGreen)
                            .File());
  ASSERT_EQ(picture.m_animated, 1);
  EXPECT_EQ(Canvas(picture), Pixels("RB"));
  picture.NextFrame();
  EXPECT_EQ(picture.m_frameDelay, 40);
  EXPECT_EQ(Canvas(picture), Pixels("RU"));
  picture.NextFrame();
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_EQ(Canvas(picture), Pixels("GU"));
  picture.NextFrame();  // frame 2 had no disposal: its blue stays beside frame 0
  EXPECT_EQ(Canvas(picture), Pixels("RU"));
}

TEST(GifAnimation, LocalTablesAreEachFramesOwn) {
  GifImage local = SolidImage(0, 0, 1, 1, 0);
  local.localTable = {kBlue, kBlack};
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(1, 1, kFourColours).Image(local).Image(SolidImage(0, 0, 1, 1, 0)).File());
  EXPECT_EQ(ColourAt(picture, 0, 0), kBlue);
  picture.NextFrame();
  EXPECT_EQ(ColourAt(picture, 0, 0), kBlack);
}

TEST(GifAnimation, NextFrameDropsTheDisplayCopyAndDescribesThePixels) {
  GifPicture picture;
  LoadGifBytes(picture, Animation({{SolidImage(0, 0, 5, 3, kRedIndex), kUnspecified, 5}, {kGreenSquare, kUnspecified, 5}}, 5, 3));
  ASSERT_EQ(picture.m_animated, 1);
  picture.m_dispBits = static_cast<uint8_t*>(std::malloc(12));
  picture.NextFrame();
  EXPECT_FALSE(picture.m_dispBits);
  ASSERT_TRUE(picture.m_bmi);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biWidth, 5);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biHeight, -3);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biBitCount, 24);
}

TEST(GifAnimation, NoAnimationKeepsTheCurrentFrame) {
  GifPicture picture;
  LoadGifBytes(picture, Animation({{kRedScreen, kUnspecified, 10}, {kGreenSquare, kToPrevious, 20}, {kBlueCorner, kUnspecified, 30}}));
  picture.NextFrame();
  ASSERT_TRUE(picture.m_frameBuf);
  picture.NoAnimation();
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_FALSE(picture.m_gif);
  EXPECT_FALSE(picture.m_frameBuf);
  EXPECT_EQ(Canvas(picture), kRedWithGreenSquare);
  picture.NextFrame();
  EXPECT_EQ(Canvas(picture), kRedWithGreenSquare);
  EXPECT_EQ(picture.m_valid, 1);
  EXPECT_EQ(picture.m_loadError, 0);
}

TEST(GifAnimation, DeletingOrReloadingEndsTheAnimation) {
  const Bytes animation = Animation({{kRedScreen, kToPrevious, 10}, {kGreenSquare, kToPrevious, 20}});
  GifPicture picture;
  LoadGifBytes(picture, animation);
  picture.NextFrame();
  picture.DeleteImage();
  EXPECT_FALSE(picture.m_gif || picture.m_frameBuf || picture.m_pixels);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);

  LoadGifBytes(picture, animation);
  picture.NextFrame();
  LoadGifBytes(picture, GifBuilder(2, 2, kFourColours).Image(SolidImage(0, 0, 2, 2, kBlueIndex)).File());
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_FALSE(picture.m_gif || picture.m_frameBuf);
  EXPECT_EQ(Canvas(picture), std::vector<uint32_t>(4, kBlue));
}

TEST(GifAnimation, AFailedLoadLeavesNoAnimationBehind) {
  GifPicture picture;
  LoadGifBytes(picture, Animation({{kRedScreen, kToPrevious, 10}, {kGreenSquare, kToPrevious, 20}}));
  picture.NextFrame();
  LoadGifBytes(picture, Bytes{'G', 'I', 'F', '8', '9', 'a'});
  EXPECT_EQ(picture.m_loadError, 1);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_FALSE(picture.m_gif || picture.m_frameBuf || picture.m_pixels);
}

TEST(GifAnimation, AtMostTenThousandFramesAreRead) {
  // Frame i has delay i + 1, so the delay after a full loop shows how many frames there were.
  constexpr int kFrames = 10001;
  GifBuilder gif(1, 1, kFourColours);
  for (int i = 0; i < kFrames; ++i) gif.GraphicControl(kUnspecified, i + 1).Image(SolidImage(0, 0, 1, 1, uint8_t(i % 4)));
  GifPicture picture;
  LoadGifBytes(picture, gif.File());
  ASSERT_EQ(picture.m_loadError, 0);
  ASSERT_EQ(picture.m_animated, 1);
  for (int i = 1; i < 10000; ++i) picture.NextFrame();
  EXPECT_EQ(picture.m_frameDelay, 10000);
  picture.NextFrame();
  EXPECT_EQ(picture.m_frameDelay, 1);
}

TEST(GifAnimation, FramesBeyondThePixelBudgetAreNotRead) {
  // Sixty-five full frames of 2048 × 2048 claimed by a few bytes each: sixty-four fill the budget
  // of 2^28 frame pixels, the rest is left unread. (A screen this size needs no data to justify it.)
  GifBuilder gif(2048, 2048, kFourColours);
  for (int i = 0; i < 65; ++i) {
    GifImage frame;
    frame.width = 2048;
    frame.height = 2048;
    frame.rawData = {2, 0};
    gif.Image(frame);
  }
  GifPicture picture;
  LoadGifBytes(picture, gif.File());
  ASSERT_EQ(picture.m_loadError, 0);
  ASSERT_TRUE(picture.m_gif);
  EXPECT_EQ(picture.m_gif->frameCount, 64);
}

}  // namespace

// A thumbnail that the fit shrinks decodes only the first image: exactly the whole file's first
// frame fitted (the screen still grows to cover a later image, never decoded), with no animation
// left to play; loaded for a window, every frame stays.
TEST(GifAnimation, ShrinkingThumbnailsDecodeOnlyTheFirstImage) {
  const std::string path = TempPath("thumbnail.gif");
  WriteBytes(path, GifBuilder(40, 30, kFourColours)
                       .GraphicControl(kKeep, 10)
                       .Image(SolidImage(0, 0, 40, 30, kRedIndex))
                       .GraphicControl(kKeep, 10)
                       .Image(SolidImage(30, 20, 20, 20, kGreenIndex))
                       .File());
  Cimage whole;
  whole.LoadImageA(path.c_str(), 0, 0, 5);
  ASSERT_EQ(whole.m_loadError, 0);
  EXPECT_EQ(whole.m_animated, 1);
  EXPECT_EQ(whole.m_width, 50);
  whole.ReSample(20, 20, 2);

  Cimage thumbnail;
  thumbnail.LoadImageA(path.c_str(), 20, 20, 1);
  ASSERT_EQ(thumbnail.m_loadError, 0);
  EXPECT_EQ(thumbnail.m_animated, 0);
  EXPECT_EQ(thumbnail.m_origWidth, 50);
  ASSERT_EQ(thumbnail.m_width, whole.m_width);
  ASSERT_EQ(thumbnail.m_height, whole.m_height);
  for (int y = 0; y < whole.m_height; ++y)
    for (int x = 0; x < whole.m_width; ++x) ASSERT_EQ(ColourAt(thumbnail, x, y), ColourAt(whole, x, y)) << x << "," << y;
}
