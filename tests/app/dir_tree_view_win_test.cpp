// The folder tree pane under Wine, over real folders: the start folder and the folder-changed
// message, new child and sibling folders, renaming in place, deleting, refusals with their
// messages, the enable rules, the dialogs and the context menus; the keyword index kept true
// when folders are renamed or deleted.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app.h"
#include "app_settings.h"
#include "canonical_path.h"
#include "command_ids.h"
#include "dialog_driver.h"
#include "dir_tree_view.h"
#include "key_index.h"
#include "panes.h"
#include "private_messages.h"
#include "program_state.h"
#include "resource.h"
#include "temp_folder.h"
#include "tree_pane_setup_win.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

// The pane's parent and main window: notes the folder-changed messages the pane posts.
class Host : public Window {
 public:
  std::vector<MSG> folderChanges;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DIR_CHANGED) folderChanges.push_back(MSG{Handle(), message, wParam, lParam, 0, {}});
    return Window::WndProc(message, wParam, lParam);
  }
};

// The pane with its questions answered by the test, and its hooks reachable.
class TestPane : public CDirTreeView {
 public:
  bool cancelCount = false;
  bool realConfirm = false;
  bool confirmAnswer = true;
  int confirmations = 0;
  int permanentAnswer = IDYES;
  int permanentQuestions = 0;
  bool recycleBin = false;

 protected:
  bool CountCancelled() override { return cancelCount; }
  bool ConfirmDelete(const std::string& path, const FolderCounts& counts) override {
    ++confirmations;
    return realConfirm ? CDirTreeView::ConfirmDelete(path, counts) : confirmAnswer;
  }
  int AskPermanentDelete(const std::string&) override {
    ++permanentQuestions;
    return permanentAnswer;
  }
  bool HasRecycleBin(const std::string&) override { return recycleBin; }
};

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// The texts of a dialog's controls, in the order given.
std::vector<std::string> ItemTexts(HWND dialog, std::initializer_list<int> ids) {
  std::vector<std::string> texts;
  for (const int id : ids) {
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    texts.push_back(text);
  }
  return texts;
}

class DirTreePane : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::OleInitialize(nullptr);
    SetTreePaneGlobals(folder_.string());
    g_settings.confirmations.nonnest = 0;
    g_settings.confirmations.nested = 0;
    g_settings.confirmations.allsize = 1000;
    ASSERT_TRUE(CreateTreePaneWindow(host_, pane_));
    fs::create_directories(folder_ / "photos" / "a");
    fs::create_directories(folder_ / "photos" / "b");
  }
  void TearDown() override {
    pane_.Destroy();
    host_.Destroy();
    ::OleUninitialize();
    TempFolderTest::TearDown();
  }

  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }
  void Select(const std::string& path) {
    pane_.SelectPath(path);
    ASSERT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(path));
    Pump();
    host_.folderChanges.clear();
  }
  HWND Edit() const {
    return reinterpret_cast<HWND>(::SendMessageA(pane_.Tree().Handle(), TVM_GETEDITCONTROL, 0, 0));
  }
  // Types the label and ends the edit (or cancels it).
  void EndEdit(const std::string& text, bool cancel = false) {
    const HWND edit = Edit();
    ASSERT_TRUE(edit);
    ::SetWindowTextA(edit, text.c_str());
    ::SendMessageA(pane_.Tree().Handle(), TVM_ENDEDITLABELNOW, cancel, 0);
    Pump();
  }
  bool Enabled(UINT id) {
    CommandState state;
    state.id = id;
    EXPECT_TRUE(pane_.OnUpdateCommand(state));
    return state.enabled;
  }
  // Runs the command, which opens the dialog; notes the dialog's texts, looks at it, and ends it
  // with the button.
  std::vector<std::string> RunDialog(UINT command, const char* caption, std::initializer_list<int> ids, int button,
                                     const std::function<void(HWND)>& look = nullptr) {
    std::vector<std::string> texts;
    UiDriver user([&] {
      HWND dialog = WaitForWindow(caption);
      if (!dialog) return;
      texts = ItemTexts(dialog, ids);
      if (look) look(dialog);
      PressButton(dialog, button);
    });
    pane_.OnCommand(command);
    return texts;
  }
  HTREEITEM RecycleBin() {
    const HTREEITEM root = pane_.Tree().GetRootItem();
    pane_.Tree().Expand(root, TVE_EXPAND);
    for (HTREEITEM child = pane_.Tree().GetChildItem(root); child; child = pane_.Tree().GetNextSiblingItem(child))
      if (pane_.IsRecycleBin(child)) return child;
    return nullptr;
  }

  Host host_;
  TestPane pane_;
};

