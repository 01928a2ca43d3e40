// Image windows in Vireldan.exe: a double-click on a thumbnail opens the photograph in a window
// of its own, shown pixel for pixel; the window zooms by its commands and tells the pixel under
// the pointer (the nearest one of the picture when the pointer is beside it); Space closes it and
// opens the next file; Prev window brings a lone window to the front; Enter closes it and the main
// frame comes back to the front; with "dismissonmore" the sixth window closes the oldest. Close
// All, exit and that limit ask before a modified picture goes, as its own close box does. What
// the windows show is read from the screen and compared with the file decoded here.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "command_ids.h"
#include "dialog_user_win.h"
#include "image_window_rules.h"
#include "missing_files.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

// A photograph that fits the screen, 640 × 428, under six names.
constexpr char kPhoto[] = "/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg";
const char* const kNames[] = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"};
// The thumbnail view's cells at "Thumbnail Size" 4.
constexpr int kCell = 50;

std::string Caption(const char* name, const char* ratio) {
  return std::string(name) + " 640 X 428  @  " + ratio;
}

class ImageWindowProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-image-window";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const char* name : kNames) {
      std::error_code error;
      fs::copy_file(std::string("Z:") + kPhoto, folder_ / name, error);
      if (error) SKIP_OR_FAIL_MISSING(std::string(kPhoto) + " is not installed");
    }
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }
  SettingsValues Settings(const char* dismissOnMore, const char* limit = "5") const {
    return {{"Main Options/tipson", "0"},       {"Main Options/mainpath", Folder()},
            {"Thumbnails/Thumbnail Size", "4"}, {"Thumbnails/sortby", "0"},
            {"Picture Frames/position", "1"},   {"Picture Frames/viewstyle", "0"},
            {"Picture Frames/dismissonmore", dismissOnMore},
            {"Picture Frames/dismissonimages", limit},
            {"Audio/playondisplay", "0"},       {"Frame Layout/maximized", "0"}};
  }
  HWND Start(RunningProgram& program) {
    if (!program.Frame() || !program.WaitForFolderShown(Folder())) return nullptr;
    program.Settle();
    return program.FindChild("VireldanThumbnailView");
  }
  static void DoubleClick(HWND view, int cell, WPARAM keys = 0) {
    const LPARAM at = MAKELPARAM(cell * kCell + kCell / 2, kCell / 2);
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    ::PostMessageA(view, WM_LBUTTONUP, keys, at);
    ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON | keys, at);
    ::PostMessageA(view, WM_LBUTTONUP, keys, at);
  }
  // The first file opened by a double-click: its window, null when none came.
  HWND OpenFirstFile(RunningProgram& program) {
    const HWND view = Start(program);
    if (!view) return nullptr;
    DoubleClick(view, 0);
    return program.WaitForWindow(Caption("a.jpg", "1:1"));
  }
  static bool Gone(HWND window) {
    return WaitFor([window] { return !::IsWindow(window); });
  }
  // The file in the cell opened pixel for pixel in a window of its own (Ctrl: pan/zoom mode).
  static HWND OpenOneToOne(RunningProgram& program, HWND view, int cell) {
    DoubleClick(view, cell, MK_CONTROL);
    return program.WaitForWindow(Caption(kNames[cell], "1:1"));
  }
  // An edit that leaves the window's picture unsaved.
  static void Modify(const RunningProgram& program, HWND window) {
    ::PostMessageA(window, WM_COMMAND, ID_ROTATE_180, 0);
    program.Settle();
  }
  // The question before a modified picture goes, answered: No closes the window; Yes offers the
  // save, and Cancel there keeps the window. The question's text.
  static std::string AnswerSaveQuestion(const RunningProgram& program, bool keep) {
    const std::string asked = program.AnswerDialog("Save modified image?", keep ? IDOK : IDCANCEL);
    if (keep && program.AnswerDialog("Save As", IDCANCEL) == "(no dialog)") return asked + " (no Save As)";
    return asked;
  }

  fs::path folder_;
};

