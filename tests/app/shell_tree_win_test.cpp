// The shell folder tree under Wine, over real folders: the desktop root and its screen-saver
// item, drives under My Computer, lazy filling, finding and selecting paths, hidden folders,
// sorting, refreshes, the owner's private messages, renaming and folder shortcuts.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "canonical_path.h"
#include "shell_shortcuts.h"
#include "shell_tree_ctrl.h"
#include "shell_tree_messages.h"
#include "temp_folder.h"
#include "window.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

constexpr char kSaverFolder[] = "C:\\Program Files\\Vireldan\\vnsaver";
constexpr char kSaverProgram[] = "C:\\Program Files\\Vireldan\\vnsaver.scr";

// The tree's parent window: reflects the tree's notifications to it and notes what the tree
// forwards.
class TreeHost : public Window {
 public:
  std::vector<MSG> forwarded;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TREE_TAB || message == WM_RBUTTONDOWN) forwarded.push_back(MSG{Handle(), message, wParam, lParam, 0, {}});
    return Window::WndProc(message, wParam, lParam);
  }
};

// Notes where the selection is about to go.
class WatchedTree : public CShellTreeCtrl {
 public:
  std::vector<HTREEITEM> selectionsComing;

 protected:
  void SelChanging(HTREEITEM newItem) override { selectionsComing.push_back(newItem); }
};

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class ShellTree : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::CoInitialize(nullptr);
    ASSERT_TRUE(host_.Create(0, "Shell tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 640, nullptr, nullptr));
    tree_.SetDesktopPath(folder_.string());
    tree_.SetScreenSaverPaths(kSaverFolder, kSaverProgram);
    ASSERT_TRUE(tree_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 400, 600}, host_.Handle(), 256));
  }
  void TearDown() override {
    tree_.Destroy();
    host_.Destroy();
    ::CoUninitialize();
    TempFolderTest::TearDown();
  }

  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }
  void MakeFolders(const Texts& relatives) const {
    for (const std::string& relative : relatives) fs::create_directories(folder_ / relative);
  }
  // The test's own folder, found (and its parents expanded) through the shell.
  HTREEITEM Top() {
    const HTREEITEM top = tree_.FindItemByPath(folder_.string());
    EXPECT_EQ(Canonical(tree_.GetItemPath(top)), Canonical(folder_.string()));
    return top;
  }
  Texts ChildTexts(HTREEITEM parent) const {
    Texts texts;
    for (HTREEITEM child = tree_.GetChildItem(parent); child; child = tree_.GetNextSiblingItem(child)) {
      texts.push_back(tree_.GetItemText(child));
    }
    return texts;
  }
  // A child by its text, without expanding anything.
  HTREEITEM Child(HTREEITEM parent, const std::string& text) const {
    HTREEITEM child = tree_.GetChildItem(parent);
    while (child && tree_.GetItemText(child) != text) child = tree_.GetNextSiblingItem(child);
    return child;
  }
  bool Expanded(HTREEITEM item) const { return tree_.GetItemState(item, TVIS_EXPANDED) != 0; }
  bool SamePath(HTREEITEM item, const std::string& path) const {
    return Canonical(tree_.GetItemPath(item)) == Canonical(path);
  }

  TreeHost host_;
  WatchedTree tree_;
};

// A folder outside the test's own (on a drive's root, on the desktop), removed again with all
// it holds.
class ScopedFolder {
 public:
  explicit ScopedFolder(const fs::path& path) : path_(path) { fs::create_directories(path_); }
  ~ScopedFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScopedFolder(const ScopedFolder&) = delete;
  ScopedFolder& operator=(const ScopedFolder&) = delete;

 private:
  fs::path path_;
};

