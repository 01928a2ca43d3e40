// The image window's edit arithmetic, in both trees: crop areas, red-eye points, resize sizes,
// de-skew angles, the filters' kernels and the reduced-picture warning before a save.
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "image_edit_rules.h"
#include "missing_files.h"
#include "picture_limits.h"
#include "save_image_dialog_rules.h"
#include "viewer_pictures.h"

namespace {

TEST(CropArea, NormalisesAndCutsTheTrackedRectangleToThePicture) {
  const struct {
    CRect tracked;
    bool kept;
    CRect area;
  } cases[] = {
      {{10, 20, 110, 80}, true, {10, 20, 110, 80}},
      {{110, 80, 10, 20}, true, {10, 20, 110, 80}},      // dragged up and to the left
      {{110, 20, 10, 80}, true, {10, 20, 110, 80}},      // one side inverted
      {{-30, -5, 50, 60}, true, {0, 0, 50, 60}},          // past the top-left corner
      {{150, 100, 400, 300}, true, {150, 100, 200, 150}}, // past the bottom-right corner
      {{-10, -10, 500, 500}, true, {0, 0, 200, 150}},     // the whole picture and more
      {{40, 40, 40, 90}, false, {}},                      // no width
      {{40, 40, 90, 40}, false, {}},                      // no height
      {{250, 10, 300, 60}, false, {}},                    // beside the picture
      {{-50, 10, -1, 60}, false, {}},
      {{10, 160, 60, 170}, false, {}},                    // below it
      {{200, 0, 260, 20}, false, {}},                     // touching its right edge only
  };
  for (const auto& c : cases) {
    CRect area;
    EXPECT_EQ(CropArea(c.tracked, 200, 150, area), c.kept)
        << c.tracked.left << "," << c.tracked.top << "," << c.tracked.right << "," << c.tracked.bottom;
    if (!c.kept) continue;
    EXPECT_EQ(area.left, c.area.left);
    EXPECT_EQ(area.top, c.area.top);
    EXPECT_EQ(area.right, c.area.right);
    EXPECT_EQ(area.bottom, c.area.bottom);
  }
}

TEST(PointInPicture, OnlyPixelsOfThePictureCount) {
  const struct {
    CPoint point;
    bool inside;
  } cases[] = {{{0, 0}, true},     {{199, 149}, true}, {{200, 10}, false}, {{10, 150}, false},
               {{-1, 10}, false},  {{10, -1}, false},  {{100, 75}, true}};
  for (const auto& c : cases) EXPECT_EQ(PointInPicture(c.point, 200, 150), c.inside) << c.point.x << "," << c.point.y;
}

TEST(ResizeTarget, RefusesEmptySidesAndKeepsWithinTheLibrarysLimits) {
  const struct {
    int width, height;
    bool done;
    int resultWidth, resultHeight;
  } cases[] = {
      {640, 480, true, 640, 480},  {1, 1, true, 1, 1},          {0, 480, false, 0, 0},
      {640, 0, false, 0, 0},       {-640, 480, false, 0, 0},    {640, -1, false, 0, 0},
      {2147483647, 2147483647, true, 16384, 16384},             {40000, 10, true, 30000, 10},
  };
  for (const auto& c : cases) {
    PictureSize size{};
    EXPECT_EQ(ResizeTarget(c.width, c.height, size), c.done) << c.width << " x " << c.height;
    if (!c.done) continue;
    EXPECT_EQ(size.width, c.resultWidth);
    EXPECT_EQ(size.height, c.resultHeight);
    EXPECT_TRUE(ravelight::IsSanePictureSize(size.width, size.height));
  }
}

TEST(DeskewAngle, TurnsByTheSteeperAxisOfTheLineAndIgnoresShortLines) {
  const double quarter = std::atan(1.0);
  const struct {
    CPoint start, end;
    bool turns;
    double angle;
  } cases[] = {
      {{100, 100}, {110, 200}, true, std::atan(10.0 / 100.0)},  // nearly upright: dx / dy
      {{100, 100}, {90, 200}, true, std::atan(-10.0 / 100.0)},
      {{100, 200}, {110, 100}, true, std::atan(10.0 / -100.0)},  // drawn upwards
      {{0, 0}, {200, 20}, true, std::atan(-20.0 / 200.0)},       // nearly level: -dy / dx
      {{200, 20}, {0, 0}, true, std::atan(-20.0 / 200.0)},       // either way along it
      {{0, 0}, {50, 50}, true, -quarter},                        // equal extents count as level
      {{0, 0}, {1, 100}, false, 0},                              // upright within a pixel
      {{0, 0}, {100, -1}, false, 0},                             // level within a pixel
      {{5, 5}, {5, 5}, false, 0},
      {{0, 0}, {2, -2}, true, quarter},                          // two pixels are enough
  };
  for (const auto& c : cases) {
    double angle = 123.0;
    EXPECT_EQ(DeskewAngle(c.start, c.end, angle), c.turns) << c.end.x << "," << c.end.y;
    if (c.turns) {
      EXPECT_NEAR(angle, c.angle, 1e-12) << c.end.x << "," << c.end.y;
    }
  }
}

TEST(FilterKernel, CentreWeightsWithEqualNeighbours) {
  const struct {
    FilterStrength strength;
    int centre, neighbour;
  } cases[] = {{FilterStrength::kSharpenMildly, 20, -1},    {FilterStrength::kSharpenModerately, 16, -1},
               {FilterStrength::kSharpenHeavily, 12, -1},   {FilterStrength::kSmoothMildly, 6, 1},
               {FilterStrength::kSmoothModerately, 3, 1},   {FilterStrength::kSmoothHeavily, 1, 1}};
  for (const auto& c : cases) {
    const std::array<int, 9> kernel = FilterKernel(c.strength);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(kernel[i], i == 4 ? c.centre : c.neighbour) << int(c.strength) << " " << i;
  }
}

// The sum of the differences between neighbouring pixels: how much detail a picture shows.
double Detail(const Cimage& picture) {
  double sum = 0;
  for (int y = 0; y < picture.m_height; ++y) {
    const uint8_t* row = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
    for (int i = 3; i < 3 * picture.m_width; ++i) sum += std::abs(row[i] - row[i - 3]);
  }
  return sum;
}

// On a real photograph each sharpening step shows more detail than the one before and each
// smoothing step less: the heaviest smoothing is heavier than the moderate one.
TEST(FilterKernel, EachStrengthGoesFurtherOnAPhotograph) {
  const std::string path = FlowerPhotoPath();
  if (path.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  Cimage photo;
  photo.LoadImageA(path.c_str(), 0, 0, 5);
  ASSERT_TRUE(photo.m_valid);
  double detail[kFilterCount];
  for (int i = 0; i < kFilterCount; ++i) {
    Cimage filtered(photo);
    std::array<int, 9> kernel = FilterKernel(FilterStrength(i));
    filtered.Filter3x3(kernel.data());
    detail[i] = Detail(filtered);
  }
  const double original = Detail(photo);
  EXPECT_LT(original, detail[0]);
  EXPECT_LT(detail[0], detail[1]);
  EXPECT_LT(detail[1], detail[2]);
  EXPECT_GT(original, detail[3]);
  EXPECT_GT(detail[3], detail[4]);
  EXPECT_GT(detail[4], detail[5]);
}

TEST(ShownReduced, WarnsOnlyWhenTheFittedPictureHasFewerPixelsThanTheFile) {
  const struct {
    bool autosizing;
    int num, den, widthInFile;
    bool reduced;
  } cases[] = {
      {true, 1, 1, 3000, false},     // loaded whole
      {true, 1, 2, 3000, true},      // a step of one half
      {true, 3, 4, 3000, true},      // of three quarters
      {true, 9, 16, 3000, true},     // two of them
      {true, 8, 27, 3000, true},     // two thirds three times
      {true, 640, 480, 3000, true},  // fitted to a box: the shown size
      {true, 3000, 2000, 3000, false},  // fitted at the file's own size
      {false, 1, 2, 3000, false},    // a pan/zoom window holds the full picture
      {false, 640, 480, 3000, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownReduced(c.autosizing, c.num, c.den, c.widthInFile), c.reduced)
        << c.num << ":" << c.den << " of " << c.widthInFile;
}

TEST(SaveImageDialog, OffersTheFiveTypesAndProposesTheNameWithoutItsType) {
  const std::string filter = DialogFilter(kSaveImageFilter);
  const char expected[] =
      "JPEG Files (*.jpg)\0*.jpg\0GIF Files (*.gif)\0*.gif\0TIF Files (*.tif)\0*.tif\0PNG Files (*.png)\0*.png\0BMP "
      "Files (*.bmp)\0*.bmp\0\0";
  EXPECT_EQ(filter, std::string(expected, sizeof expected - 1));
  EXPECT_STREQ(kSaveImageDefaultExtension, "jpg");

  const struct {
    const char* name;
    const char* proposed;
  } names[] = {{"flower.jpg", "flower"},     {"holiday.photo.png", "holiday.photo"}, {"README", "README"},
               {"untitled.jpg", "untitled"}, {"scan.", "scan"}};
  for (const auto& n : names) EXPECT_EQ(NameWithoutExtension(n.name), n.proposed) << n.name;

  EXPECT_EQ(FileNameOfPath("C:\\photos\\2026\\flower.png"), "flower.png");
  EXPECT_EQ(FileNameOfPath("flower.png"), "flower.png");
  EXPECT_EQ(FileNameOfPath("C:\\photos\\"), "");
}

}  // namespace
