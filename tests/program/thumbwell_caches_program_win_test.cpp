// Thumbwell.exe builds the caches of a folder tree; Vireldan.exe then shows every folder from
// them without decoding a file. Proved from outside both programs: after the build each picture's
// bytes are replaced by bytes no decoder reads, with the name, size and time stamp the caches match
// on kept, so a cell shows its picture's colour only when its thumbnail came from the cache (a
// decode would draw the broken-picture mark).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Cimage.h"
#include "running_program.h"
#include "running_thumbwell.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCell = 50;  // 40-pixel thumbnails without captions

struct PictureFolder {
  const char* relative;  // below the tree's root
  int pictures;
};

// The root, and two folders below one without pictures (which gets no cache).
const PictureFolder kTree[] = {{"", 2}, {"trip\\day1", 3}, {"trip\\day2", 2}};

// A colour for each picture of the tree, each far from the others and from the view's white, greys
// and black; a thumbnail shows it within what two JPEG passes and the scaling change.
const COLORREF kColours[] = {RGB(200, 40, 40),  RGB(40, 180, 40),  RGB(40, 40, 200),  RGB(210, 210, 40),
                             RGB(200, 40, 200), RGB(40, 200, 200), RGB(240, 130, 20)};

COLORREF ColourOf(int folder, int picture) {
  for (int f = 0; f < folder; ++f) picture += kTree[f].pictures;
  return kColours[picture];
}

bool NearlyEqual(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 40 && std::abs(GetGValue(a) - GetGValue(b)) <= 40 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 40;
}

// Replaces the file's bytes by as many that are no picture, and sets its write time back.
bool Garble(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written = {};
  const DWORD size = ::GetFileSize(file, nullptr);
  std::string junk;
  while (junk.size() < size) junk += "this is no longer a picture. ";
  DWORD wrote = 0;
  const bool done = ::GetFileTime(file, nullptr, nullptr, &written) &&
                    ::WriteFile(file, junk.data(), size, &wrote, nullptr) && wrote == size &&
                    ::SetFileTime(file, nullptr, nullptr, &written);
  ::CloseHandle(file);
  return done;
}

class ThumbwellCaches : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / "vireldan-program-thumbwell";
    fs::remove_all(root_);
    for (int f = 0; f < int(std::size(kTree)); ++f) {
      fs::create_directories(FolderPath(f));
      for (int i = 0; i < kTree[f].pictures; ++i) {
        Cimage picture;
        picture.Blank(120, 90, ColourOf(f, i));
        picture.SaveImage(PicturePath(f, i).c_str());
        ASSERT_FALSE(picture.m_saveError);
      }
    }
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Root() const { return fs::path(root_).make_preferred().string() + "\\"; }
  std::string FolderPath(int folder) const { return Root() + kTree[folder].relative + (*kTree[folder].relative ? "\\" : ""); }
  std::string PicturePath(int folder, int picture) const { return FolderPath(folder) + std::to_string(picture) + ".jpg"; }

  // The folder's cells, in name order, show its pictures' colours.
  bool CellsShowPictures(HWND view, int folder) const {
    RECT client = {};
    ::GetClientRect(view, &client);
    const int columns = std::max(1, int(client.right) / kCell);
    HDC screen = ::GetDC(nullptr);
    bool shown = true;
    for (int i = 0; i < kTree[folder].pictures && shown; ++i) {
      POINT centre = {(i % columns) * kCell + kCell / 2, (i / columns) * kCell + kCell / 2};
      ::ClientToScreen(view, &centre);
      shown = NearlyEqual(::GetPixel(screen, centre.x, centre.y), ColourOf(folder, i));
    }
    ::ReleaseDC(nullptr, screen);
    return shown;
  }

  fs::path root_;
};

TEST_F(ThumbwellCaches, VireldanShowsEveryFolderFromThemWithoutDecoding) {
  {
    RunningThumbwell thumbwell;
    ASSERT_NE(thumbwell.Dialog(), nullptr);
    ASSERT_TRUE(thumbwell.Select(Root()));
    thumbwell.PressBuild();
    EXPECT_EQ(thumbwell.WaitForReport(), "Done. 3 caches written with 7 thumbnails.");
    thumbwell.Exit();
    ASSERT_TRUE(thumbwell.Ended(20000));
  }
  for (int f = 0; f < int(std::size(kTree)); ++f) {
    for (int i = 0; i < kTree[f].pictures; ++i) {
      ASSERT_TRUE(Garble(PicturePath(f, i)));
      Cimage garbled;
      garbled.LoadImageA(PicturePath(f, i).c_str(), 40, 40, 1);
      ASSERT_TRUE(garbled.m_loadError || !garbled.m_pixels) << PicturePath(f, i) << " still decodes";
    }
  }

  for (int f = 0; f < int(std::size(kTree)); ++f) {
    SettingsValues settings = FolderInSmallThumbnails(FolderPath(f));
    settings.insert({{"Thumbnails/sortby", "0"}, {"Frame Layout/left", "0"}, {"Frame Layout/top", "0"},
                     {"Frame Layout/right", "800"}, {"Frame Layout/bottom", "600"},
                     {"Frame Layout/maximized", "0"}});
    RunningProgram program(settings, "");
    ASSERT_TRUE(program.Frame());
    ASSERT_TRUE(program.WaitForFolderShown(FolderPath(f)));
    const HWND view = program.FindChild("VireldanThumbnailView");
    ASSERT_TRUE(view);
    ::SetWindowPos(program.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(WaitFor([&] { return CellsShowPictures(view, f); }, 30000))
        << FolderPath(f) << ": a thumbnail did not come from its cache";
    EXPECT_TRUE(program.Close());
  }
}

}  // namespace
