// The main frame's commands on one picture in Vireldan.exe: Open and Open 1:1; Save Wallpaper and
// Go to the picture's folder on the one selected file; Print and Save As on the image window in
// front, which print the file while the picture is as the file has it and the window's picture
// once it was edited. What the commands did is read from the files they wrote (the test printer's
// PostScript among them) and the system's record.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Cimage.h"
#include "command_ids.h"
#include "missing_files.h"
#include "running_program.h"
#include "save_dialog_user_win.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

// A photograph that fits the screen, 640 × 428.
constexpr char kPhoto[] = "Z:/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg";
// The test printer's port: the file Wine's PostScript driver writes each printed job into.
constexpr char kPrinterPort[] = "C:\\vireldan-test-printer.ps";

// A text value of the user's registry; empty when there is none.
std::string UserRegistryText(const char* key, const char* name) {
  char text[MAX_PATH] = {};
  DWORD size = sizeof text;
  if (::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::string();
  return text;
}

// The wallpaper another process set for the session: a process keeps the system parameters it
// has read, so the program's change is read where Wine keeps changes not written to the
// profile.
// The profile's wallpaper, which the command sets so that it lasts beyond the next log-on.
std::string ProfileWallpaper() { return UserRegistryText("Control Panel\\Desktop", "Wallpaper"); }

std::string WallpaperFile() {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\Vireldan Wallpaper.bmp";
}

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The size of the picture on the printed page (as the printer driver was handed it), once the
// job is complete; 0 × 0 when none came.
SIZE PrintedPicture() {
  std::string page;
  WaitFor([&] { return (page = FileText(kPrinterPort)).find("%%EOF") != std::string::npos; }, 30000);
  const size_t width = page.find("/Width "), height = page.find("/Height ");
  if (width == std::string::npos || height == std::string::npos) return {0, 0};
  return {std::stol(page.substr(width + 7)), std::stol(page.substr(height + 8))};
}

// The photograph alone in a folder, shown as 40-pixel thumbnails in 50-pixel cells.
class ImageCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-image-commands";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::error_code error;
    fs::copy_file(kPhoto, folder_ / "photo.jpg", error);
    if (error) SKIP_OR_FAIL_MISSING(std::string(kPhoto) + " is not installed");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }
  SettingsValues Settings() const {
    SettingsValues settings = FolderInSmallThumbnails(Folder());
    settings.insert({{"Picture Frames/position", "1"}, {"Picture Frames/viewstyle", "0"},
                     {"Audio/playondisplay", "0"}, {"Frame Layout/maximized", "0"}, {"File Options/confirm", "0"}});
    return settings;
  }
  // The program showing the folder, the photograph's cell clicked (posted: no real input), and
  // with a double-click opened in a window.
  HWND StartWithPhotoSelected(RunningProgram& program) {
    if (!program.Frame() || !program.WaitForFolderShown(Folder())) return nullptr;
    program.Settle();
    HWND view = program.FindChild("VireldanThumbnailView");
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
    if (!WaitFor([&] { return program.StatusText(2).rfind("1 Selected", 0) == 0; })) return nullptr;
    return view;
  }
  static HWND OpenPhoto(RunningProgram& program, HWND view) {
    ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(25, 25));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
    return program.WaitForWindow("photo.jpg 640 X 428  @  1:1");
  }
  // Print from the main frame, laid out as the page layout proposes.
  static SIZE Print(RunningProgram& program) {
    ::DeleteFileA(kPrinterPort);
    ::PostMessageA(program.Frame(), WM_COMMAND, ID_FILE_PRINT, 0);
    HWND layout = program.WaitForWindow("Page Layout");
    if (!layout) return {0, 0};
    PressButton(layout, IDOK);
    return PrintedPicture();
  }

  fs::path folder_;
};

TEST_F(ImageCommands, SaveWallpaperFillsTheDesktopWithTheSelectedFile) {
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
  ASSERT_EQ(ProfileWallpaper(), "");
  ::DeleteFileA(WallpaperFile().c_str());
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(StartWithPhotoSelected(program));
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SAVE_WALLPAPER, 0);
  EXPECT_TRUE(WaitFor([] { return ProfileWallpaper() == WallpaperFile(); }, 30000)) << ProfileWallpaper();

  Cimage expected, written;
  expected.LoadImageA((folder_ / "photo.jpg").string().c_str(), 0, 0, 5);
  RECT desktop = {};
  ::GetClientRect(::GetDesktopWindow(), &desktop);
  expected.FrameFill(desktop.right, desktop.bottom, 1);
  written.LoadImageA(WallpaperFile().c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, expected));
  EXPECT_TRUE(program.Close());
  // The plain desktop again, for the tests that follow.
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