TEST_F(DirTreePane, StartFolderIsSelectedAndTheFrameIsTold) {
  fs::create_directories(folder_ / "home");
  fs::create_directories(folder_ / "given");
  const struct {
    int openFolder;
    int useHome;
    const char* expected;
  } cases[] = {{0, 0, "photos\\a"}, {0, 1, "home"}, {1, 1, "given"}, {1, 0, "given"}};
  for (const auto& c : cases) {
    g_settings.mainOptions.mainpath = Path("photos\\a") + "\\";
    g_settings.fileOptions.homedirectory = Path("home");
    g_program.commandLinePath = Path("given");
    g_program.openFolderFlag = c.openFolder;
    g_settings.fileOptions.usehomedir = c.useHome;
    pane_.Tree().SelectItem(pane_.Tree().GetRootItem());
    Pump();
    host_.folderChanges.clear();
    ::SendMessageA(pane_.Handle(), WM_TREE_STARTFOLDER, 0, 0);
    EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path(c.expected))) << c.expected;
    Pump();
    ASSERT_EQ(host_.folderChanges.size(), 1u) << c.expected;
    EXPECT_EQ(host_.folderChanges[0].wParam, 0u);
    EXPECT_EQ(host_.folderChanges[0].lParam, 0);
  }
}

TEST_F(DirTreePane, NewChildFolderIsMadeAndNamed) {
  Select(Path("photos"));
  ASSERT_TRUE(pane_.OnCommand(ID_NEW_CHILD_FOLDER));
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "New Folder"));
  EndEdit("Holiday");
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "Holiday"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "New Folder"));
  EXPECT_TRUE(host_.folderChanges.empty());  // naming a new folder leaves the shown folder alone
  EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path("photos")));

  // A second one while "New Folder" exists fails, and says so.
  fs::create_directories(folder_ / "photos" / "New Folder");
  std::string message;
  {
    UiDriver user([&] { message = AnswerMessageBox(); });
    pane_.OnCommand(ID_NEW_CHILD_FOLDER);
  }
  EXPECT_EQ(message, "Error creating 'New Folder'");
}

TEST_F(DirTreePane, NewSiblingFolderWhoseNamingIsCancelledKeepsItsName) {
  Select(Path("photos\\a"));
  ASSERT_TRUE(pane_.OnCommand(ID_NEW_SIBLING_FOLDER));
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "New Folder"));
  EndEdit("ignored", true);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "New Folder"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "ignored"));
}

TEST_F(DirTreePane, RenameInPlaceKeepsTheFolderSelected) {
  Select(Path("photos\\a"));
  ASSERT_TRUE(pane_.OnCommand(ID_RENAME_FOLDER));
  EndEdit("  summer  ");
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "summer"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "a"));
  EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path("photos\\summer")));
  EXPECT_EQ(pane_.Tree().GetItemText(pane_.GetSelectedItem()), "summer");
  EXPECT_FALSE(host_.folderChanges.empty());
}

