// The shell's small common dialogs: each opens with its caption and texts, hands its values back
// through its buttons, and the path and file-name edits refuse characters typed into them; the
// folder chooser's tree and edit follow each other.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "canonical_path.h"
#include "choose_dir_dlg.h"
#include "auto_rename_dlg.h"
#include "capture_hotkey_dlg.h"
#include "confirmations_dlg.h"
#include "file_exists_dlg.h"
#include "go_to_path_dlg.h"
#include "hotkeys_dlg.h"
#include "program_state.h"
#include "rename_multiple_dlg.h"
#include "resource.h"
#include "temp_folder.h"
#include "text_entry_dlg.h"
#include "ui_driver.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  char text[512] = {};
  ::GetWindowTextA(child, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
  return TRUE;
}

std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  ::EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Types text into the control that has the keyboard focus, as the keyboard would, and waits
// until the edit has taken the final character (which must pass the edit's filter).
void Type(HWND dialog, int editId, const std::string& text) {
  ::SetForegroundWindow(dialog);
  for (const char c : text) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = static_cast<unsigned char>(c);
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
  }
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 10000) {
    const std::string now = ItemText(dialog, editId);
    if (!now.empty() && now.back() == text.back()) return;
    ::Sleep(20);
  }
  ADD_FAILURE() << "the edit never received \"" << text << "\"";
}

// Opens the dialog modally while steps run against its window; DoModal's result.
INT_PTR RunDialog(Dialog& dialog, const char* caption, const std::function<void(HWND)>& steps) {
  UiDriver user([&] {
    const HWND window = WaitForWindow(caption);
    if (!window) {
      ADD_FAILURE() << "no window \"" << caption << "\"";
      return;
    }
    steps(window);
  });
  return dialog.DoModal(nullptr);
}

void ExpectTexts(const std::vector<std::string>& shown, const std::vector<std::string>& expected) {
  for (const std::string& text : expected)
    EXPECT_NE(std::find(shown.begin(), shown.end(), text), shown.end()) << "missing \"" << text << "\"";
}

