// The options commands of the real program: the sheet opens where the command says or where it was
// last closed, and what the user confirmed there is what the program stores when it ends.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "command_ids.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "running_program.h"
#include "ui_driver.h"

namespace {

// Opens the sheet with the command; the page in front, then the steps, then the sheet is closed
// with the button.
int RunSheet(const RunningProgram& program, UINT command, int button, void (*steps)(HWND sheet) = nullptr) {
  ::PostMessageA(program.Frame(), WM_COMMAND, command, 0);
  HWND sheet = nullptr;
  if (!WaitFor([&] { return (sheet = ::FindWindowA(nullptr, "Vireldan options")) != nullptr; }, 30000)) return -1;
  const int front = SheetCurrentTab(sheet);
  if (steps) steps(sheet);
  PressSheetButton(sheet, button);
  return WaitUntilClosed(sheet) ? front : -2;
}

TEST(OptionsCommands, OpenOnTheirPagesOrTheLastOneAndTheProgramKeepsWhatWasConfirmed) {
  RunningProgram program({{"Main Options/tipson", "0"},
                          {"Main Options/mainpath", "C:\\"},
                          {"Confirmations/allsize", "500"},
                          {"Thumbnails/cachemode", "0"}},
                         "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  EXPECT_EQ(RunSheet(program, ID_CONTROL_PANEL, PSBTN_OK,
                     [](HWND sheet) {
                       ASSERT_TRUE(ShowSheetPage(sheet, 4));
                       EXPECT_EQ(ControlText(SheetPage(sheet, 4), IDC_SYSTEM_ALLSIZE), "500");
                       ::SetDlgItemTextA(SheetPage(sheet, 4), IDC_SYSTEM_ALLSIZE, "1234");
                       ASSERT_TRUE(ShowSheetPage(sheet, 7));
                       HWND cache = SheetPage(sheet, 7);
                       ::CheckDlgButton(cache, IDC_CACHE_AUTOMATIC, BST_UNCHECKED);
                       ::CheckDlgButton(cache, IDC_CACHE_DISABLED, BST_CHECKED);
                     }),
            0)
      << "the first time after start: Thumbnails";
  EXPECT_EQ(RunSheet(program, ID_CONTROL_PANEL, PSBTN_CANCEL), 7) << "where it was closed";
  const struct {
    UINT command;
    int page;
  } pages[] = {{ID_SLIDESHOW_SETUP, 2}, {ID_TRANSITIONS, 3}, {ID_FILE_OPTIONS, 4}, {ID_CACHE_OPTIONS, 7}};
  for (const auto& p : pages) EXPECT_EQ(RunSheet(program, p.command, PSBTN_CANCEL), p.page) << p.command;
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Confirmations", "allsize"), "1234");
  EXPECT_EQ(StoredSetting("Thumbnails", "cachemode"), "2");
}

// The Shell Interface Options dialog of the program: each box under its own control id (the
// numbers the help and other tools know them by), checked as the settings say.
TEST(OptionsCommands, ShellInterfaceOptionsShowsEachTypeUnderItsId) {
  RunningProgram program({{"Main Options/tipson", "0"}, {"Main Options/mainpath", "C:\\"}, {"Shell Types/.gif", "1"},
                          {"Shell Types/ofold", "1"}},
                         "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SHELL_OPTIONS, 0);
  const HWND dialog = program.WaitForWindow("Shell Interface Options");
  ASSERT_TRUE(dialog);
  const struct {
    int id;
    const char* text;
    bool checked;
  } boxes[] = {{1097, "JPEGs", false}, {1098, "GIFs", true},  {1101, "TIFs", false}, {1099, "BMPs", false},
               {1102, "PNGs", false},  {1233, "PCXs", false}, {1275, "Display Vireldan launch option on Folders in Explorer", true}};
  for (const auto& box : boxes) {
    EXPECT_EQ(ControlText(dialog, box.id), box.text) << box.id;
    EXPECT_EQ(::IsDlgButtonChecked(dialog, box.id) == BST_CHECKED, box.checked) << box.id;
  }
  PressButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntilClosed(dialog));
  EXPECT_TRUE(program.Close());
}

// The sheet is modal to the main frame: while it is up the frame takes no input, and a close
// that reaches the frame anyway (sent by another program) leaves the frame and the sheet alone;
// what is confirmed afterwards is kept, and the program then ends normally.
TEST(OptionsCommands, TheMainFrameStaysWhileTheSheetIsOpen) {
  RunningProgram program({{"Main Options/tipson", "0"}, {"Main Options/mainpath", "C:\\"}, {"Confirmations/allsize", "500"}},
                         "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  const int front = RunSheet(program, ID_FILE_OPTIONS, PSBTN_OK, [](HWND sheet) {
    HWND frame = ::GetWindow(sheet, GW_OWNER);
    EXPECT_TRUE(frame && !::IsWindowEnabled(frame)) << "owned by the disabled frame";
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(frame) && ::IsWindow(sheet)) << "the close was refused";
    ::SetDlgItemTextA(SheetPage(sheet, 4), IDC_SYSTEM_ALLSIZE, "777");
  });
  EXPECT_EQ(front, 4);
  EXPECT_TRUE(::IsWindowEnabled(program.Frame()));
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Confirmations", "allsize"), "777");
}

}  // namespace