TEST_F(ShellTree, TheRootIsTheDesktopAndFillsOnlyWhenExpanded) {
  const HTREEITEM root = tree_.GetRootItem();
  ASSERT_TRUE(root);
  EXPECT_EQ(tree_.GetNextSiblingItem(root), nullptr);
  EXPECT_EQ(tree_.GetItemText(root), "Desktop");
  EXPECT_EQ(tree_.GetItemDepth(root), 1);
  EXPECT_TRUE(tree_.IsRootItem(root));
  EXPECT_TRUE(tree_.IsFileSystemItem(root));
  EXPECT_EQ(tree_.GetItemPath(root), folder_.string());  // the desktop path the program gave
  EXPECT_EQ(tree_.CountChildren(root), 0);  // nothing enumerated before the first expansion
  EXPECT_TRUE(tree_.HasChildrenMarker(root));
  tree_.InitialFill();  // a second fill adds nothing
  EXPECT_EQ(tree_.GetNextSiblingItem(root), nullptr);

  ASSERT_TRUE(tree_.Expand(root, TVE_EXPAND));
  const HTREEITEM saver = tree_.GetChildItem(root);
  EXPECT_EQ(tree_.GetItemText(saver), "VN Screen Saver");
  EXPECT_TRUE(tree_.IsScreenSaverItem(saver));
  EXPECT_FALSE(tree_.IsFileSystemItem(saver));
  EXPECT_EQ(tree_.GetItemPath(saver), kSaverFolder);
  EXPECT_EQ(tree_.GetItemDepth(saver), 2);
  EXPECT_FALSE(tree_.HasChildrenMarker(saver));
  int savers = 0;
  for (HTREEITEM child = saver; child; child = tree_.GetNextSiblingItem(child)) savers += tree_.IsScreenSaverItem(child);
  EXPECT_EQ(savers, 1);
  EXPECT_GT(tree_.CountChildren(root), 2);

  tree_.SelectItem(saver);
  EXPECT_EQ(tree_.GetImageKind(), 5);
  EXPECT_EQ(tree_.GetSelectedPath(), kSaverFolder);
  tree_.SelectItem(root);
  EXPECT_EQ(tree_.GetImageKind(), 1);
}

TEST_F(ShellTree, MyComputerListsTheDrivesButNoVirtualFolders) {
  const HTREEITEM driveC = tree_.FindItemByPath("C:\\");
  ASSERT_TRUE(driveC);
  const HTREEITEM myComputer = tree_.GetParentItem(driveC);
  EXPECT_EQ(tree_.GetItemDepth(myComputer), 2);
  EXPECT_EQ(tree_.GetItemDepth(driveC), 3);
  EXPECT_FALSE(tree_.IsFileSystemItem(myComputer));
  EXPECT_FALSE(tree_.IsDriveRoot(myComputer));

  // The shell's own My Computer lists Control Panel among its folders; the tree leaves it out.
  const Texts drives = ChildTexts(myComputer);
  EXPECT_EQ(std::count(drives.begin(), drives.end(), "Control Panel"), 0);
  Texts parsePaths;
  for (HTREEITEM drive = tree_.GetChildItem(myComputer); drive; drive = tree_.GetNextSiblingItem(drive)) {
    parsePaths.push_back(tree_.GetItemRawPath(drive));
    EXPECT_TRUE(tree_.IsDriveRoot(drive)) << tree_.GetItemRawPath(drive);
    EXPECT_TRUE(tree_.IsFileSystemItem(drive));
  }
  EXPECT_NE(std::find(parsePaths.begin(), parsePaths.end(), "C:\\"), parsePaths.end());
  EXPECT_NE(std::find(parsePaths.begin(), parsePaths.end(), "Z:\\"), parsePaths.end());

  // The Recycle Bin is a child of the root, and counts as a file-system item.
  int recycleBins = 0;
  for (HTREEITEM child = tree_.GetChildItem(tree_.GetRootItem()); child; child = tree_.GetNextSiblingItem(child)) {
    if (!tree_.IsRecycleBin(child)) continue;
    ++recycleBins;
    EXPECT_TRUE(tree_.IsFileSystemItem(child));
  }
  EXPECT_EQ(recycleBins, 1);
}

TEST_F(ShellTree, ItemPathsOfEachKind) {
  MakeFolders({"photos"});
  const HTREEITEM driveC = tree_.FindItemByPath("C:\\");
  const HTREEITEM photos = tree_.FindItemByPath(Path("photos"));
  const struct {
    HTREEITEM item;
    std::string path;
  } cases[] = {
      {tree_.GetRootItem(), folder_.string()},
      {driveC, "C:"},
      {tree_.GetParentItem(driveC), ""},  // My Computer
      {photos, Path("photos")},
      {nullptr, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lower(tree_.GetItemPath(c.item)), Lower(c.path)) << tree_.GetItemText(c.item);
  }
  EXPECT_EQ(Lower(tree_.GetItemRawPath(photos)), Lower(Path("photos")));
  EXPECT_EQ(tree_.GetItemDisplayName(photos), "photos");
  EXPECT_FALSE(tree_.IsDriveRoot(photos));
  EXPECT_TRUE(tree_.IsFileSystemItem(photos));
  tree_.SelectItem(driveC);
  EXPECT_EQ(tree_.GetSelectedPath(), "C:");
  EXPECT_TRUE(tree_.IsDriveRoot());  // no item: the selection
  EXPECT_EQ(tree_.GetSelectedLinkPath(), "");
}

