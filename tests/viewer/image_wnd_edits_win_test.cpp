// The image window's edits under Wine on a real photograph, each given as the window's command
// and compared with the image library's own operation on the same picture: the turns, flips and
// filters, crop, de-skew and red-eye (with what they refuse), the dialogs' edits, one level of
// undo (also after a save), Save As (the name taken only once written), the questions before a
// reduced save and before a modified window closes, the clipboard and the wallpaper.
#include <windows.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app.h"
#include "app_settings.h"
#include "color_adjustment.h"
#include "command_ids.h"
#include "desktop_wallpaper.h"
#include "dialog_user_win.h"
#include "image_wnd.h"
#include "message_wait_win.h"
#include "missing_files.h"
#include "program_state.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "save_dialog_user_win.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

constexpr char kPhoto[] = "Z:/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg";  // 640 × 428
constexpr char kWideFlower[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_420.jpg";  // 2268 × 1512

using Operation = std::function<void(Cimage&)>;

// What a question dialog said; it is answered with the button. With VIRELDAN_SCREENSHOTS set, a
// picture of it is kept under the name.
std::string AnswerQuestion(const std::string& caption, int button, const char* screenshot) {
  HWND dialog = WaitForWindow(caption);
  if (!dialog) return "(no dialog)";
  ShownPicture(dialog, true, screenshot);
  const std::vector<std::string> texts = ChildTexts(dialog);
  const std::string text = texts.empty() ? std::string() : texts.front();
  PressButton(dialog, button);
  WaitUntilClosed(dialog);
  return text;
}

void Cancel(const std::string& caption) {
  HWND dialog = WaitForWindow(caption);
  PressButton(dialog, IDCANCEL);
  WaitUntilClosed(dialog);
}

class ImageEdits : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* file : {kPhoto, kWideFlower})
      if (::GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) SKIP_OR_FAIL_MISSING(std::string(file) + " is not installed");
    std::filesystem::copy_file(kPhoto, folder_ / "photo.jpg");
    g_settings.pictureFrames = {};
    g_settings.pictureFrames.position = 1;
    g_settings.audio.playondisplay = 0;
    g_settings.preferences.dontconfirm = 0;
    g_settings.fileOptions.confirm = 0;
    g_program.fullScreen = nullptr;
    original_.LoadImageA(Path("photo.jpg").c_str(), 0, 0, 5);
    ASSERT_TRUE(original_.m_valid);
  }
  void TearDown() override {
    g_settings.preferences.dontconfirm = 1;  // nothing asks while the windows go
    for (HWND window : opened_)
      if (::IsWindow(window)) ::DestroyWindow(window);
    TempFolderTest::TearDown();
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  CImageWnd* Open(const std::string& folder, const std::string& name, OpenMode mode) {
    CImageWnd* window = CImageWnd::OpenFile(folder, name, true, mode);
    if (window) opened_.push_back(window->Handle());
    return window;
  }
  // The photograph at full size.
  CImageWnd* OpenPhoto() { return Open(folder_.string() + "\\", "photo.jpg", OpenMode::OneToOne); }

  static void Command(CImageWnd* window, UINT id) { ::SendMessageA(window->Handle(), WM_COMMAND, id, 0); }
  static bool Enabled(CImageWnd* window, UINT id) {
    CommandState state;
    state.id = id;
    return window->OnUpdateEditCommand(state) && state.enabled;
  }
  static void CommandAnswered(CImageWnd* window, UINT id, const std::function<void()>& user) {
    SendAnswered(window->Handle(), WM_COMMAND, id, user);
  }
  Cimage Expected(const Operation& operation) const {
    Cimage expected(original_);
    operation(expected);
    return expected;
  }

  Cimage original_;
  std::vector<HWND> opened_;
};