TEST_F(DirTreePane, CancelledRenameChangesNothing) {
  Select(Path("photos\\a"));
  ASSERT_TRUE(pane_.OnCommand(ID_RENAME_FOLDER));
  EndEdit("other", true);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "other"));
  EXPECT_TRUE(host_.folderChanges.empty());
}

TEST_F(DirTreePane, SlashesInANewNameBecomeUnderscores) {
  const struct {
    const char* command;
    UINT id;
    const char* selected;
    const char* label;
    const char* made;
  } cases[] = {
      {"rename", ID_RENAME_FOLDER, "photos\\a", "12/2001", "12_2001"},
      {"new child folder", ID_NEW_CHILD_FOLDER, "photos", " /x/ ", "_x_"},
  };
  for (const auto& c : cases) {
    Select(Path(c.selected));
    ASSERT_TRUE(pane_.OnCommand(c.id)) << c.command;
    EndEdit(c.label);
    EXPECT_TRUE(fs::is_directory(folder_ / "photos" / c.made)) << c.command;
  }
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "a"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "New Folder"));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "12")) << "no folder is made inside another";
}

TEST_F(DirTreePane, BadNamesAreRefusedWithAMessage) {
  for (const char* label : {"a\\b", "x:y", "*", "what?", "\"q\"", "<a>", "a|b", ".", "..", "", "   ", "dots."}) {
    Select(Path("photos\\a"));
    ASSERT_TRUE(pane_.OnCommand(ID_RENAME_FOLDER));
    std::string message;
    {
      UiDriver user([&] { message = AnswerMessageBox(); });
      EndEdit(label);
    }
    EXPECT_EQ(message, kBadFolderNameMessage) << label;
    EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a")) << label;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "photos"), fs::directory_iterator()), 2) << label;
  }
}

TEST_F(DirTreePane, ItemsThatAreNotFoldersAreNotRenamed) {
  const HTREEITEM driveC = pane_.Tree().FindItemByPath("C:\\");
  ASSERT_TRUE(driveC);
  pane_.Tree().SelectItem(driveC);
  ASSERT_TRUE(pane_.OnCommand(ID_RENAME_F2));
  EXPECT_FALSE(Edit());  // F2 does nothing on a drive
  ASSERT_TRUE(pane_.OnCommand(ID_RENAME_FOLDER));  // the command starts an edit that is refused
  std::string message;
  {
    UiDriver user([&] { message = AnswerMessageBox(); });
    EndEdit("D");
  }
  EXPECT_EQ(message, "Unable to rename.\nThis is not a folder item.");
}

TEST_F(DirTreePane, EnableRulesFollowTheItemKind) {
  const struct {
    const char* name;
    HTREEITEM item;
    bool child, sibling, rename, remove, properties;
  } cases[] = {
      {"folder", pane_.Tree().FindItemByPath(Path("photos")), true, true, true, true, true},
      {"desktop", pane_.Tree().GetRootItem(), true, false, true, false, true},
      {"drive", pane_.Tree().FindItemByPath("C:\\"), true, false, true, false, true},
      {"recycle bin", RecycleBin(), false, false, true, false, false},
      {"screen saver", pane_.Tree().GetChildItem(pane_.Tree().GetRootItem()), false, false, false, false, false},
      {"my computer", pane_.Tree().GetParentItem(pane_.Tree().FindItemByPath("C:\\")), false, false, false, false,
       false},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.item) << c.name;
    pane_.Tree().SelectItem(c.item);
    EXPECT_EQ(Enabled(ID_NEW_CHILD_FOLDER), c.child) << c.name;
    EXPECT_EQ(Enabled(ID_NEW_SIBLING_FOLDER), c.sibling) << c.name;
    EXPECT_EQ(Enabled(ID_RENAME_FOLDER), c.rename) << c.name;
    EXPECT_EQ(Enabled(ID_DELETE_FOLDER), c.remove) << c.name;
    EXPECT_EQ(Enabled(ID_FOLDER_PROPERTIES), c.properties) << c.name;
    EXPECT_TRUE(Enabled(ID_RENAME_F2)) << c.name;
    EXPECT_TRUE(Enabled(ID_SCREENSAVER_PREVIEW)) << c.name;
  }
  EXPECT_TRUE(CDirTreeView::IsFolderCommand(ID_DELETE_FOLDER));
  EXPECT_TRUE(CDirTreeView::IsFolderCommand(ID_NEW_CHILD_FOLDER));
  EXPECT_FALSE(CDirTreeView::IsFolderCommand(ID_RENAME_F2));
  EXPECT_FALSE(CDirTreeView::IsFolderCommand(ID_REFRESH));
}