TEST_F(ShellTree, FoldersAppearOnlyWhenTheirParentIsExpanded) {
  MakeFolders({"album\\day one", "album\\day two", "empty"});
  const HTREEITEM top = Top();
  ASSERT_TRUE(top);
  EXPECT_TRUE(Expanded(tree_.GetParentItem(top)));  // the way down was opened
  EXPECT_FALSE(Expanded(top));
  EXPECT_EQ(tree_.CountChildren(top), 0);
  ASSERT_TRUE(tree_.Expand(top, TVE_EXPAND));
  EXPECT_EQ(ChildTexts(top), (Texts{"album", "empty"}));
  const HTREEITEM album = Child(top, "album");
  EXPECT_EQ(tree_.CountChildren(album), 0);
  EXPECT_TRUE(tree_.HasChildrenMarker(album));
  ASSERT_TRUE(tree_.Expand(album, TVE_EXPAND));
  EXPECT_EQ(ChildTexts(album), (Texts{"day one", "day two"}));
  // Expanding a folder without subfolders finds nothing and takes its expand button away.
  const HTREEITEM empty = Child(top, "empty");
  EXPECT_FALSE(tree_.Expand(empty, TVE_EXPAND));
  EXPECT_FALSE(tree_.HasChildrenMarker(empty));
  EXPECT_EQ(tree_.CountChildren(empty), 0);
}

TEST_F(ShellTree, ClickingAnExpandButtonFillsTheFolder) {
  MakeFolders({"outer\\inner"});
  const HTREEITEM top = Top();
  ASSERT_TRUE(tree_.Expand(top, TVE_EXPAND));
  const HTREEITEM outer = Child(top, "outer");
  ASSERT_TRUE(outer);
  tree_.EnsureVisible(outer);
  RECT button = {};
  std::memcpy(&button, &outer, sizeof outer);  // the item goes in, its label's rectangle comes out
  ASSERT_TRUE(::SendMessageA(tree_.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&button)));
  // A double click on the label toggles the item, as the user would open it.
  const LPARAM point = MAKELPARAM(button.left + 2, (button.top + button.bottom) / 2);
  ::SendMessageA(tree_.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  EXPECT_EQ(ChildTexts(outer), Texts{"inner"});
}

TEST_F(ShellTree, PathsAreFoundDownDeepFolders) {
  MakeFolders({"one\\two\\three\\four\\five\\six"});
  const std::string five = Path("one\\two\\three\\four\\five");
  const HTREEITEM found = tree_.FindItemByPath(five);
  ASSERT_TRUE(found);
  EXPECT_TRUE(SamePath(found, five));
  EXPECT_EQ(tree_.GetItemText(found), "five");
  EXPECT_EQ(tree_.GetItemDepth(found), tree_.GetItemDepth(Top()) + 5);
  EXPECT_TRUE(Expanded(tree_.GetParentItem(found)));
  EXPECT_FALSE(Expanded(found));
  EXPECT_EQ(tree_.FindItemByPath(five + "\\"), found);

  EXPECT_EQ(tree_.ExpandPath(five), found);
  EXPECT_TRUE(Expanded(found));
  EXPECT_EQ(ChildTexts(found), Texts{"six"});

  const std::string displayPath = tree_.GetItemDisplayPath(found);
  EXPECT_EQ(displayPath.rfind("Desktop\\", 0), 0u) << displayPath;
  const std::string tail = "\\one\\two\\three\\four\\five\\";
  EXPECT_EQ(displayPath.substr(displayPath.size() - tail.size()), tail);
  EXPECT_EQ(tree_.FindItemByDisplayPath(displayPath), found);
  EXPECT_EQ(tree_.SelectDisplayPath(displayPath), found);
  EXPECT_EQ(tree_.GetSelectedItem(), found);

  EXPECT_EQ(tree_.FindItemByPath(""), nullptr);
  EXPECT_EQ(tree_.FindItemByPath(Path("not there")), nullptr);
  EXPECT_EQ(tree_.FindItemByPath("C:\\" + std::string(300, 'x')), nullptr);
  // Forms the shell must never see: Wine's shell crashes on a Unix path.
  for (const char* path : {"/tmp", "/tmp/", "photos", "C:photos", "C:\\photos\\..\\x", "C:\\*"})
    EXPECT_EQ(tree_.FindItemByPath(path), nullptr) << path;
}