TEST_F(ImageWindowProgram, ADoubleClickShowsThePhotographAndEnterCloses) {
  RunningProgram program(Settings("0"), "");
  const HWND window = OpenFirstFile(program);
  ASSERT_TRUE(window);
  EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL) << "a picture that fits opens autosizing";

  Cimage file;
  file.LoadImageA((folder_ / "a.jpg").string().c_str(), 0, 0, 5);
  ASSERT_TRUE(file.m_pixels);
  ::SetForegroundWindow(window);
  Cimage shown = ShownPicture(window, false, "image_window_program");
  EXPECT_EQ(shown.m_width, 640);
  EXPECT_EQ(shown.m_height, 428);
  EXPECT_EQ(LargestDifference(file, shown, 0, 0), 0);
  ShownPicture(window, true, "image_window_program_frame");

  // Over an autosizing window the status bar names the file.
  ::PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitFor([&] { return program.StatusText(1) == Folder() + "a.jpg"; })) << program.StatusText(1);

  // Zoom In from 100 % gives 2:1; two steps out 1:2, where the picture sits in the middle of the
  // window with room around it.
  ::PostMessageA(window, WM_COMMAND, ID_ZOOM_IN, 0);
  ASSERT_TRUE(program.WaitForWindow(Caption("a.jpg", "2:1")));
  ::PostMessageA(window, WM_COMMAND, ID_ZOOM_OUT, 0);
  ::PostMessageA(window, WM_COMMAND, ID_ZOOM_OUT, 0);
  ASSERT_TRUE(program.WaitForWindow(Caption("a.jpg", "1:2")));
  ShownPicture(window, true, "image_window_program_half");
  const struct {
    POINT client;
    int x, y;
  } readOuts[] = {{{1, 1}, 0, 0}, {{2000, 2000}, 639, 427}};  // beside the picture: its nearest pixel
  for (const auto& r : readOuts) {
    ::PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(r.client.x, r.client.y));
    const std::string expected = PixelStatusText(r.x, r.y, file.GetRGB(r.x, r.y));
    EXPECT_TRUE(WaitFor([&] { return program.StatusText(1) == expected; })) << program.StatusText(1);
  }

  // Space closes the window and the thumbnail view opens the next file in a new one.
  ::PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(Gone(window));
  const HWND next = program.WaitForWindow(Caption("b.jpg", "1:1"));
  ASSERT_TRUE(next);

  // Prev window brings the one window back in front of the main frame.
  const auto above = [](HWND upper, HWND lower) {
    for (HWND window = ::GetWindow(lower, GW_HWNDPREV); window; window = ::GetWindow(window, GW_HWNDPREV))
      if (window == upper) return true;
    return false;
  };
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_WINDOW_FRONT, 0);
  ASSERT_TRUE(WaitFor([&] { return above(program.Frame(), next); }));
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_WINDOW_PREV, 0);
  EXPECT_TRUE(WaitFor([&] { return above(next, program.Frame()); })) << "F7 with one image window";

  // Enter closes the window without a question (nothing was changed), and the main frame is in
  // front again.
  ::PostMessageA(next, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(Gone(next));
  EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == program.Frame(); }));
  EXPECT_TRUE(program.Close());
}

// The main frame's shortcuts work while an image window is in front (Ctrl+S saves its picture,
// F4 opens the options), and the window's own keys stay its own: "+" zooms the picture rather
// than making the thumbnails bigger.
TEST_F(ImageWindowProgram, TheFramesShortcutsWorkInAnImageWindowAfterItsOwnKeys) {
  RunningProgram program(Settings("0"), "");
  const HWND window = OpenFirstFile(program);
  ASSERT_TRUE(window);
  ::SetForegroundWindow(window);
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }));

  TypeKey(VK_ADD);
  EXPECT_TRUE(program.WaitForWindow(Caption("a.jpg", "2:1")));
  TypeKey('S', {VK_CONTROL});
  const HWND saveAs = program.WaitForWindow("Save As");
  EXPECT_TRUE(saveAs) << "Ctrl+S in the image window";
  if (saveAs) PressButton(saveAs, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }));
  TypeKey(VK_F4);
  const HWND options = program.WaitForWindow("Vireldan options");
  EXPECT_TRUE(options) << "F4 in the image window";
  if (options) {
    PressSheetButton(options, PSBTN_CANCEL);
    EXPECT_TRUE(WaitUntilClosed(options));
  }
  EXPECT_TRUE(program.Close());
}

TEST_F(ImageWindowProgram, TheSixthWindowClosesTheOldestWhenDismissOnMoreIsOn) {
  RunningProgram program(Settings("1"), "");
  const HWND view = Start(program);
  ASSERT_TRUE(view);
  HWND windows[6] = {};
  for (int i = 0; i < 6; ++i) {
    DoubleClick(view, i, MK_CONTROL);  // Ctrl: pixel for pixel, in pan/zoom mode
    windows[i] = program.WaitForWindow(Caption(kNames[i], "1:1"));
    ASSERT_TRUE(windows[i]) << kNames[i];
    EXPECT_TRUE(::GetWindowLongA(windows[i], GWL_STYLE) & WS_VSCROLL) << kNames[i];
    // The picture fits its window beside the (disabled) scroll bars: nothing to scroll.
    RECT client = {};
    ::GetClientRect(windows[i], &client);
    EXPECT_EQ(client.right, 640) << kNames[i];
    EXPECT_EQ(client.bottom, 428) << kNames[i];
  }
  Cimage file;
  file.LoadImageA((folder_ / "f.jpg").string().c_str(), 0, 0, 5);
  ::SetForegroundWindow(windows[5]);
  EXPECT_EQ(LargestDifference(file, ShownPicture(windows[5], false, "image_window_program_one_to_one"), 0, 0), 0);
  EXPECT_TRUE(Gone(windows[0]));
  for (int i = 1; i < 6; ++i) EXPECT_TRUE(::IsWindow(windows[i])) << kNames[i];
  // Closing them all brings the main frame back.
  for (int i = 1; i < 6; ++i) ::PostMessageA(windows[i], WM_CLOSE, 0, 0);
  for (int i = 1; i < 6; ++i) EXPECT_TRUE(Gone(windows[i])) << kNames[i];
  EXPECT_TRUE(program.Close());
}

