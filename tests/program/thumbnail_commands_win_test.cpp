// The thumbnail view's commands in Vireldan.exe, given as the user gives them, with the real mouse
// and keyboard: the selection commands by their accelerators, the move in slide order after a
// right click chose the place, and the dialogs of Go To, Confirmations and Hot Keys. What the
// commands did is read from the program's status bar and from the folder's "vireldan.sts".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "command_ids.h"
#include "resource.h"
#include "running_program.h"
#include "slide_order_bytes.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

// A control's text, also in another process (GetWindowText would give its caption there).
std::string Text(HWND window) {
  char text[600] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

// Six pictures a..f (their content does not matter: an undecodable file is shown as a crossed
// box), in a slide order by name, shown as 40-pixel thumbnails without captions (50-pixel cells)
// in slide order.
class ThumbnailCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-commands";
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Other");
    std::string order = SlideHeader();
    for (char name = 'a'; name <= 'f'; ++name) {
      std::ofstream(folder_ / (std::string(1, name) + ".jpg"), std::ios::binary) << "not really a picture";
      order += SlideRecordBytes(std::string(1, name) + ".jpg", name - 'a');
    }
    std::ofstream(folder_ / "vireldan.sts", std::ios::binary) << order;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  SettingsValues Settings() const {
    SettingsValues settings = FolderInSmallThumbnails(Folder());
    settings.insert({{"Thumbnails/sortby", "4"}, {"Frame Layout/left", "100"}, {"Frame Layout/top", "100"},
                     {"Frame Layout/right", "800"}, {"Frame Layout/bottom", "600"}, {"Frame Layout/maximized", "0"}});
    return settings;
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }
  // The program in front, on top of everything else on the display, its view found.
  void Start(RunningProgram& program) {
    ASSERT_TRUE(program.Frame());
    ASSERT_TRUE(program.WaitForFolderShown(Folder()));
    program.Settle();
    view_ = program.FindChild("VireldanThumbnailView");
    ASSERT_TRUE(view_);
    ::SetWindowPos(program.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(program.Frame());
  }
  void ClickCell(int column, int row) {
    POINT point = {column * 50 + 25, row * 50 + 25};
    ::ClientToScreen(view_, &point);
    ASSERT_TRUE(MoveMouseTo(point));
    PressLeftButton(true);
    PressLeftButton(false);
  }
  std::string StsBytes() const {
    std::ifstream in(folder_ / "vireldan.sts", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
  HWND view_ = nullptr;
};

TEST_F(ThumbnailCommands, SelectionCommandsAndTheMoveInSlideOrderReachTheView) {
  RunningProgram program(Settings(), "");
  Start(program);
  const auto status = [&](const std::string& text) {
    return WaitFor([&] { return program.StatusText(2) == text; }) ? text : program.StatusText(2);
  };
  EXPECT_EQ(status("6 File(s), 0Kb Total"), "6 File(s), 0Kb Total");
  ClickCell(1, 0);
  EXPECT_EQ(status("1 Selected,  0Kb "), "1 Selected,  0Kb ");
  const struct {
    WORD key;
    const char* shows;
  } steps[] = {
      {'A', "6 Selected,  0Kb "},     // Select All
      {'D', "6 File(s), 0Kb Total"},  // Deselect All keeps the six for Reselect
      {'R', "6 Selected,  0Kb "},     // Reselect
      {'I', "6 File(s), 0Kb Total"},  // Invert
      {'I', "6 Selected,  0Kb "},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string("Ctrl+") + char(step.key));
    TypeKey(step.key, {VK_CONTROL});
    EXPECT_EQ(status(step.shows), step.shows);
  }

  // d and b selected, a right click on a (which selects a alone), then the move: b and d go
  // before a, and the folder's slide order records it. These clicks are posted, in the order the
  // view takes them: Wine takes the keyboard's state afresh from the display when a click moves
  // the focus, and the display never saw a Ctrl from SendInput.
  TypeKey('D', {VK_CONTROL});
  EXPECT_EQ(status("6 File(s), 0Kb Total"), "6 File(s), 0Kb Total");
  const auto post = [&](UINT message, WPARAM keys, int column) {
    ::PostMessageA(view_, message, keys, MAKELPARAM(column * 50 + 25, 25));
  };
  post(WM_LBUTTONDOWN, MK_LBUTTON, 3);
  post(WM_LBUTTONUP, 0, 3);
  post(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 1);
  post(WM_LBUTTONUP, MK_CONTROL, 1);
  EXPECT_EQ(status("2 Selected,  0Kb "), "2 Selected,  0Kb ");
  post(WM_RBUTTONDOWN, MK_RBUTTON, 0);
  post(WM_RBUTTONUP, 0, 0);
  EXPECT_EQ(status("1 Selected,  0Kb "), "1 Selected,  0Kb ");
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_MOVE_IN_SLIDE_ORDER, 0);
  std::string moved = SlideHeader();
  int position = 0;
  for (const char* name : {"b.jpg", "d.jpg", "a.jpg", "c.jpg", "e.jpg", "f.jpg"}) moved += SlideRecordBytes(name, position++);
  EXPECT_TRUE(WaitFor([&] { return StsBytes() == moved; })) << SlideRecordsText(StsBytes());
  EXPECT_EQ(status("2 Selected,  0Kb "), "2 Selected,  0Kb ");
  EXPECT_TRUE(program.Close());
}

TEST_F(ThumbnailCommands, GoToConfirmationsAndHotKeysOpenTheirDialogs) {
  RunningProgram program(Settings(), "");
  Start(program);
  ClickCell(0, 0);

  // Go To opens on the folder shown, without its backslash; OK goes to the folder typed.
  TypeKey('G', {VK_CONTROL});
  HWND dialog = program.WaitForWindow("Go To Specified Path");
  ASSERT_TRUE(dialog);
  const HWND edit = ::GetDlgItem(dialog, IDC_GO_TO_PATH);
  EXPECT_EQ(Text(edit), Folder().substr(0, Folder().size() - 1));
  const std::string other = Folder() + "Other";
  ::SendMessageA(edit, WM_SETTEXT, 0, LPARAM(other.c_str()));
  PressButton(dialog, IDOK);
  EXPECT_TRUE(WaitFor([&] { return program.StatusText(1) == other + "\\"; })) << program.StatusText(1);
  EXPECT_TRUE(WaitFor([&] { return program.StatusText(2) == "0 File(s), 0Kb Total"; })) << program.StatusText(2);

  TypeKey('C', {VK_MENU});
  dialog = program.WaitForWindow("Confirmations");
  ASSERT_TRUE(dialog);
  PressButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));

  TypeKey('H', {VK_CONTROL});
  dialog = program.WaitForWindow("Vireldan Hot Keys    Ctrl-H");
  ASSERT_TRUE(dialog);
  PressButton(dialog, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Main Options", "mainpath"), other + "\\");
}