TEST_F(DirTreePane, RootsAndTheRecycleBinAreNeverDeleted) {
  const HTREEITEM targets[] = {pane_.Tree().GetRootItem(), pane_.Tree().FindItemByPath("C:\\"), RecycleBin()};
  for (const HTREEITEM target : targets) {
    ASSERT_TRUE(target);
    pane_.Tree().SelectItem(target);
    std::string message;
    {
      UiDriver user([&] { message = AnswerMessageBox(); });
      pane_.OnCommand(ID_DELETE_FOLDER);
    }
    EXPECT_EQ(message, kCannotDeleteMessage);
  }
  EXPECT_EQ(pane_.confirmations + pane_.permanentQuestions, 0);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a"));
}

TEST_F(DirTreePane, DeleteRemovesTheFolderAndItsItem) {
  std::ofstream(folder_ / "photos" / "a" / "one.jpg") << "x";
  Select(Path("photos\\a"));
  const HTREEITEM parent = pane_.Tree().GetParentItem(pane_.GetSelectedItem());
  ASSERT_TRUE(pane_.OnCommand(ID_DELETE_FOLDER));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "a"));
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "b"));
  EXPECT_EQ(pane_.confirmations, 0);  // no rule asked
  EXPECT_EQ(pane_.permanentQuestions, 1);  // this drive has no recycle bin: asked first
  EXPECT_EQ(pane_.GetSelectedItem(), parent);
  std::vector<std::string> children;
  for (HTREEITEM child = pane_.Tree().GetChildItem(parent); child; child = pane_.Tree().GetNextSiblingItem(child))
    children.push_back(pane_.Tree().GetItemText(child));
  EXPECT_EQ(children, std::vector<std::string>{"b"});
  Pump();
  EXPECT_FALSE(host_.folderChanges.empty());
}

// The folder's index as read back, with its summary.
KeyIndexContents IndexIn(const fs::path& folder) {
  std::ifstream in(folder / kKeyIndexFileName, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  KeyIndexContents contents;
  ParseKeyIndex(bytes.data(), bytes.size(), true, &contents);
  return contents;
}

// Before a folder is renamed or deleted, the index the program holds open below it is written;
// afterwards the summaries of every folder above no longer claim what lay below.
TEST_F(DirTreePane, RenamingOrDeletingAFolderWritesItsOpenIndexAndClearsTheSummariesAbove) {
  KeyIndexContents summarised;
  summarised.summary.push_back({"a\\x.jpg", "", {{FindOrInsertPath(summarised.tree, "K")}}});
  const std::vector<uint8_t> summary = KeyIndexBytes(summarised, true);
  const auto putSummaries = [&] {
    for (const fs::path& folder : {folder_, folder_ / "photos"})
      std::ofstream(folder / kKeyIndexFileName, std::ios::binary)
          .write(reinterpret_cast<const char*>(summary.data()), std::streamsize(summary.size()));
  };
  const auto summariesLeft = [&] {
    return IndexIn(folder_).summary.size() + IndexIn(folder_ / "photos").summary.size();
  };
  CKeyNode* key = FindOrInsertPath(g_keyIndex.MasterTree(), "K");
  key->treeItem = key;

  putSummaries();
  g_keyIndex.SetFileKey(key, Path("photos\\a\\x.jpg"), true);
  Select(Path("photos\\a"));
  ASSERT_TRUE(pane_.OnCommand(ID_RENAME_FOLDER));
  EndEdit("summer");
  ASSERT_TRUE(fs::is_directory(folder_ / "photos" / "summer"));
  ASSERT_EQ(IndexIn(folder_ / "photos" / "summer").entries.size(), 1u);
  EXPECT_EQ(IndexIn(folder_ / "photos" / "summer").entries.front().name, "x.jpg");
  EXPECT_EQ(summariesLeft(), 0u);

  putSummaries();
  g_keyIndex.SetFileKey(key, Path("photos\\b\\y.jpg"), true);
  Select(Path("photos\\b"));
  ASSERT_TRUE(pane_.OnCommand(ID_DELETE_FOLDER));
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "b"));
  EXPECT_EQ(summariesLeft(), 0u);
  g_keyIndex.Clear();
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "b")) << "nothing wrote the deleted folder's index back";
}