// In a listing of the subfolders' files, Go to the picture's folder makes the one selected file's
// own folder the one shown.
TEST_F(ImageCommands, GoToThePicturesFolderShowsTheFolderOfTheFileSelected) {
  fs::create_directory(folder_ / "album");
  fs::rename(folder_ / "photo.jpg", folder_ / "album" / "photo.jpg");
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(Folder()));
  program.Settle();
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SUBFOLDER_CONTENTS, 0);
  HWND view = program.FindChild("VireldanThumbnailView");
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  ASSERT_TRUE(WaitFor([&] { return program.StatusText(2).rfind("1 Selected", 0) == 0; })) << program.StatusText(2);
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_GO_TO_IMAGE_DIR, 0);
  EXPECT_TRUE(program.WaitForFolderShown(Folder() + "album\\"));
  EXPECT_TRUE(program.Close());
}

TEST_F(ImageCommands, TheFrontImageWindowPrintsAndSavesItsPicture) {
  RunningProgram program(Settings(), "");
  const HWND view = StartWithPhotoSelected(program);
  ASSERT_TRUE(view);
  const HWND window = OpenPhoto(program, view);
  ASSERT_TRUE(window);

  const SIZE file = Print(program);
  EXPECT_GT(file.cx, file.cy) << "the file, as wide as it is";
  // Turned, the window's picture stands upright: the print shows it, not the file.
  ::PostMessageA(window, WM_COMMAND, ID_ROTATE_CLOCKWISE, 0);
  const SIZE turned = Print(program);
  EXPECT_LT(turned.cx, turned.cy) << "the turned picture";

  ::PostMessageA(program.Frame(), WM_COMMAND, ID_FILE_SAVE_AS, 0);
  HWND dialog = program.WaitForWindow("Save As");
  ASSERT_TRUE(dialog);
  const std::string saved = Folder() + "turned.png";
  EXPECT_TRUE(AnswerSaveDialogWindow(dialog, saved));
  EXPECT_TRUE(program.WaitForWindow("turned.png 428 X 640  @  1:1")) << "the window takes the saved file's name";
  Cimage expected, written;
  expected.LoadImageA((folder_ / "photo.jpg").string().c_str(), 0, 0, 5);
  expected.Rotate_Clockwise();
  written.LoadImageA(saved.c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, expected));
  // Saved, it closes without a question.
  EXPECT_TRUE(program.Close());
}

// File > Open fits the chosen picture to the screen in a window that has no scroll bars; Open 1:1
// shows it pixel for pixel in one that has them.
TEST_F(ImageCommands, OpenAndOpenOneToOneShowTheChosenFile) {
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(program.Frame() && program.WaitForFolderShown(Folder()));
  const struct {
    UINT command;
    bool scrollBars;
  } opens[] = {{ID_FILE_OPEN, false}, {ID_FILE_OPEN_ONE_TO_ONE, true}};
  for (const auto& open : opens) {
    SCOPED_TRACE(open.command);
    ::PostMessageA(program.Frame(), WM_COMMAND, open.command, 0);
    HWND dialog = program.WaitForWindow("Open");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(AnswerSaveDialogWindow(dialog, Folder() + "photo.jpg"));
    HWND window = program.WaitForWindow("photo.jpg 640 X 428  @  1:1");
    ASSERT_TRUE(window);
    EXPECT_EQ((::GetWindowLongA(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0, open.scrollBars);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(window); }));
  }
  EXPECT_TRUE(program.Close());
}

// The toolbar's Print with no single file selected, and File > Batch Print, open the one Batch
// Print Setup sheet; its Print sends the selected photograph through the batch-print job. Print
// Thumbnails prints the folder's contact sheet after its dialog.
TEST_F(ImageCommands, BatchPrintAndPrintThumbnailsPrintTheFolder) {
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(program.Frame() && program.WaitForFolderShown(Folder()));
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_TOOLBAR_PRINT, 0);  // nothing selected
  HWND sheet = program.WaitForWindow("Batch Print Setup");
  ASSERT_TRUE(sheet);
  ::PostMessageA(sheet, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(sheet); }));
  HWND view = StartWithPhotoSelected(program);
  ASSERT_TRUE(view);
  const struct {
    UINT command;
    const char* window;
    int print;
    const char* document;
  } prints[] = {{ID_BATCH_PRINT, "Batch Print Setup", 1304, "Vireldan Batch Print"},
                {ID_PRINT_THUMBNAILS, "Print thumbnails setup", IDOK, ""}};
  for (const auto& print : prints) {
    SCOPED_TRACE(print.window);
    ::DeleteFileA(kPrinterPort);
    ::PostMessageA(program.Frame(), WM_COMMAND, print.command, 0);
    HWND window = program.WaitForWindow(print.window);
    ASSERT_TRUE(window);
    // The sheet's pages exist once its miniature is there.
    ASSERT_TRUE(WaitFor([&] { return ::GetDlgItem(window, 257) || print.print == IDOK; }));
    PressButton(window, print.print);
    std::string page;
    EXPECT_TRUE(WaitFor([&] { return (page = FileText(kPrinterPort)).find("%%EOF") != std::string::npos; }, 30000));
    EXPECT_NE(page.find(print.document), std::string::npos);
    EXPECT_NE(page.find("/Width "), std::string::npos) << "a picture on the page";
  }
  EXPECT_TRUE(program.Close());
}

}  // namespace