TEST_F(ShellTree, SelectNearestPathFallsBackToTheNearestExistingFolder) {
  MakeFolders({"kept\\gone", "kept\\still"});
  fs::remove(folder_ / "kept" / "gone");
  const struct {
    std::string path;
    std::string selected;
  } cases[] = {
      {Path("kept\\still"), Path("kept\\still")},
      {Path("kept\\gone"), Path("kept")},                  // a deleted subfolder: its parent
      {Path("kept\\gone\\deeper"), Path("kept")},          // two missing levels: two levels up
      {Path("kept\\still\\"), Path("kept\\still")},
      {"C:\\no such folder of vireldan\\deeper", "C:"},  // nothing left but the drive: the drive
      {"C:\\no such folder of vireldan", "C:"},
  };
  for (const auto& c : cases) {
    const HTREEITEM item = tree_.SelectNearestPath(c.path);
    ASSERT_TRUE(item) << c.path;
    EXPECT_EQ(tree_.GetSelectedItem(), item);
    EXPECT_EQ(Canonical(tree_.GetSelectedPath()), Canonical(c.selected)) << c.path;
  }
  // Nothing to select: the selection stays where it was.
  const HTREEITEM before = tree_.GetSelectedItem();
  EXPECT_EQ(tree_.SelectNearestPath(""), nullptr);
  EXPECT_EQ(tree_.SelectNearestPath("ab"), nullptr);
  EXPECT_EQ(tree_.GetSelectedItem(), before);
  // A drive that does not exist selects no folder (at most My Computer, where the shell stops).
  tree_.SelectNearestPath("Q:\\missing\\folder");
  EXPECT_EQ(tree_.GetSelectedPath(), "");
  EXPECT_FALSE(tree_.IsFileSystemItem());
}