constexpr char kSaveQuestion[] = "This image has been modified, but not saved...\nDo you want to save it?";

// A picture the user keeps stops Close All there (the older window stays too) and stops the exit;
// answered No, the window closes and the close or the exit goes on.
TEST_F(ImageWindowProgram, CloseAllAndExitAskBeforeAModifiedPictureGoes) {
  RunningProgram program(Settings("0"), "");
  const HWND view = Start(program);
  ASSERT_TRUE(view);
  const HWND older = OpenOneToOne(program, view, 0);
  const HWND edited = OpenOneToOne(program, view, 1);
  ASSERT_TRUE(older && edited);
  Modify(program, edited);

  ::PostMessageA(program.Frame(), WM_COMMAND, ID_WINDOW_CLOSE_ALL, 0);
  EXPECT_EQ(AnswerSaveQuestion(program, true), kSaveQuestion);
  program.Settle();
  EXPECT_TRUE(::IsWindow(edited) && ::IsWindow(older)) << "Close All stops at the picture kept";

  ::PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(AnswerSaveQuestion(program, true), kSaveQuestion);
  program.Settle();
  EXPECT_TRUE(::IsWindowVisible(program.Frame())) << "the exit stops";
  EXPECT_TRUE(::IsWindow(edited) && ::IsWindow(older));
  // Still modified: asked again.
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_WINDOW_CLOSE_ALL, 0);
  EXPECT_EQ(AnswerSaveQuestion(program, false), kSaveQuestion);
  EXPECT_TRUE(Gone(edited));
  EXPECT_TRUE(Gone(older));

  const HWND reopened = OpenOneToOne(program, view, 2);
  ASSERT_TRUE(reopened);
  Modify(program, reopened);
  ::PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(AnswerSaveQuestion(program, false), kSaveQuestion);
  EXPECT_TRUE(program.Close()) << "the exit goes on after No";
}

// With a limit of one window, opening another asks about the modified oldest one: kept, it stays
// beside the new one; answered No, it closes.
TEST_F(ImageWindowProgram, TheWindowLimitAsksBeforeClosingAModifiedPicture) {
  RunningProgram program(Settings("1", "1"), "");
  const HWND view = Start(program);
  ASSERT_TRUE(view);
  const HWND edited = OpenOneToOne(program, view, 0);
  ASSERT_TRUE(edited);
  Modify(program, edited);

  DoubleClick(view, 1, MK_CONTROL);
  EXPECT_EQ(AnswerSaveQuestion(program, true), kSaveQuestion);
  const HWND second = program.WaitForWindow(Caption(kNames[1], "1:1"));
  EXPECT_TRUE(second);
  EXPECT_TRUE(::IsWindow(edited)) << "kept beyond the limit";

  DoubleClick(view, 2, MK_CONTROL);
  EXPECT_EQ(AnswerSaveQuestion(program, false), kSaveQuestion);
  EXPECT_TRUE(program.WaitForWindow(Caption(kNames[2], "1:1")));
  EXPECT_TRUE(Gone(edited));
  EXPECT_TRUE(::IsWindow(second)) << "one window closes per window opened";
  EXPECT_TRUE(program.Close());
}

// Go To starts from the folder of the picture in front, wherever the thumbnail view has gone
// since; without an image window, from the folder shown.
TEST_F(ImageWindowProgram, GoToStartsFromTheFolderOfThePictureInFront) {
  fs::create_directories(folder_ / "Other");
  const std::string other = Folder() + "Other";
  RunningProgram program(Settings("0"), "");
  const HWND window = OpenFirstFile(program);
  ASSERT_TRUE(window);
  // The path the dialog starts with; with a path to go to, OK goes there, else Cancel.
  const auto goTo = [&](const std::string& destination) {
    ::PostMessageA(program.Frame(), WM_COMMAND, ID_GO_TO, 0);
    const HWND dialog = program.WaitForWindow("Go To Specified Path");
    if (!dialog) return std::string("(no dialog)");
    const HWND edit = ::GetDlgItem(dialog, IDC_GO_TO_PATH);
    char text[MAX_PATH] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, LPARAM(text));
    if (!destination.empty()) ::SendMessageA(edit, WM_SETTEXT, 0, LPARAM(destination.c_str()));
    PressButton(dialog, destination.empty() ? IDCANCEL : IDOK);
    WaitFor([&] { return !::IsWindow(dialog); });
    return std::string(text);
  };
  const std::string shown = Folder().substr(0, Folder().size() - 1);
  EXPECT_EQ(goTo(other), shown);
  // The empty folder is shown (the picture in front keeps the status bar's first pane for itself).
  EXPECT_TRUE(WaitFor([&] { return program.StatusText(2) == "0 File(s), 0Kb Total"; })) << program.StatusText(2);
  EXPECT_EQ(goTo(""), shown) << "the picture's folder, not the one shown";
  ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(Gone(window));
  EXPECT_EQ(goTo(""), other);
  EXPECT_TRUE(program.Close());
}

}  // namespace