TEST(CommonDialogs, EachOpensWithItsCaptionAndTexts) {
  const struct {
    std::function<Dialog*()> make;
    const char* caption;
    std::vector<std::string> texts;
  } cases[] = {
      {[] { return new CRenameMultipleDlg; }, "Rename multiple files",
       {"There are more than one files selected.",
        "Do you want to rename them individually or\nauto-rename them to a sequence?", "Auto-Rename", "Individually",
        "Cancel"}},
      {[] { return new CAutoRenameDlg; }, "Auto Rename",
       {" Specify the format of the sequence of names. ", "Use the * character to represent the original file name.",
        "Use the # character to represent a number which increments with each file.", "Examples: ",
        "PIC_*        >>>  PIC_oldfilename, PIC_nextoldname ...",
        "#_*_JUN  >>>  01_oldname_JUN, 02_nextoldname_JUN ...", "Format", "First Number",
        "Note: Original filename extensions are preserved.", "Rename Files", "#", "1"}},
      {[] { return new CFileExistsDlg("C:\\out\\a.jpg"); }, "File exists",
       {"The destination file already exists,\nDo you want to continue?", "C:\\out\\a.jpg", "Yes", "No",
        "Yes to All"}},
      {[] { return new CConfirmationsDlg; }, "Confirmations",
       {"Confirm single file delete", "Confirm multiple file delete", "Confirm un-nested directory delete",
        "Confirm nested directory delete", "Confirm Index Key delete", "Confirm all deletes more than", "Meg"}},
      {[] { return new CGoToPathDlg("C:\\pictures"); }, "Go To Specified Path", {"C:\\pictures"}},
      {[] { return new CCaptureHotKeyDlg(123, 6); }, "Select Capture HotKey",
       {"Press the Key combination you want to assign\nto the screen capture function."}},
      {[] { return new CHotKeysDlg; }, "Vireldan Hot Keys    Ctrl-H",
       {"Image Frame Control", "Main Window Front", "Selection", "Select Like filenames", "Help", "This Screen",
        "File Operations", "GoTo Path", "Slideshow Control", "Advance+Select", "Tools",
        "Ctrl-Alt-W     Quick Web", "Ctrl-X         Launch eXplorer", "Alt-F          Add to Favorites ",
        "Directory Tree View", "Ctrl+Shift-Drop", "1:1 Frame", "Scroll with Arrow Keys", "Home/End/Space"}},
      {[] { return new CTextEntryDlg("Annotation", "a note"); }, "Annotation", {"a note", "OK", "Cancel"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    std::unique_ptr<Dialog> dialog(c.make());
    std::vector<std::string> shown;
    RunDialog(*dialog, c.caption, [&](HWND window) {
      shown = ChildTexts(window);
      ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    ExpectTexts(shown, c.texts);
  }
}

TEST(CommonDialogs, ButtonsGiveTheirAnswers) {
  const struct {
    int button;
    INT_PTR result;
  } renames[] = {{IDC_AUTO_RENAME, 1}, {IDC_RENAME_INDIVIDUALLY, 2}, {IDCANCEL, 0}};
  for (const auto& c : renames) {
    CRenameMultipleDlg dialog;
    EXPECT_EQ(RunDialog(dialog, "Rename multiple files", [&](HWND window) { PressButton(window, c.button); }), c.result);
  }
  const struct {
    int button;
    INT_PTR result;
    bool all;
  } overwrites[] = {{IDOK, IDOK, false}, {IDCANCEL, IDCANCEL, false}, {IDC_YES_TO_ALL, IDOK, true}};
  for (const auto& c : overwrites) {
    CFileExistsDlg dialog("C:\\out\\a.jpg");
    EXPECT_EQ(RunDialog(dialog, "File exists", [&](HWND window) { PressButton(window, c.button); }), c.result);
    EXPECT_EQ(dialog.all, c.all);
  }
}

TEST(CommonDialogs, ConfirmationsChangeTheSettingsOnOkOnly) {
  for (const int button : {IDCANCEL, IDOK}) {
    g_settings.confirmations = {1, 1, 0, 1, 0, 5};  // keydel, single, multi, nonnest, nested, allsize
    g_settings.mainOptions.delkey = 0;
    CConfirmationsDlg dialog;
    std::vector<UINT> states;
    std::string size;
    EXPECT_EQ(RunDialog(dialog, "Confirmations",
                  [&](HWND window) {
                    for (const int id : {IDC_CONFIRM_SINGLE, IDC_CONFIRM_MULTI, IDC_CONFIRM_NONNEST,
                                         IDC_CONFIRM_NESTED, IDC_CONFIRM_KEYDEL, IDC_DELETE_KEY_ON})
                      states.push_back(::IsDlgButtonChecked(window, id));
                    size = ItemText(window, IDC_CONFIRM_ALLSIZE);
                    ::CheckDlgButton(window, IDC_CONFIRM_SINGLE, BST_UNCHECKED);
                    ::CheckDlgButton(window, IDC_CONFIRM_NESTED, BST_CHECKED);
                    ::CheckDlgButton(window, IDC_DELETE_KEY_ON, BST_CHECKED);
                    ::SetDlgItemTextA(window, IDC_CONFIRM_ALLSIZE, "250");
                    PressButton(window, button);
                  }),
              button);
    EXPECT_EQ(states, (std::vector<UINT>{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(size, "5");
    const bool saved = button == IDOK;
    EXPECT_EQ(g_settings.confirmations.single, saved ? 0 : 1);
    EXPECT_EQ(g_settings.confirmations.nested, saved ? 1 : 0);
    EXPECT_EQ(g_settings.confirmations.allsize, saved ? 250 : 5);
    EXPECT_EQ(g_settings.confirmations.multi, 0);
    EXPECT_EQ(g_settings.mainOptions.delkey, saved ? 1 : 0);
  }
}

TEST(CommonDialogs, GoToSelectsTheLastFolderNameAndTakesOnlyPathCharacters) {
  CGoToPathDlg dialog("C:\\pictures\\holiday");
  DWORD start = 0, end = 0;
  EXPECT_EQ(RunDialog(dialog, "Go To Specified Path",
                [&](HWND window) {
                  ::SendDlgItemMessageA(window, IDC_GO_TO_PATH, EM_GETSEL, WPARAM(&start), LPARAM(&end));
                  // The blank, '!', '/' and '*' are no path characters.
                  Type(window, IDC_GO_TO_PATH, "new year!/*_2024");
                  PressButton(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(start, 12u);
  EXPECT_EQ(end, 19u);
  EXPECT_EQ(dialog.path, "C:\\pictures\\newyear_2024");
}

TEST(CommonDialogs, TheFileNameEditRefusesForbiddenCharactersAndASecondHash) {
  CAutoRenameDlg dialog;
  EXPECT_EQ(RunDialog(dialog, "Auto Rename",
                [&](HWND window) {
                  // The format field has the focus with its "#" selected: typing replaces it.
                  Type(window, IDC_RENAME_FORMAT, "PIC#_\"?<>|:/\\*#x");
                  ::SetDlgItemTextA(window, IDC_RENAME_FIRST_NUMBER, "12");
                  PressButton(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(dialog.format, "PIC#_*x");
  EXPECT_EQ(dialog.firstNumberText, "12");
  EXPECT_EQ(dialog.firstNumber, 12);
}

TEST(CommonDialogs, TextEntryAndCaptureHotKeyHandTheirValuesBack) {
  CTextEntryDlg entry("Annotation", "old");
  EXPECT_EQ(RunDialog(entry, "Annotation",
                [&](HWND window) {
                  ::SetDlgItemTextA(window, IDC_TEXT_ENTRY, "a \"quoted\" note");
                  PressButton(window, IDC_TEXT_ENTRY_OK);
                }),
            IDOK);
  EXPECT_EQ(entry.text, "a \"quoted\" note");

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&controls);
  CCaptureHotKeyDlg capture(123, 6);
  LRESULT shown = 0;
  EXPECT_EQ(RunDialog(capture, "Select Capture HotKey",
                [&](HWND window) {
                  const HWND control = ::GetDlgItem(window, IDC_CAPTURE_HOTKEY);
                  shown = ::SendMessageA(control, HKM_GETHOTKEY, 0, 0);
                  ::SendMessageA(control, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
                  PressButton(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(LOWORD(shown), MAKEWORD(123, 6));
  EXPECT_EQ(capture.virtualKey, 'K');
  EXPECT_EQ(capture.modifiers, 3);
}

class ChooseDirectory : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::CoInitialize(nullptr);
    g_program.desktopFolder = folder_.string();
    std::filesystem::create_directories(folder_ / "a" / "b");
  }
  void TearDown() override {
    ::CoUninitialize();
    TempFolderTest::TearDown();
  }
  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }
};

// A typed folder that does not exist selects its nearest ancestor in the tree while the edit
// keeps the text; "New Folder" makes the folder in the tree's selection and shows it.
TEST_F(ChooseDirectory, TheTreeAndTheEditFollowEachOtherAndANewFolderIsMade) {
  CChooseDirDlg dialog(Path("a"));
  dialog.SetNewFolderName("new");
  std::string atStart, typed, selectedName, afterNewFolder;
  bool buttonShown = false;
  EXPECT_EQ(RunDialog(dialog, "Choose Directory",
                      [&](HWND window) {
                        atStart = ItemText(window, IDC_CHOOSE_DIR_PATH);
                        buttonShown = ::IsWindowVisible(::GetDlgItem(window, IDC_NEW_FOLDER)) != FALSE;
                        ::SetDlgItemTextA(window, IDC_CHOOSE_DIR_PATH, Path("a\\b\\missing").c_str());
                        typed = ItemText(window, IDC_CHOOSE_DIR_PATH);
                        const HWND tree = ::GetDlgItem(window, IDC_CHOOSE_DIR_TREE);
                        char name[MAX_PATH] = {};
                        TVITEMA item = {};
                        item.mask = TVIF_TEXT;
                        item.hItem = TreeView_GetSelection(tree);
                        item.pszText = name;
                        item.cchTextMax = sizeof name;
                        ::SendMessageA(tree, TVM_GETITEMA, 0, LPARAM(&item));
                        selectedName = name;
                        PressButton(window, IDC_NEW_FOLDER);
                        const auto madeShown = [&] {
                          afterNewFolder = ItemText(window, IDC_CHOOSE_DIR_PATH);
                          return afterNewFolder.size() > 4 &&
                                 afterNewFolder.compare(afterNewFolder.size() - 4, 4, "\\new") == 0;
                        };
                        for (const DWORD start = ::GetTickCount(); !madeShown() && ::GetTickCount() - start < 10000;)
                          ::Sleep(20);
                        PressButton(window, IDOK);
                      }),
            IDOK);
  EXPECT_EQ(Canonical(atStart), Canonical(Path("a")));
  EXPECT_TRUE(buttonShown);
  EXPECT_EQ(typed, Path("a\\b\\missing"));
  EXPECT_EQ(selectedName, "b");
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "a" / "b" / "new"));
  EXPECT_EQ(Canonical(afterNewFolder), Canonical(Path("a\\b\\new")));
  EXPECT_EQ(dialog.path, afterNewFolder);
}

// With an item selected that is no folder (My Computer), "New Folder" has nowhere to make its
// folder: it says so, and makes none at the top of the current drive.
TEST_F(ChooseDirectory, NewFolderOnAnItemThatIsNoFolderIsRefused) {
  const std::string name = "vireldan-choose-dir-new-folder";
  CChooseDirDlg dialog(Path("a"));
  dialog.SetNewFolderName(name);
  std::string told, shown = "?";
  EXPECT_EQ(RunDialog(dialog, "Choose Directory",
                      [&](HWND window) {
                        // The desktop's first child that is not one of its folders: My Computer.
                        const HWND tree = ::GetDlgItem(window, IDC_CHOOSE_DIR_TREE);
                        for (HTREEITEM item = TreeView_GetChild(tree, TreeView_GetRoot(tree)); item;
                             item = TreeView_GetNextSibling(tree, item)) {
                          TreeView_SelectItem(tree, item);
                          shown = ItemText(window, IDC_CHOOSE_DIR_PATH);
                          if (shown.empty()) break;
                        }
                        PressButton(window, IDC_NEW_FOLDER);
                        told = AnswerMessageBox(IDOK, "Choose Directory");
                        PressButton(window, IDCANCEL);
                      }),
            IDCANCEL);
  EXPECT_EQ(shown, "");
  EXPECT_EQ(told, "Select the folder in which to create the new folder \"" + name + "\".");
  const std::string rooted = "\\" + name;
  EXPECT_FALSE(std::filesystem::exists(rooted));
  std::error_code ignored;
  std::filesystem::remove(rooted, ignored);
}

}  // namespace