// A folder the tree does not show (hidden) must not let the rest of a path match a namesake
// elsewhere: the walk stops where the path leaves the tree.
TEST_F(ShellTree, AWalkStopsAtTheFirstFolderItCannotFind) {
  MakeFolders({".private\\same", "same"});
  ::SetFileAttributesA(Path(".private").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(::GetFileAttributesA(Path(".private").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  const HTREEITEM top = Top();
  const HTREEITEM found = tree_.FindItemByPath(Path(".private\\same"));
  EXPECT_EQ(found, top);
  EXPECT_EQ(tree_.SelectNearestPath(Path(".private\\same")), top);
  EXPECT_EQ(ChildTexts(top), Texts{"same"});
}

TEST_F(ShellTree, HiddenFoldersShowOnlyWhenAskedFor) {
  MakeFolders({".secret\\inside", "plain"});
  ::SetFileAttributesA(Path(".secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(::GetFileAttributesA(Path(".secret").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  const HTREEITEM top = Top();
  tree_.Expand(top, TVE_EXPAND);
  EXPECT_EQ(ChildTexts(top), Texts{"plain"});

  tree_.SetShowHidden(true);
  tree_.Refresh(top);
  EXPECT_EQ(ChildTexts(top), (Texts{".secret", "plain"}));
  const HTREEITEM inside = tree_.FindItemByPath(Path(".secret\\inside"));
  EXPECT_EQ(inside, Child(Child(top, ".secret"), "inside"));

  tree_.SetShowHidden(false);
  tree_.Refresh(top);
  EXPECT_EQ(ChildTexts(top), Texts{"plain"});
}

TEST_F(ShellTree, DesktopFoldersHangFromTheRoot) {
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string name = "vireldan shelltree desktop test";
  const ScopedFolder made(fs::path(desktop) / name);
  fs::create_directories(fs::path(desktop) / name / ".hidden");
  fs::create_directories(fs::path(desktop) / name / "shown");
  ::SetFileAttributesA((fs::path(desktop) / name / ".hidden").string().c_str(), FILE_ATTRIBUTE_HIDDEN);
  tree_.SetShowHidden(true);
  const HTREEITEM root = tree_.GetRootItem();
  tree_.Expand(root, TVE_EXPAND);
  const HTREEITEM onDesktop = Child(root, name);
  ASSERT_TRUE(onDesktop);
  EXPECT_EQ(tree_.GetItemDepth(onDesktop), 2);
  EXPECT_TRUE(tree_.IsFileSystemItem(onDesktop));
  // Hidden folders are shown in every file-system folder but drive roots, desktop ones included.
  ASSERT_TRUE(tree_.Expand(onDesktop, TVE_EXPAND));
  EXPECT_EQ(ChildTexts(onDesktop), (Texts{".hidden", "shown"}));

  // A folder put on the desktop by the owner goes in its place; the screen-saver item stays first.
  const std::string added = "vireldan shelltree added";
  const ScopedFolder madeToo(fs::path(desktop) / added);
  ::SendMessageA(tree_.Handle(), WM_TREE_INSERTFOLDER, WPARAM(root), LPARAM((fs::path(desktop) / added).string().c_str()));
  EXPECT_TRUE(tree_.IsScreenSaverItem(tree_.GetChildItem(root)));
  EXPECT_NE(Child(root, added), nullptr);
}

TEST_F(ShellTree, FoldersAreSortedInTheShellsOrder) {
  MakeFolders({"zulu", "Bravo", "alpha", "Charlie", "delta"});
  const HTREEITEM top = Top();
  tree_.Expand(top, TVE_EXPAND);
  EXPECT_EQ(ChildTexts(top), (Texts{"alpha", "Bravo", "Charlie", "delta", "zulu"}));
}

TEST_F(ShellTree, RefreshKeepsExpandedFoldersAndTheSelection) {
  MakeFolders({"a\\a1\\a2", "b\\b1", "c\\c1", "d\\d1\\d2"});
  const HTREEITEM top = Top();
  tree_.Expand(tree_.FindItemByPath(Path("a\\a1")), TVE_EXPAND);
  tree_.Expand(tree_.FindItemByPath(Path("d\\d1")), TVE_EXPAND);
  tree_.SelectItem(Child(top, "c"));
  ASSERT_FALSE(Expanded(Child(top, "c")));
  MakeFolders({"new", "a\\a1\\fresh"});
  fs::remove_all(folder_ / "d" / "d1");  // expanded, then gone

  tree_.Refresh();
  const HTREEITEM refreshed = tree_.GetParentItem(tree_.GetSelectedItem());
  EXPECT_TRUE(SamePath(refreshed, folder_.string()));
  EXPECT_TRUE(SamePath(tree_.GetSelectedItem(), Path("c")));
  EXPECT_FALSE(Expanded(tree_.GetSelectedItem()));
  EXPECT_TRUE(Expanded(refreshed));
  EXPECT_EQ(ChildTexts(refreshed), (Texts{"a", "b", "c", "d", "new"}));
  const HTREEITEM a = Child(refreshed, "a");
  EXPECT_TRUE(Expanded(a));
  EXPECT_TRUE(Expanded(Child(a, "a1")));
  EXPECT_EQ(ChildTexts(Child(a, "a1")), (Texts{"a2", "fresh"}));
  EXPECT_FALSE(Expanded(Child(refreshed, "b")));
  const HTREEITEM d = Child(refreshed, "d");  // its only (expanded) folder is gone
  EXPECT_FALSE(Expanded(d));
  EXPECT_FALSE(tree_.HasChildrenMarker(d));

  // One folder's subtree: its own expanded folders stay expanded, new ones appear.
  MakeFolders({"a\\a1\\later", "a\\a3"});
  tree_.Refresh(a);
  EXPECT_TRUE(Expanded(a));
  EXPECT_EQ(ChildTexts(a), (Texts{"a1", "a3"}));
  EXPECT_TRUE(Expanded(Child(a, "a1")));
  EXPECT_EQ(ChildTexts(Child(a, "a1")), (Texts{"a2", "fresh", "later"}));
  EXPECT_TRUE(SamePath(tree_.GetSelectedItem(), Path("c")));
}

TEST_F(ShellTree, RefreshDriveForgetsTheFoldersOfThatDriveOnly) {
  const HTREEITEM driveC = tree_.FindItemByPath("C:\\");
  ASSERT_TRUE(tree_.Expand(driveC, TVE_EXPAND));
  const HTREEITEM myComputer = tree_.GetParentItem(driveC);
  const int drives = tree_.CountChildren(myComputer);
  const std::string name = "vireldan shelltree drive test";
  const ScopedFolder made("C:\\" + name);
  EXPECT_EQ(Child(driveC, name), nullptr);

  // No drive letter, and a drive the tree does not show: nothing changes.
  for (const DWORD mask : {0ul, 1ul << 16, 1ul << 26}) {
    tree_.RefreshDrive(mask);
    EXPECT_EQ(tree_.CountChildren(myComputer), drives);
    EXPECT_TRUE(Expanded(driveC));
  }

  tree_.RefreshDrive((1ul << 2) | (1ul << 25));  // the lowest bit: C:
  EXPECT_FALSE(Expanded(driveC));
  EXPECT_FALSE(tree_.GetItemState(driveC, TVIS_SELECTED));  // not highlighted as if it were selected
  EXPECT_EQ(tree_.CountChildren(driveC), 0);
  EXPECT_TRUE(tree_.HasChildrenMarker(driveC));
  EXPECT_EQ(tree_.CountChildren(myComputer), drives);
  ASSERT_TRUE(tree_.Expand(driveC, TVE_EXPAND));
  EXPECT_NE(Child(driveC, name), nullptr);
}

TEST_F(ShellTree, PrivateMessagesAddInsertAndDeleteFolders) {
  MakeFolders({"bare", "full\\f1", "full\\f3", "other"});
  const HTREEITEM top = Top();
  tree_.Expand(top, TVE_EXPAND);
  const HWND tree = tree_.Handle();

  // A collapsed parent without children only gains its expand button.
  const HTREEITEM bare = Child(top, "bare");
  tree_.Expand(bare, TVE_EXPAND);
  ASSERT_FALSE(tree_.HasChildrenMarker(bare));
  MakeFolders({"bare\\New Folder"});
  ::SendMessageA(tree, WM_TREE_ADDFOLDER, WPARAM(bare), LPARAM("\\New Folder"));
  EXPECT_TRUE(tree_.HasChildrenMarker(bare));
  EXPECT_EQ(tree_.CountChildren(bare), 0);
  EXPECT_FALSE(Expanded(bare));
  ASSERT_TRUE(tree_.Expand(bare, TVE_EXPAND));
  EXPECT_EQ(ChildTexts(bare), Texts{"New Folder"});

  // A parent with children gets the new folder in its place.
  const HTREEITEM full = Child(top, "full");
  tree_.Expand(full, TVE_EXPAND);
  MakeFolders({"full\\f2"});
  ::SendMessageA(tree, WM_TREE_ADDFOLDER, WPARAM(full), LPARAM(Path("full\\f2").c_str()));
  EXPECT_EQ(ChildTexts(full), (Texts{"f1", "f2", "f3"}));
  EXPECT_TRUE(SamePath(Child(full, "f2"), Path("full\\f2")));

  MakeFolders({"full\\f0"});
  ::SendMessageA(tree, WM_TREE_INSERTFOLDER, WPARAM(full), LPARAM(Path("full\\f0").c_str()));
  EXPECT_EQ(ChildTexts(full), (Texts{"f0", "f1", "f2", "f3"}));
  // Told again, or about a folder that is not there, the tree lists nothing twice and nothing new.
  ::SendMessageA(tree, WM_TREE_INSERTFOLDER, WPARAM(full), LPARAM(Path("full\\f0").c_str()));
  ::SendMessageA(tree, WM_TREE_ADDFOLDER, WPARAM(full), LPARAM(Path("full\\f1").c_str()));
  ::SendMessageA(tree, WM_TREE_INSERTFOLDER, WPARAM(full), LPARAM(Path("full\\missing").c_str()));
  ::SendMessageA(tree, WM_TREE_INSERTFOLDER, WPARAM(full), 0);
  EXPECT_EQ(ChildTexts(full), (Texts{"f0", "f1", "f2", "f3"}));

  // A child is deleted only from its own parent; the last one takes the expand button along.
  ::SendMessageA(tree, WM_TREE_DELETECHILD, WPARAM(full), LPARAM(Child(top, "other")));
  EXPECT_NE(Child(top, "other"), nullptr);
  ::SendMessageA(tree, WM_TREE_DELETECHILD, WPARAM(full), LPARAM(Child(full, "f2")));
  EXPECT_EQ(ChildTexts(full), (Texts{"f0", "f1", "f3"}));
  while (const HTREEITEM child = tree_.GetChildItem(full)) {
    ::SendMessageA(tree, WM_TREE_DELETECHILD, WPARAM(full), LPARAM(child));
  }
  EXPECT_FALSE(tree_.HasChildrenMarker(full));
}

TEST_F(ShellTree, ARenamedFolderTakesItsNewNameAndPlace) {
  MakeFolders({"apple\\seed", "mango"});
  const HTREEITEM top = Top();
  tree_.Expand(top, TVE_EXPAND);
  const HTREEITEM apple = Child(top, "apple");
  ASSERT_TRUE(tree_.Expand(apple, TVE_EXPAND));
  ASSERT_TRUE(::MoveFileA(Path("apple").c_str(), Path("zebra").c_str()));

  EXPECT_TRUE(tree_.RenameItem(apple, Path("apple"), Path("zebra")));
  EXPECT_EQ(tree_.GetItemText(apple), "zebra");
  EXPECT_TRUE(SamePath(apple, Path("zebra")));
  EXPECT_EQ(ChildTexts(top), (Texts{"mango", "zebra"}));
  EXPECT_FALSE(Expanded(apple));
  EXPECT_EQ(tree_.CountChildren(apple), 0);  // the old children went with the old name
  EXPECT_TRUE(tree_.HasChildrenMarker(apple));
  ASSERT_TRUE(tree_.Expand(apple, TVE_EXPAND));
  EXPECT_TRUE(SamePath(Child(apple, "seed"), Path("zebra\\seed")));
}

TEST_F(ShellTree, RenamingRefusesNamesNoFolderCanHave) {
  MakeFolders({"keep\\inner"});
  const HTREEITEM top = Top();
  tree_.Expand(top, TVE_EXPAND);
  const HTREEITEM keep = Child(top, "keep");
  // Some of these the shell would still parse (into the parent, or a folder further down).
  for (const std::string name : {"a*b", "..", ".", "keep/inner", "x/y", "what?", "<a>", "a|b", "\"q\"", "c:d", "not on disk"}) {
    EXPECT_FALSE(tree_.RenameItem(keep, Path("keep"), Path(name))) << name;
    EXPECT_EQ(tree_.GetItemText(keep), "keep");
    EXPECT_TRUE(SamePath(keep, Path("keep")));
  }
  EXPECT_FALSE(tree_.RenameItem(tree_.GetRootItem(), "", Path("root")));
  EXPECT_FALSE(tree_.RenameItem(nullptr, "", Path("keep")));
}

TEST_F(ShellTree, FolderShortcutsShowOnlyWhenLinksAreShown) {
  MakeFolders({"target\\within", "shelf"});
  const std::string picture = Make("picture.jpg", "not really");
  ASSERT_EQ(CreateShortcut(Path("target"), Path("shelf\\to target.lnk"), "folder"), S_OK);
  ASSERT_EQ(CreateShortcut(picture, Path("shelf\\to picture.lnk"), "file"), S_OK);
  HTREEITEM shelf = tree_.FindItemByPath(Path("shelf"));
  tree_.Expand(shelf, TVE_EXPAND);
  EXPECT_EQ(tree_.CountChildren(shelf), 0);  // links are off by default

  tree_.SetShowLinks(true);
  tree_.Refresh(shelf);
  ASSERT_EQ(tree_.CountChildren(shelf), 1);  // the shortcut to a file stays out
  const HTREEITEM link = tree_.GetChildItem(shelf);
  EXPECT_TRUE(tree_.IsLink(link));
  EXPECT_TRUE(tree_.IsFileSystemItem(link));
  EXPECT_EQ(tree_.GetItemState(link, TVIS_OVERLAYMASK), UINT(INDEXTOOVERLAYMASK(2)));
  EXPECT_TRUE(SamePath(link, Path("target")));
  tree_.SelectItem(link);
  EXPECT_EQ(Canonical(tree_.GetSelectedLinkPath()), Canonical(Path("shelf\\to target.lnk")));
  ASSERT_TRUE(tree_.Expand(link, TVE_EXPAND));  // the target's folders
  EXPECT_EQ(ChildTexts(link), Texts{"within"});
  EXPECT_TRUE(SamePath(tree_.GetChildItem(link), Path("target\\within")));

  tree_.SetShowLinks(false);
  tree_.Refresh(shelf);
  EXPECT_EQ(tree_.CountChildren(shelf), 0);
}

TEST_F(ShellTree, TabAndTheRightButtonGoToTheOwner) {
  ::SendMessageA(tree_.Handle(), WM_CHAR, 'a', 0);
  ::SendMessageA(tree_.Handle(), WM_CHAR, VK_TAB, 0);
  ::SendMessageA(tree_.Handle(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(12, 34));
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  ASSERT_EQ(host_.forwarded.size(), 2u);
  EXPECT_EQ(host_.forwarded[0].message, WM_TREE_TAB);
  EXPECT_EQ(host_.forwarded[0].wParam, WPARAM(9));
  EXPECT_EQ(host_.forwarded[0].lParam, 0);
  EXPECT_EQ(host_.forwarded[1].message, UINT(WM_RBUTTONDOWN));
  EXPECT_EQ(host_.forwarded[1].wParam, WPARAM(MK_RBUTTON | MK_SHIFT));
  EXPECT_EQ(host_.forwarded[1].lParam, MAKELPARAM(12, 34));
}

TEST_F(ShellTree, TheComingSelectionIsAnnounced) {
  const HTREEITEM root = tree_.GetRootItem();
  tree_.Expand(root, TVE_EXPAND);
  const HTREEITEM saver = tree_.GetChildItem(root);
  tree_.SelectItem(saver);
  ASSERT_FALSE(tree_.selectionsComing.empty());
  EXPECT_EQ(tree_.selectionsComing.back(), saver);
  EXPECT_EQ(tree_.GetSelectedItem(), saver);
}

TEST_F(ShellTree, ItemsDeletedByTheOwnerAndTheWindowGoCleanly) {
  MakeFolders({"x\\y"});
  const HTREEITEM top = Top();
  const HTREEITEM parent = tree_.GetParentItem(top);
  const std::string name = tree_.GetItemText(top);
  tree_.Expand(tree_.FindItemByPath(Path("x")), TVE_EXPAND);
  EXPECT_TRUE(tree_.DeleteItem(top));  // the item and its subtree, with their records
  EXPECT_EQ(Child(parent, name), nullptr);
  tree_.Refresh();
  EXPECT_TRUE(SamePath(tree_.FindItemByPath(Path("x\\y")), Path("x\\y")));
  tree_.DeleteChildren(tree_.GetRootItem());
  EXPECT_EQ(tree_.CountChildren(tree_.GetRootItem()), 0);
}

TEST(ShellTreeWithoutWindow, AskedBeforeItExistsItKnowsNothing) {
  CShellTreeCtrl tree;
  EXPECT_FALSE(tree.IsFileSystemItem());
  EXPECT_FALSE(tree.IsDriveRoot());
  EXPECT_FALSE(tree.IsRootItem());
  EXPECT_FALSE(tree.IsScreenSaverItem());
  EXPECT_FALSE(tree.IsLink());
  EXPECT_FALSE(tree.IsRecycleBin());
  EXPECT_EQ(tree.GetImageKind(), 1);
  EXPECT_EQ(tree.GetSelectedPath(), "");
  EXPECT_EQ(tree.GetItemDepth(nullptr), 0);
  EXPECT_EQ(tree.SelectNearestPath("C:\\"), nullptr);
  EXPECT_FALSE(tree.RenameItem(nullptr, "", "C:\\x"));
}

TEST(ShellTreeStyle, StyleBitsAreAddedAndRemovedAtCreation) {
  ::CoInitialize(nullptr);
  {
    TreeHost host;
    ASSERT_TRUE(host.Create(0, "Styled tree", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
    CShellTreeCtrl tree;
    tree.SetStyleBits(TVS_EDITLABELS, TVS_DISABLEDRAGDROP | TVS_HASLINES);
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_DISABLEDRAGDROP, RECT{0, 0, 280, 280}, host.Handle(), 256));
    const LONG style = ::GetWindowLongA(tree.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & TVS_EDITLABELS);
    EXPECT_TRUE(style & TVS_HASBUTTONS);
    EXPECT_FALSE(style & TVS_HASLINES);
    EXPECT_FALSE(style & TVS_DISABLEDRAGDROP);
    EXPECT_EQ(tree.GetItemText(tree.GetRootItem()), "Desktop");
  }
  ::CoUninitialize();
}

}  // namespace
