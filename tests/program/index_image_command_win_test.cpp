// Create Index image in Vireldan.exe: with the thumbnails of a folder loaded and all of them
// selected, the command's dialog opens with a grid that fits the selection; Cancel leaves
// everything as it was; OK makes the index image and puts its HTML image map on the clipboard
// (file names URL-encoded), and the dialog's settings are stored when the program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Cimage.h"
#include "command_ids.h"
#include "resource.h"
#include "running_program.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {"a b.bmp", "c&d.bmp", "e.bmp", "f.bmp", "g.bmp", "h.bmp", "i#1.bmp"};
constexpr int kCell = 50;  // 40-pixel thumbnails without captions

COLORREF ColourOf(int i) { return RGB(40 * i, 255 - 30 * i, 90); }

std::string Text(HWND window) {
  char text[300] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) text = bytes;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

class IndexImageCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-index";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (int i = 0; i < 7; ++i) {
      Cimage picture;
      picture.Blank(80, 80, ColourOf(i));
      picture.SaveImage((folder_ / kNames[i]).string().c_str());
      ASSERT_FALSE(picture.m_saveError);
    }
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }
  SettingsValues Settings() const {
    SettingsValues settings = FolderInSmallThumbnails(Folder());
    settings.insert({{"Thumbnails/sortby", "0"}, {"Frame Layout/left", "0"}, {"Frame Layout/top", "0"},
                     {"Frame Layout/right", "800"}, {"Frame Layout/bottom", "600"}, {"Frame Layout/maximized", "0"},
                     {"CreateIndex/width", "6"}, {"CreateIndex/height", "3"}, {"CreateIndex/title", "1"},
                     {"CreateIndex/name", "0"}, {"CreateIndex/date", "0"}, {"CreateIndex/size", "0"},
                     {"CreateIndex/autospace", "1"}, {"CreateIndex/spacing", "10"}});
    return settings;
  }
  // Every thumbnail is on the screen in its picture's colour.
  bool ThumbnailsShown(HWND view) const {
    RECT client = {};
    ::GetClientRect(view, &client);
    const int columns = std::max(1, int(client.right) / kCell);
    HDC screen = ::GetDC(nullptr);
    bool shown = true;
    for (int i = 0; i < 7 && shown; ++i) {
      POINT centre = {(i % columns) * kCell + kCell / 2, (i / columns) * kCell + kCell / 2};
      ::ClientToScreen(view, &centre);
      shown = ::GetPixel(screen, centre.x, centre.y) == ColourOf(i);
    }
    ::ReleaseDC(nullptr, screen);
    return shown;
  }

  fs::path folder_;
};

TEST_F(IndexImageCommand, OkPutsTheImageMapOnTheClipboardCancelDoesNothing) {
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(Folder()));
  program.Settle();
  const HWND view = program.FindChild("VireldanThumbnailView");
  ASSERT_TRUE(view);
  ::SetWindowPos(program.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ASSERT_TRUE(WaitFor([&] { return ThumbnailsShown(view); }, 30000)) << "the thumbnails were not loaded";
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SELECT_ALL, 0);
  ASSERT_TRUE(WaitFor([&] { return program.StatusText(2) == "7 Selected,  126Kb "; })) << program.StatusText(2);

  const std::string before = "what the user copied last";
  SetClipboardText(before);
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_CREATE_INDEX, 0);
  HWND dialog = program.WaitForWindow("Create an index image");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_INDEX_SELECTED)), "7 Images selected");
  EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_INDEX_COLUMNS)), "4");
  EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_INDEX_ROWS)), "2");
  PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));

  ::PostMessageA(program.Frame(), WM_COMMAND, ID_CREATE_INDEX, 0);
  dialog = program.WaitForWindow("Create an index image");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ClipboardText(), before) << "Cancel made nothing";
  ::SendMessageA(::GetDlgItem(dialog, IDC_INDEX_TITLE_TEXT), WM_SETTEXT, 0, LPARAM("Index test"));
  PressButton(dialog, IDOK);
  // Edge 40 with autospace: 4-pixel spacing, cells 44 apart, below the 20-pixel title band; two
  // rows of four and three.
  const std::string map =
      "<map name=\"IMAGEMAP_NAME\">\r\n"
      "    <area shape=\"rect\" coords=\"4,24,43,63\" href=\"a%20b.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"48,24,87,63\" href=\"c%26d.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"92,24,131,63\" href=\"e.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"136,24,175,63\" href=\"f.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"4,68,43,107\" href=\"g.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"48,68,87,107\" href=\"h.bmp\">\r\n"
      "    <area shape=\"rect\" coords=\"92,68,131,107\" href=\"i%231.bmp\">\r\n"
      "    <area shape=\"default\" nohref>\r\n"
      "</map>\r\n"
      "<img border=\"0\" src=\"IMAGEMAP_IMAGENAME\" usemap=\"#IMAGEMAP_NAME\">\r\n";
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == map; })) << ClipboardText();
  // The index image was never saved: the exit asks, and No lets it go.
  ::PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
  EXPECT_NE(program.AnswerDialog("Save modified image?", IDCANCEL), "(no dialog)");
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("CreateIndex", "width"), "4");
  EXPECT_EQ(StoredSetting("CreateIndex", "height"), "2");
}

}  // namespace