TEST_F(ImageEdits, TurnsFlipsAndFiltersAreTheLibrarysOwnAndUndoOnce) {
  const std::vector<std::pair<UINT, Operation>> cases = {
      {ID_ROTATE_CLOCKWISE, [](Cimage& p) { p.Rotate_Clockwise(); }},
      {ID_ROTATE_COUNTERCLOCKWISE, [](Cimage& p) { p.Rotate_CounterClockwise(); }},
      {ID_ROTATE_180, [](Cimage& p) { p.Rotate_180(); }},
      {ID_FLIP_VERTICAL, [](Cimage& p) { p.Flip_Vertical(); }},
      {ID_FLIP_HORIZONTAL, [](Cimage& p) { p.Flip_Horizontal(); }},
      {ID_SHARPEN_MILDLY, [](Cimage& p) { int k[9] = {-1, -1, -1, -1, 20, -1, -1, -1, -1}; p.Filter3x3(k); }},
      {ID_SHARPEN_MODERATELY, [](Cimage& p) { int k[9] = {-1, -1, -1, -1, 16, -1, -1, -1, -1}; p.Filter3x3(k); }},
      {ID_SHARPEN_HEAVILY, [](Cimage& p) { int k[9] = {-1, -1, -1, -1, 12, -1, -1, -1, -1}; p.Filter3x3(k); }},
      {ID_SMOOTH_MILDLY, [](Cimage& p) { int k[9] = {1, 1, 1, 1, 6, 1, 1, 1, 1}; p.Filter3x3(k); }},
      {ID_SMOOTH_MODERATELY, [](Cimage& p) { int k[9] = {1, 1, 1, 1, 3, 1, 1, 1, 1}; p.Filter3x3(k); }},
      {ID_SMOOTH_HEAVILY, [](Cimage& p) { int k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1}; p.Filter3x3(k); }},
  };
  CImageWnd* window = OpenPhoto();
  ASSERT_TRUE(window);
  EXPECT_FALSE(Enabled(window, ID_IMAGE_UNDO));
  for (const auto& [id, operation] : cases) {
    SCOPED_TRACE(id);
    Command(window, id);
    EXPECT_TRUE(SamePixels(window->image_, Expected(operation)));
    EXPECT_TRUE(window->modified_);
    EXPECT_TRUE(Enabled(window, ID_IMAGE_UNDO));
    Command(window, ID_IMAGE_UNDO);
    EXPECT_TRUE(SamePixels(window->image_, original_));
    EXPECT_FALSE(Enabled(window, ID_IMAGE_UNDO));
    // A second Undo finds nothing to restore; the picture stays modified.
    Command(window, ID_IMAGE_UNDO);
    EXPECT_TRUE(SamePixels(window->image_, original_));
    EXPECT_TRUE(window->modified_);
  }
  // A quarter turn keeps the view on the same part of the turned picture.
  const std::string flower = kWideFlower;
  const size_t slash = flower.find_last_of('/');
  CImageWnd* wide = Open(flower.substr(0, slash + 1), flower.substr(slash + 1), OpenMode::OneToOne);
  ASSERT_TRUE(wide);
  wide->xAxis_.centre = 1500;
  wide->yAxis_.centre = 700;
  wide->Layout();
  Command(wide, ID_ROTATE_CLOCKWISE);
  EXPECT_EQ(wide->image_.m_width, 1512);
  EXPECT_EQ(wide->xAxis_.centre, 700);
  EXPECT_EQ(wide->yAxis_.centre, 1500);
  // And the window shows the turned picture there.
  const Cimage shown = ShownPicture(wide->Handle(), false, "image_window_turned");
  Cimage visible;
  visible.ZoomImage(&wide->image_, 1, 1, wide->xAxis_.origin, wide->yAxis_.origin, shown.m_width, shown.m_height, 0);
  EXPECT_EQ(LargestDifference(visible, shown, 0, 0), 0);
}

