// A picture leaving the image window: to the clipboard, as the desktop wallpaper, and saved under
// a name chosen in the save dialog, each checked by reading back what arrived.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "clipboard_copy.h"
#include "clipboard_dib.h"
#include "desktop_wallpaper.h"
#include "global_memory.h"
#include "missing_files.h"
#include "property_sheet_driver.h"
#include "save_dialog_user_win.h"
#include "save_image_as.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

constexpr char kErrorCaption[] = "Error";

class PictureOut : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    const std::string path = FlowerPhotoPath();
    if (path.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
    photo_.LoadImageA(path.c_str(), 0, 0, 5);
    ASSERT_TRUE(photo_.m_valid);
    photoPath_ = path;
    g_settings.fileOptions.confirm = 0;
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  Cimage photo_;
  std::string photoPath_;
};

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string DesktopWallpaper() {
  char path[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return path;
}

void SetDesktopWallpaper(const char* path) {
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

// The wallpaper the user's profile keeps for the next log-on.
std::string ProfileWallpaper() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return "(none)";
  char path[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  const LONG read = ::RegQueryValueExA(key, "Wallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
  ::RegCloseKey(key);
  return read == ERROR_SUCCESS ? path : "(none)";
}

void MakeReadOnly(const std::string& path, bool readOnly) {
  ::SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PictureOut, TheClipboardHoldsOnlyThePhotographAsABitmap) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLockScope(text).data(), "hello", 6);
  ::SetClipboardData(CF_TEXT, text);
  ::CloseClipboard();

  ASSERT_TRUE(CopyPictureToClipboard(nullptr, photo_));

  ASSERT_TRUE(::OpenClipboard(nullptr));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
  HGLOBAL dib = ::GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const std::vector<uint8_t> expected = PackedDibOf(photo_);
  {
    GlobalLockScope lock(dib);
    ASSERT_GE(lock.size(), expected.size());
    EXPECT_EQ(std::memcmp(lock.data(), expected.data(), expected.size()), 0);
  }
  Cimage back;
  back.FromDIB(dib);
  ::CloseClipboard();
  EXPECT_TRUE(SamePixels(back, photo_));
}

TEST_F(PictureOut, TheWallpaperIsTheWholePictureAsABitmapInTheWindowsFolder) {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string wallpaper = std::string(windows) + "\\Vireldan Wallpaper.bmp";
  EXPECT_EQ(WallpaperPath(), wallpaper);
  SetDesktopWallpaper("");
  ::DeleteFileA(wallpaper.c_str());

  // A palette picture would be dithered; this one keeps every pixel.
  Cimage::S_file_colormap_bmp = 1;
  ASSERT_NE(ProfileWallpaper(), wallpaper);
  ASSERT_TRUE(MakeDesktopWallpaper(nullptr, photo_));
  EXPECT_EQ(DesktopWallpaper(), wallpaper);
  EXPECT_EQ(ProfileWallpaper(), wallpaper);
  Cimage shown;
  shown.LoadImageA(wallpaper.c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(shown, photo_));
  EXPECT_EQ(FileBytes(wallpaper).substr(28, 2), std::string("\x18\0", 2));  // 24 bits a pixel

  // The main frame's command fills the desktop with the file's picture, cut to its proportions.
  ASSERT_TRUE(MakeDesktopWallpaperOfFile(nullptr, photoPath_));
  EXPECT_EQ(DesktopWallpaper(), wallpaper);
  RECT desktop = {};
  ::GetClientRect(::GetDesktopWindow(), &desktop);
  Cimage filled(photo_);
  filled.FrameFill(desktop.right, desktop.bottom, 1);
  shown.LoadImageA(wallpaper.c_str(), 0, 0, 5);
  EXPECT_EQ(shown.m_width, desktop.right);
  EXPECT_EQ(shown.m_height, desktop.bottom);
  EXPECT_TRUE(SamePixels(shown, filled));
  Cimage::S_file_colormap_bmp = 0;
  SetDesktopWallpaper("");  // the plain desktop again, for the tests that follow
}

// A wallpaper file that cannot be written is no wallpaper: the user hears of it and the desktop
// keeps what it had. A file that does not load is told too.
TEST_F(PictureOut, AFailedWallpaperIsToldAndTheDesktopKeepsItsOwn) {
  const std::string wallpaper = WallpaperPath();
  SetDesktopWallpaper("");
  std::ofstream(wallpaper) << "kept";
  MakeReadOnly(wallpaper, true);
  std::string told;
  bool made = true;
  {
    UiDriver user([&] { told = AnswerMessageBox(IDOK, kErrorCaption); });
    made = MakeDesktopWallpaper(nullptr, photo_);
  }
  MakeReadOnly(wallpaper, false);
  EXPECT_FALSE(made);
  EXPECT_EQ(told, "Error writing image...");
  EXPECT_EQ(DesktopWallpaper(), "");
  EXPECT_EQ(FileBytes(wallpaper), "kept");
  ::DeleteFileA(wallpaper.c_str());

  {
    UiDriver user([&] { told = AnswerMessageBox(IDOK, kErrorCaption); });
    made = MakeDesktopWallpaperOfFile(nullptr, Path("missing.jpg"));
  }
  EXPECT_FALSE(made);
  EXPECT_EQ(told, "Error loading image file");
  EXPECT_EQ(DesktopWallpaper(), "");
}

// The user's side of SaveImageAs: the dialog is answered with the path while the save runs here.
SaveAsOutcome SaveAnswering(Cimage& picture, const std::string& name, const std::string& typed, SaveDialogView* view,
                            std::string& saved, std::string* told = nullptr) {
  SaveAsOutcome outcome;
  {
    UiDriver user([&] {
      AnswerSaveDialog(typed, view);
      if (told) *told = AnswerMessageBox(IDOK, kErrorCaption);
    });
    outcome = SaveImageAs(nullptr, picture, name, false, saved);
  }
  return outcome;
}

TEST_F(PictureOut, SaveAsWritesEachTypeAsTheLibraryDoes) {
  const struct {
    const char* typed;
    bool lossless;
  } cases[] = {{"copy.jpg", false}, {"copy.gif", false}, {"copy.tif", true}, {"copy.png", true}, {"copy.bmp", true}};
  for (const auto& c : cases) {
    std::string saved;
    SaveDialogView view;
    ASSERT_EQ(SaveAnswering(photo_, "flower.jpg", Path(c.typed), &view, saved), SaveAsOutcome::kSaved) << c.typed;
    EXPECT_EQ(saved, Path(c.typed));
    EXPECT_EQ(view.proposedName, "flower");
    EXPECT_EQ(view.types, (std::vector<std::string>{"JPEG Files (*.jpg)", "GIF Files (*.gif)", "TIF Files (*.tif)",
                                                    "PNG Files (*.png)", "BMP Files (*.bmp)"}));
    Cimage direct(photo_), back, directBack;
    const std::string directPath = Path(std::string("direct-") + c.typed);
    direct.SaveImage(directPath.c_str());
    back.LoadImageA(saved.c_str(), 0, 0, 5);
    directBack.LoadImageA(directPath.c_str(), 0, 0, 5);
    EXPECT_TRUE(SamePixels(back, directBack)) << c.typed;
    if (c.lossless) {
      EXPECT_TRUE(SamePixels(back, photo_)) << c.typed;
    }
  }
}

TEST_F(PictureOut, SaveAsStartsInTheCurrentFolderAndAddsJpgToABareName) {
  char previous[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, previous);
  ::SetCurrentDirectoryA(folder_.string().c_str());
  std::string saved;
  const SaveAsOutcome outcome = SaveAnswering(photo_, "untitled.jpg", "bare", nullptr, saved);
  ::SetCurrentDirectoryA(previous);
  ASSERT_EQ(outcome, SaveAsOutcome::kSaved);
  EXPECT_EQ(FileBytes(Path("bare.jpg")).substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(lstrcmpiA(saved.c_str(), Path("bare.jpg").c_str()), 0) << saved;
}

TEST_F(PictureOut, ACancelledOrFailedSaveLeavesEveryFileAsItWas) {
  std::string saved = "none";
  EXPECT_EQ(SaveAnswering(photo_, "flower.jpg", "", nullptr, saved), SaveAsOutcome::kCancelled);
  EXPECT_EQ(saved, "none");

  std::string told;
  EXPECT_EQ(SaveAnswering(photo_, "flower.jpg", Path("flower.psd"), nullptr, saved, &told), SaveAsOutcome::kRefused);
  EXPECT_EQ(told, "Invalid file name extension\nUse JPG, GIF, PNG, TIF, or BMP");
  EXPECT_FALSE(std::filesystem::exists(Path("flower.psd")));

  const std::string locked = Path("locked.png");
  std::ofstream(locked) << "kept";
  MakeReadOnly(locked, true);
  const SaveAsOutcome outcome = SaveAnswering(photo_, "flower.jpg", locked, nullptr, saved, &told);
  MakeReadOnly(locked, false);
  EXPECT_EQ(outcome, SaveAsOutcome::kFailed);
  EXPECT_EQ(told, "Error writing image...");
  EXPECT_EQ(FileBytes(locked), "kept");
  EXPECT_EQ(saved, "none");
}

}  // namespace
