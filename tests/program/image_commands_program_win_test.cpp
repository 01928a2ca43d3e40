// The main frame's commands on one picture in Vireldan.exe: Save Wallpaper on the one selected
// file. What they did is read from the files they wrote and from the system's own record.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Cimage.h"
#include "command_ids.h"
#include "missing_files.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

// The wallpaper another process set for the session: a process keeps the system parameters it
// has read, so the program's change is read where Wine keeps changes not written to the
// profile.
std::string SessionWallpaper() {
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop",
                     "Wallpaper", RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
    return std::string();
  return path;
}

// The profile's wallpaper, which the command leaves alone.
std::string ProfileWallpaper() {
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, path, &size) !=
      ERROR_SUCCESS)
    return std::string();
  return path;
}

std::string WallpaperFile() {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\Vireldan Wallpaper.bmp";
}

// The flower photograph alone in a folder, shown as 40-pixel thumbnails in 50-pixel cells.
class ImageCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string photo = FlowerPhotoPath();
    if (photo.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
    folder_ = fs::temp_directory_path() / "vireldan-program-image-commands";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(photo, folder_ / "flower.jpg");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }
  SettingsValues Settings() const {
    return {{"Main Options/tipson", "0"},       {"Main Options/mainpath", Folder()},
            {"Thumbnails/Thumbnail Size", "4"}, {"Thumbnails/showfilename", "0"},
            {"Thumbnails/showfiledate", "0"},   {"Thumbnails/showsizeinfo", "0"},
            {"Frame Layout/maximized", "0"}};
  }
  // The program showing the folder, the photograph's cell clicked (posted: no real input).
  HWND StartWithPhotoSelected(RunningProgram& program) {
    if (!program.Frame() || !program.WaitForFolderShown(Folder())) return nullptr;
    program.Settle();
    HWND view = program.FindChild("VireldanThumbnailView");
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
    if (!WaitFor([&] { return program.StatusText(2).rfind("1 Selected", 0) == 0; })) return nullptr;
    return view;
  }

  fs::path folder_;
};

TEST_F(ImageCommands, SaveWallpaperFillsTheDesktopWithTheSelectedFile) {
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), 0);
  ::DeleteFileA(WallpaperFile().c_str());
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(StartWithPhotoSelected(program));
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SAVE_WALLPAPER, 0);
  EXPECT_TRUE(WaitFor([] { return SessionWallpaper() == WallpaperFile(); }, 30000)) << SessionWallpaper();
  EXPECT_EQ(ProfileWallpaper(), "");

  Cimage expected, written;
  expected.LoadImageA((folder_ / "flower.jpg").string().c_str(), 0, 0, 5);
  RECT desktop = {};
  ::GetClientRect(::GetDesktopWindow(), &desktop);
  expected.FrameFill(desktop.right, desktop.bottom, 1);
  written.LoadImageA(WallpaperFile().c_str(), 0, 0, 5);
  // The program's library settings may dither the BMP's palette; the wallpaper has none.
  EXPECT_TRUE(SamePixels(written, expected));
  EXPECT_TRUE(program.Close());
}

}  // namespace