// An edit of an animated picture keeps the frame it was made on: the animation stops there.
TEST_F(ImageEdits, AnEditStopsTheAnimationAtTheEditedFrame) {
  const std::string gif = "Z:/usr/share/libjxl-testdata/jxl/traffic_light.gif";
  if (::GetFileAttributesA(gif.c_str()) == INVALID_FILE_ATTRIBUTES) SKIP_OR_FAIL_MISSING(gif + " is not installed");
  const size_t slash = gif.find_last_of('/');
  CImageWnd* window = Open(gif.substr(0, slash + 1), gif.substr(slash + 1), OpenMode::Settings);
  ASSERT_TRUE(window);
  ASSERT_TRUE(window->image_.m_animated);
  PumpUntil([] { return false; }, 300);
  Cimage expected(window->image_);
  int box[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  expected.Filter3x3(box);
  Command(window, ID_SMOOTH_HEAVILY);
  PumpUntil([] { return false; }, 1500);
  EXPECT_FALSE(window->image_.m_animated);
  EXPECT_TRUE(SamePixels(window->image_, expected));
}

// Crop, de-skew and red-eye need an area, a line and a point of the picture; without them the
// picture, the modified flag and the undo copy stay as they were.
TEST_F(ImageEdits, CropDeskewAndRedEyeActOnlyOnWhatThePictureHas) {
  const struct {
    const char* what;
    UINT id;
    RECT crop;  // a tracker with this rectangle, when not empty
    POINT lineStart, lineEnd;
    POINT rightClick;
    bool changes;
    Operation operation;
  } cases[] = {
      {"crop", ID_IMAGE_CROP, {300, 200, 100, 50}, {}, {}, {}, true, [](Cimage& p) { p.Crop(CRect(100, 50, 300, 200)); }},
      {"crop past the edges", ID_IMAGE_CROP, {-40, 300, 200, 900}, {}, {}, {}, true,
       [](Cimage& p) { p.Crop(CRect(0, 300, 200, 428)); }},
      {"crop of no width", ID_IMAGE_CROP, {100, 50, 100, 200}, {}, {}, {}, false, nullptr},
      {"crop beside the picture", ID_IMAGE_CROP, {700, 50, 800, 200}, {}, {}, {}, false, nullptr},
      {"de-skew", ID_IMAGE_DESKEW, {}, {100, 10}, {130, 200}, {}, true,
       [](Cimage& p) { p.Rotate_Arbitrary(std::atan(30.0 / 190.0)); }},
      {"de-skew along the width", ID_IMAGE_DESKEW, {}, {10, 100}, {300, 80}, {}, true,
       [](Cimage& p) { p.Rotate_Arbitrary(std::atan(20.0 / 290.0)); }},
      {"de-skew of an upright line", ID_IMAGE_DESKEW, {}, {100, 10}, {101, 200}, {}, false, nullptr},
      {"de-skew of a level line", ID_IMAGE_DESKEW, {}, {10, 100}, {300, 99}, {}, false, nullptr},
      {"red-eye", ID_FIX_RED_EYE, {}, {}, {}, {320, 214}, true, [](Cimage& p) { p.FixRedEye(CPoint(320, 214), 0); }},
      {"red-eye beside the picture", ID_FIX_RED_EYE, {}, {}, {}, {700, 214}, false, nullptr},
      {"red-eye above it", ID_FIX_RED_EYE, {}, {}, {}, {320, -3}, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CImageWnd* window = OpenPhoto();
    ASSERT_TRUE(window);
    EXPECT_FALSE(Enabled(window, ID_IMAGE_CROP));
    EXPECT_FALSE(Enabled(window, ID_IMAGE_DESKEW));
    if (c.id == ID_IMAGE_CROP) {
      window->cropRect_ = c.crop;
      window->tracker_ = std::make_unique<RectTracker>(RECT{});
      EXPECT_TRUE(Enabled(window, ID_IMAGE_CROP));
    }
    if (c.id == ID_IMAGE_DESKEW) {
      window->lineStart_ = c.lineStart;
      window->lineEnd_ = c.lineEnd;
      window->lineComplete_ = true;
      EXPECT_TRUE(Enabled(window, ID_IMAGE_DESKEW));
    }
    window->rightClick_ = c.rightClick;
    Command(window, c.id);
    EXPECT_EQ(window->tracker_, nullptr);
    EXPECT_TRUE(SamePixels(window->image_, c.changes ? Expected(c.operation) : original_));
    EXPECT_EQ(window->modified_, c.changes);
    EXPECT_EQ(Enabled(window, ID_IMAGE_UNDO), c.changes);
    ::DestroyWindow(window->Handle());
  }
}

TEST_F(ImageEdits, TheDialogsEditsApplyWhatWasChosenAndCancelChangesNothing) {
  CImageWnd* window = OpenPhoto();
  ASSERT_TRUE(window);
  CommandAnswered(window, ID_IMAGE_RESIZE, [] { Cancel("Resize Image"); });
  EXPECT_FALSE(window->modified_);

  CommandAnswered(window, ID_IMAGE_RESIZE, [] {
    HWND dialog = WaitForWindow("Resize Image");
    ::SetDlgItemTextA(dialog, IDC_SIZE_WIDTH, "320");
    PressButton(dialog, IDC_RESIZE_OK);
    WaitUntilClosed(dialog);
  });
  Cimage resized = Expected([](Cimage& p) { p.ReSample(320, 214, 2); });
  EXPECT_TRUE(SamePixels(window->image_, resized));
  EXPECT_EQ(window->image_.m_origWidth, 320);  // the size a save writes
  EXPECT_TRUE(window->interacted_);
  Command(window, ID_IMAGE_UNDO);
  EXPECT_TRUE(SamePixels(window->image_, original_));

  CommandAnswered(window, ID_COLOR_ADJUSTMENTS, [] {
    HWND dialog = WaitForWindow("Adjust Color");
    for (int click = 0; click < 3; ++click) ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BRIGHTNESS_UP, BN_CLICKED), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONTRAST_DOWN, BN_CLICKED), 0);
    PressButton(dialog, IDOK);
    WaitUntilClosed(dialog);
  });
  ColorAdjustment adjustment;
  adjustment.brightness = 106;
  adjustment.contrast = 95;
  EXPECT_TRUE(SamePixels(window->image_, Expected([&](Cimage& p) { ApplyColorAdjustment(p, adjustment); })));
  Command(window, ID_IMAGE_UNDO);

  auto& effects = g_settings.effects;
  effects = {};
  effects.mode = 1;
  effects.thickness = 12;
  effects.rounding = 5;
  effects.density = 40;
  CommandAnswered(window, ID_BEVEL_EDGES, [] {
    HWND sheet = WaitForWindow("Bevel Edges");
    PressSheetButton(sheet, PSBTN_OK);
    WaitUntilClosed(sheet);
  });
  int strengths[3] = {12, 5, 40};
  EXPECT_TRUE(SamePixels(window->image_, Expected([&](Cimage& p) { p.Effect(1, 1, strengths); })));

  // A dialog cancelled after an edit leaves that edit to undo.
  CommandAnswered(window, ID_IMAGE_RESIZE, [] { Cancel("Resize Image"); });
  Command(window, ID_IMAGE_UNDO);
  EXPECT_TRUE(SamePixels(window->image_, original_));
}

