// The image preview control under Wine: a real photograph decoded at the control's size and shown
// centred on white; a file asked for again is not decoded again, nor after a picture was set;
// a file that does not load leaves the control white.
#include <windows.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "dialog_user_win.h"
#include "image_preview_wnd.h"
#include "missing_files.h"
#include "temp_folder.h"
#include "viewer_pictures.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr unsigned kWhite = 0xFFFFFF;

// A picture of one colour (COLORREF), as a file the control can load.
std::string PlainPicture(const std::filesystem::path& folder, const std::string& name, COLORREF colour) {
  Cimage picture;
  picture.Blank(60, 40, colour);
  const std::string path = (folder / name).string();
  picture.SaveImage(path.c_str());
  return picture.m_saveError ? std::string() : path;
}

// Colour in the middle of the control, blue in the low byte.
unsigned MiddleColour(HWND window) {
  Cimage shown = ShownPicture(window);
  return shown.GetRGB(shown.m_width / 2, shown.m_height / 2);
}

bool AllWhite(HWND window) {
  Cimage shown = ShownPicture(window);
  Cimage white;
  white.Blank(shown.m_width, shown.m_height, RGB(255, 255, 255));
  return LargestDifference(white, shown, 0, 0) == 0;
}

class ImagePreview : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    RECT frame = {0, 0, kWidth + 40, kHeight + 40};
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    ASSERT_TRUE(parent_.Create(0, "preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr));
    ASSERT_TRUE(preview_.Create(0, "preview", WS_CHILD | WS_VISIBLE, 20, 20, kWidth, kHeight, parent_.Handle(),
                                nullptr));
  }
  void TearDown() override {
    parent_.Destroy();
    TempFolderTest::TearDown();
  }

  Window parent_;
  CImagePreviewWnd preview_;
};

TEST_F(ImagePreview, ShowsARealPhotographFittedAndCentredOnWhite) {
  const std::string flower = FlowerPhotoPath();
  if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  EXPECT_EQ(preview_.ShowFile(flower), 1);
  Cimage expected;
  expected.LoadImageA(flower.c_str(), kWidth, kHeight, 1);
  ASSERT_TRUE(expected.m_pixels);
  ASSERT_LE(expected.m_width, kWidth);
  ASSERT_LE(expected.m_height, kHeight);
  Cimage shown = ShownPicture(preview_.Handle(), false, "image_preview");
  ASSERT_EQ(shown.m_width, kWidth);
  EXPECT_EQ(LargestDifference(expected, shown, (kWidth - expected.m_width) / 2, (kHeight - expected.m_height) / 2), 0);
  // The square photograph leaves white bands at the sides.
  EXPECT_EQ(shown.GetRGB(0, kHeight / 2), kWhite);
  EXPECT_EQ(shown.GetRGB(kWidth - 1, kHeight / 2), kWhite);
  ShownPicture(parent_.Handle(), true, "image_preview_window");
}

TEST_F(ImagePreview, DecodesAFileOnceAndKeepsAPictureThatWasSet) {
  const std::string red = PlainPicture(folder_, "same.bmp", RGB(200, 0, 0));
  ASSERT_FALSE(red.empty());
  EXPECT_EQ(preview_.ShowFile(red), 1);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0xC80000u);

  // The file changes on disk; asked for again, it is not read again.
  ASSERT_EQ(PlainPicture(folder_, "same.bmp", RGB(0, 0, 200)), red);
  EXPECT_EQ(preview_.ShowFile(red), 0);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0xC80000u);

  // A picture handed over replaces what is shown, but the file is still the one last loaded.
  Cimage green;
  green.Blank(30, 30, RGB(0, 180, 0));
  preview_.SetImage(green);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0x00B400u);
  EXPECT_EQ(preview_.ShowFile(red), 0);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0x00B400u);

  // Another file is loaded, and then the first one again, as it is now.
  const std::string other = PlainPicture(folder_, "other.bmp", RGB(250, 250, 0));
  EXPECT_EQ(preview_.ShowFile(other), 1);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0xFAFA00u);
  EXPECT_EQ(preview_.ShowFile(red), 1);
  EXPECT_EQ(MiddleColour(preview_.Handle()), 0x0000C8u);
}

TEST_F(ImagePreview, AFileThatDoesNotLoadLeavesItWhite) {
  const std::string shown = PlainPicture(folder_, "shown.bmp", RGB(0, 0, 0));
  ASSERT_FALSE(shown.empty());
  preview_.ShowFile(shown);
  ASSERT_FALSE(AllWhite(preview_.Handle()));
  const std::string broken = Make("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
  for (const std::string& path : {broken, (folder_ / "missing.png").string()}) {
    preview_.ShowFile(shown);
    EXPECT_EQ(preview_.ShowFile(path), 1);
    EXPECT_TRUE(AllWhite(preview_.Handle())) << path;
  }
}

}  // namespace