// Previous Dir after a subfolder listing shows the folder itself again; Auto Sort, once the user
// says yes, moves the series into its subfolder and opens the folder's branch in the tree so the
// new subfolder shows.
TEST_F(ThumbnailCommands, PreviousDirListsTheFolderAgainAndAutoSortOpensItsBranch) {
  const fs::path series = folder_ / "Series";
  fs::create_directories(series / "Deeper");
  for (int i = 1; i <= 6; ++i)
    std::ofstream(series / ("IMG_000" + std::to_string(i) + ".jpg"), std::ios::binary) << "not really a picture";
  std::ofstream(series / "Deeper" / "x.jpg", std::ios::binary) << "not really a picture";
  const std::string shown = fs::path(series).make_preferred().string() + "\\";
  RunningProgram program(FolderInSmallThumbnails(shown), "");
  ASSERT_TRUE(program.WaitForFolderShown(shown));
  program.Settle();
  const auto status = [&](const std::string& text) {
    return WaitFor([&] { return program.StatusText(2) == text; }) ? text : program.StatusText(2);
  };
  EXPECT_EQ(status("6 File(s), 0Kb Total"), "6 File(s), 0Kb Total");
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SUBFOLDER_CONTENTS, 0);
  EXPECT_EQ(status("7 File(s), 0Kb Total"), "7 File(s), 0Kb Total");
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_PREVIOUS_DIR, 0);
  EXPECT_EQ(status("6 File(s), 0Kb Total"), "6 File(s), 0Kb Total");
  EXPECT_EQ(program.StatusText(1), shown);

  const HWND tree = program.FindChild("SysTreeView32");
  ASSERT_TRUE(tree);
  const auto selectionOpen = [tree] {
    const LPARAM selected = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    return selected && (::SendMessageA(tree, TVM_GETITEMSTATE, WPARAM(selected), TVIS_EXPANDED) & TVIS_EXPANDED);
  };
  ASSERT_FALSE(selectionOpen());
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_AUTO_SORT, 0);
  EXPECT_EQ(program.AnswerDialog("Vireldan", IDYES).rfind("This command will create sub-directories,", 0), 0u);
  EXPECT_TRUE(WaitFor([&] { return fs::exists(series / "IMG_" / "IMG_0006.jpg"); }));
  EXPECT_EQ(status("0 File(s), 0Kb Total"), "0 File(s), 0Kb Total");
  EXPECT_TRUE(WaitFor(selectionOpen)) << "the folder's branch shows its new subfolder";
  EXPECT_TRUE(program.Close());
}

}  // namespace