// The name, the folder and the cleared modified flag come only with a written file; Undo after a
// save brings back the picture before the last edit and marks the window modified again.
TEST_F(ImageEdits, SaveAsTakesTheNewNameOnlyOnceTheFileIsWritten) {
  CImageWnd* window = OpenPhoto();
  ASSERT_TRUE(window);
  Command(window, ID_FLIP_HORIZONTAL);
  const Cimage flipped(window->image_);

  const std::string locked = Path("locked.png");
  std::ofstream(locked) << "kept";
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  std::string told;
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] {
    AnswerSaveDialog(locked);
    told = AnswerMessageBox(IDOK, MessageCaption() ? MessageCaption() : "");
  });
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(told, "Error writing image...");
  EXPECT_TRUE(window->modified_);
  EXPECT_EQ(window->fileName_, "photo.jpg");
  EXPECT_EQ(TextOf(window->Handle()), "photo.jpg 640 X 428  @  1:1");

  std::filesystem::create_directories(folder_ / "saved");
  const std::string target = Path("saved\\flipped.png");
  SaveDialogView view;
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] { AnswerSaveDialog(target, &view); });
  EXPECT_EQ(view.proposedName, "photo");
  EXPECT_FALSE(window->modified_);
  EXPECT_EQ(window->fileName_, "flipped.png");
  EXPECT_EQ(window->FilePath(), target);
  EXPECT_EQ(TextOf(window->Handle()), "flipped.png 640 X 428  @  1:1");
  Cimage written;
  written.LoadImageA(target.c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, flipped));

  Command(window, ID_IMAGE_UNDO);
  EXPECT_TRUE(SamePixels(window->image_, original_));
  EXPECT_TRUE(window->modified_);
}

TEST_F(ImageEdits, AReducedPictureWarnsBeforeItIsSavedSmaller) {
  const std::string flower = kWideFlower;
  const size_t slash = flower.find_last_of('/');
  CImageWnd* window = Open(flower.substr(0, slash + 1), flower.substr(slash + 1), OpenMode::Settings);
  ASSERT_TRUE(window);
  ASSERT_FALSE(window->IsPanZoom());
  ASSERT_EQ(window->image_.m_width, 1134);  // halved to fit the screen

  std::string question;
  bool dialogCame = true;
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] {
    question = AnswerQuestion("Resolution will be lost!", IDCANCEL, "resolution_lost");
    dialogCame = WaitForWindow("Save As", 500) != nullptr;
  });
  EXPECT_EQ(question,
            "Image resolution in the saved file will be lost due to resizing.\nTo retain full resolution, Zoom 1:1 "
            "first, then save.\nDo you want to continue with Save?");
  EXPECT_FALSE(dialogCame);

  const std::string target = Path("half.jpg");
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] {
    AnswerQuestion("Resolution will be lost!", IDOK, nullptr);
    AnswerSaveDialog(target);
  });
  Cimage written;
  written.LoadImageA(target.c_str(), 0, 0, 5);
  EXPECT_EQ(written.m_width, 1134);
  EXPECT_EQ(TextOf(window->Handle()), "half.jpg 1134 X 756  @  1:1");
  // Now the file holds what the window shows: no warning before the next save.
  std::string later;
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] {
    later = WaitForWindow("Resolution will be lost!", 500) ? "warned" : "";
    AnswerSaveDialog("");
  });
  EXPECT_EQ(later, "");
}