TEST_F(DirTreePane, DeleteStopsWhenTheUserSaysNo) {
  fs::create_directories(folder_ / "photos" / "a" / "inner");
  g_settings.confirmations.nested = 1;
  Select(Path("photos\\a"));
  pane_.confirmAnswer = false;
  pane_.OnCommand(ID_DELETE_FOLDER);
  EXPECT_EQ(pane_.confirmations, 1);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a" / "inner"));

  pane_.confirmAnswer = true;
  pane_.permanentAnswer = IDNO;
  pane_.OnCommand(ID_DELETE_FOLDER);
  EXPECT_EQ(pane_.permanentQuestions, 1);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a" / "inner"));
}

TEST_F(DirTreePane, CancelledCountDeletesNothing) {
  std::ofstream(folder_ / "photos" / "a" / "one.jpg") << "x";
  g_settings.confirmations.nonnest = 1;
  Select(Path("photos\\a"));
  pane_.cancelCount = true;
  pane_.OnCommand(ID_DELETE_FOLDER);
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "a"));
  EXPECT_EQ(pane_.confirmations + pane_.permanentQuestions, 0);
  EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path("photos\\a")));
}

TEST_F(DirTreePane, ConfirmDeleteDialogShowsTheCountsAndItsDeleteButtonGoesOn) {
  fs::create_directories(folder_ / "photos" / "a" / "inner");
  std::ofstream(folder_ / "photos" / "a" / "one.jpg") << std::string(3000, 'x');
  std::ofstream(folder_ / "photos" / "a" / "inner" / "two.jpg") << std::string(2000, 'x');
  g_settings.confirmations.nonnest = 1;
  pane_.realConfirm = true;
  Select(Path("photos\\a"));
  bool cancelFocused = false;
  const std::vector<std::string> texts = RunDialog(
      ID_DELETE_FOLDER, "Confirm delete",
      {IDC_FOLDER_PATH, IDC_DELETE_FILES, IDC_DELETE_FOLDERS, IDC_DELETE_KILOBYTES, IDC_DELETE_BUTTON},
      IDC_DELETE_BUTTON, [&](HWND dialog) {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        cancelFocused = ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &gui) &&
                        gui.hwndFocus == ::GetDlgItem(dialog, IDCANCEL);
      });
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(Canonical(texts[0]), Canonical(Path("photos\\a")));
  EXPECT_EQ(texts[1], "2 files");
  EXPECT_EQ(texts[2], "1 directories");
  EXPECT_EQ(texts[3], "4 kilobytes");
  EXPECT_EQ(texts[4], "Delete");
  EXPECT_TRUE(cancelFocused);  // Enter does not delete
  EXPECT_FALSE(fs::exists(folder_ / "photos" / "a"));
}