// The full-size picture cannot be loaded again when the window turns to pan and zoom (the file
// went meanwhile): the window keeps the reduced picture, and a save still warns.
TEST_F(ImageEdits, AReducedPictureKeptAfterAFailedReloadStillWarns) {
  std::filesystem::copy_file(std::string(kWideFlower).substr(2), folder_ / "wide.jpg");
  CImageWnd* window = Open(folder_.string() + "\\", "wide.jpg", OpenMode::Settings);
  ASSERT_TRUE(window);
  ASSERT_EQ(window->image_.m_width, 1134);
  ASSERT_TRUE(std::filesystem::remove(folder_ / "wide.jpg"));
  Command(window, ID_ZOOM_ONE_TO_ONE);
  ASSERT_TRUE(window->IsPanZoom());
  EXPECT_EQ(window->image_.m_width, 1134);
  std::string question;
  CommandAnswered(window, ID_IMAGE_SAVE_AS, [&] { question = AnswerQuestion("Resolution will be lost!", IDCANCEL, nullptr); });
  EXPECT_NE(question, "(no dialog)");
}

TEST_F(ImageEdits, AModifiedWindowAsksBeforeClosingAndStaysOpenWhenNotSaved) {
  const struct {
    bool modified;
    int dontconfirm;
    int answer;       // 0: no question expected
    bool saveCancelled;
    bool closes;
  } cases[] = {
      {false, 0, 0, false, true},       // nothing to lose
      {true, 1, 0, false, true},        // the user asked never to be asked
      {true, 0, IDCANCEL, false, true}, // No: closes without saving
      {true, 0, IDOK, true, false},     // Yes, then the save cancelled: stays open
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.modified << c.dontconfirm << c.answer);
    CImageWnd* window = OpenPhoto();
    ASSERT_TRUE(window);
    const HWND handle = window->Handle();
    if (c.modified) Command(window, ID_ROTATE_180);
    g_settings.preferences.dontconfirm = c.dontconfirm;
    std::string question;
    bool asked = false;
    SendAnswered(handle, WM_CLOSE, 0, [&] {
      if (!c.answer) {
        asked = WaitForWindow("Save modified image?", 500) != nullptr;
        return;
      }
      question = AnswerQuestion("Save modified image?", c.answer, "save_modified");
      if (c.saveCancelled) AnswerSaveDialog("");
    });
    EXPECT_FALSE(asked);
    if (c.answer) {
      EXPECT_EQ(question, "This image has been modified, but not saved...\nDo you want to save it?");
    }
    EXPECT_EQ(!::IsWindow(handle), c.closes);
    if (::IsWindow(handle)) ::DestroyWindow(handle);
  }
}

TEST_F(ImageEdits, TheClipboardAndTheWallpaperGetTheWorkingPicture) {
  CImageWnd* window = OpenPhoto();
  ASSERT_TRUE(window);
  Command(window, ID_ROTATE_CLOCKWISE);
  Command(window, ID_COPY_TO_CLIPBOARD);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  Cimage pasted;
  pasted.FromDIB(::GetClipboardData(CF_DIB));
  ::CloseClipboard();
  EXPECT_TRUE(SamePixels(pasted, window->image_));

  ::DeleteFileA(WallpaperPath().c_str());
  Command(window, ID_SAVE_WALLPAPER);
  char wallpaper[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaper, 0);
  EXPECT_EQ(wallpaper, WallpaperPath());
  Cimage written;
  written.LoadImageA(WallpaperPath().c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, window->image_));
  // The plain desktop again, for the tests that follow.
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_SENDCHANGE);
}

}  // namespace