TEST_F(DirTreePane, PropertiesCountFilesOfFourGigabytes) {
  const HANDLE big = ::CreateFileA(Path("photos\\b\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER length;
  length.QuadPart = 5000000000LL;
  ::SetFilePointerEx(big, length, nullptr, FILE_BEGIN);
  ::SetEndOfFile(big);
  ::CloseHandle(big);
  std::ofstream(folder_ / "photos" / "a" / "one.jpg") << std::string(1000, 'x');
  Select(Path("photos"));
  const std::vector<std::string> texts =
      RunDialog(ID_FOLDER_PROPERTIES, "Directory Properties",
                {IDC_FOLDER_PATH, IDC_PROPERTIES_FOLDERS, IDC_PROPERTIES_FILES, IDC_PROPERTIES_TOTAL,
                 IDC_PROPERTIES_AVAILABLE, IDC_PROPERTIES_FREE},
                IDOK);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(Canonical(texts[0]), Canonical(Path("photos")));
  EXPECT_EQ(texts[1], "2 Directories");
  EXPECT_EQ(texts[2], "2 Files");
  EXPECT_EQ(texts[3], "4768.3 MB  total files");
  EXPECT_NE(texts[4].find("MB  available on this drive"), std::string::npos);
  EXPECT_NE(texts[5].find("MB  free on this drive"), std::string::npos);
}

// The main frame hands the folder commands to the program's folder tree pane wherever the focus
// is; F2 and the frame's own commands stay where they are.
TEST_F(DirTreePane, FolderCommandsReachTheProgramsPaneFromTheFrame) {
  ASSERT_TRUE(CreateFolderTreePane(host_.Handle(), 0xE901));
  SelectFolderInTree(Path("photos\\b"));
  EXPECT_EQ(Canonical(FolderTreeSelectedPath()), Canonical(Path("photos\\b")));
  for (const UINT id : {ID_NEW_CHILD_FOLDER, ID_NEW_SIBLING_FOLDER, ID_RENAME_FOLDER, ID_DELETE_FOLDER,
                        ID_FOLDER_PROPERTIES, ID_SCREENSAVER_ACTIVATE}) {
    CommandState state;
    state.id = id;
    EXPECT_TRUE(UpdateFolderTreeCommand(state)) << id;
    EXPECT_TRUE(state.enabled) << id;
  }
  for (const UINT id : {UINT(ID_RENAME_F2), UINT(ID_REFRESH), UINT(ID_DELETE_FILES)}) {
    CommandState state;
    state.id = id;
    EXPECT_FALSE(UpdateFolderTreeCommand(state)) << id;
    EXPECT_FALSE(RunFolderTreeCommand(id)) << id;
  }
  EXPECT_TRUE(RunFolderTreeCommand(ID_NEW_CHILD_FOLDER));
  EXPECT_TRUE(fs::is_directory(folder_ / "photos" / "b" / "New Folder"));
  ::DestroyWindow(FolderTreeWindow());
}

TEST(DirTreeMenus, ContextMenusByItemKind) {
  const HMENU menus = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  ASSERT_TRUE(menus);
  const auto ids = [&](int index) {
    std::vector<UINT> found;
    const HMENU menu = ::GetSubMenu(menus, index);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
      if (const UINT id = ::GetMenuItemID(menu, i)) found.push_back(id);
    return found;
  };
  EXPECT_EQ(ids(1), (std::vector<UINT>{ID_NEW_CHILD_FOLDER, ID_NEW_SIBLING_FOLDER, ID_RENAME_FOLDER, ID_DELETE_FOLDER,
                                       ID_FOLDER_PROPERTIES, ID_SUBFOLDER_CONTENTS, ID_EXPLORE}));
  EXPECT_EQ(ids(5), (std::vector<UINT>{ID_SCREENSAVER_ACTIVATE, ID_SCREENSAVER_PREVIEW}));
  ::DestroyMenu(menus);
}

}  // namespace
