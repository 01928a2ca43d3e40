// Files and folders dropped on the folder tree under Wine, through real OLE drags: what each key
// does, folders dragged inside the tree, the File collision dialog with both pictures, and the
// Recycle Bin item, which only ever takes the dropped names; keys go with the files that arrived.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "canonical_path.h"
#include "dialog_driver.h"
#include "dir_tree_view.h"
#include "drop_files_block.h"
#include "file_inventory.h"
#include "key_index.h"
#include "key_tree.h"
#include "ole_drag_driver.h"
#include "program_state.h"
#include "resource.h"
#include "shell_shortcuts.h"
#include "temp_folder.h"
#include "tree_pane_setup_win.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

class TestPane : public CDirTreeView {
 public:
  void BeginDrag(HTREEITEM item) { OnBeginDrag(item); }
};

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void SaveScreenshot(const char* name) {
  const char* folder = std::getenv("VIRELDAN_SCREENSHOTS");
  if (!folder) return;
  Cimage shown;
  HDC screen = ::GetDC(nullptr);
  shown.FromDC(screen, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::ReleaseDC(nullptr, screen);
  shown.SaveImage((std::string(folder) + "\\" + name + ".png").c_str());
}

class TreeDrop : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::OleInitialize(nullptr);
    SetTreePaneGlobals(folder_.string());
    g_program.screenSaverBase = Path("saver");
    ASSERT_TRUE(CreateTreePaneWindow(host_, pane_));
  }
  void TearDown() override {
    pane_.Destroy();
    host_.Destroy();
    ::OleUninitialize();
    TempFolderTest::TearDown();
  }

  std::string Root() const { return folder_.string(); }
  std::string Path(const std::string& relative) const { return PathBelow(Root(), relative); }
  // The tree's item of a folder, shown in the tree.
  HTREEITEM Item(const std::string& relative) {
    pane_.SelectPath(Path(relative));
    EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path(relative)));
    Pump();
    return pane_.GetSelectedItem();
  }
  POINT Centre(HTREEITEM item) {
    RECT rect = {};
    std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes out
    ::SendMessageA(pane_.Tree().Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return POINT{rect.left + 4, (rect.top + rect.bottom) / 2};
  }
  DWORD DropFiles(const std::vector<std::string>& relatives, HTREEITEM target, DragKeys keys) {
    std::vector<std::string> paths;
    for (const std::string& relative : relatives) paths.push_back(Path(relative));
    return DragFilesOnto(pane_.Tree().Handle(), Centre(target), DropFilesBlock(paths),
                         DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, keys);
  }
  // Drags the folder's own item out of the tree and lets go over the target.
  void DragFolder(HTREEITEM folder, HTREEITEM target, DragKeys keys) {
    DragOnto(pane_.Tree().Handle(), Centre(target), keys, [&] {
      pane_.BeginDrag(folder);
      return DWORD(DROPEFFECT_NONE);
    });
    Pump();
  }
  void Reset(const FileLayout& layout) {
    fs::remove_all(folder_);
    WriteLayout(Root(), layout);
    pane_.RefreshAll();  // which makes new items: those of before are gone
  }
  // The item of the root's child that the test names.
  HTREEITEM RootChild(bool (CDirTreeView::*is)(HTREEITEM) const) {
    const HTREEITEM root = pane_.Tree().GetRootItem();
    pane_.Tree().Expand(root, TVE_EXPAND);
    for (HTREEITEM child = pane_.Tree().GetChildItem(root); child; child = pane_.Tree().GetNextSiblingItem(child))
      if ((pane_.*is)(child)) return child;
    return nullptr;
  }

  Window host_;
  TestPane pane_;
};

TEST_F(TreeDrop, DroppedFilesMoveCopyOrLinkByTheKeysHeld) {
  struct Case {
    const char* keys;
    DragKeys held;
    DWORD effect;
    FileLayout after;
  };
  const Case cases[] = {
      {"none", {false, false}, DROPEFFECT_MOVE, {{"src/", ""}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b c.jpg", "B"}}},
      {"Ctrl", {true, false}, DROPEFFECT_COPY,
       {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b c.jpg", "B"}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b c.jpg", "B"}}},
      {"Shift", {false, true}, DROPEFFECT_COPY,
       {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b c.jpg", "B"}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b c.jpg", "B"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    Reset({{"src/a.jpg", "A"}, {"src/b c.jpg", "B"}, {"dst/", ""}});
    const FileLayout before = ReadLayout(Root());
    EXPECT_EQ(DropFiles({"src/a.jpg", "src/b c.jpg"}, Item("dst"), c.held), c.effect);
    EXPECT_EQ(ReadLayout(Root()), c.after);
    ExpectInventoryKept({before}, {ReadLayout(Root())},
                        c.effect == DROPEFFECT_MOVE ? TransferKind::kMove : TransferKind::kCopy);
  }
  // Ctrl and Shift: shortcuts to the files, named after them.
  Reset({{"src/a.jpg", "A"}, {"src/readme", "R"}, {"dst/", ""}});
  EXPECT_EQ(DropFiles({"src/a.jpg", "src/readme"}, Item("dst"), {true, true}), DWORD(DROPEFFECT_COPY));
  std::string target;
  ASSERT_TRUE(SUCCEEDED(ResolveShortcut(Path("dst/a.lnk"), target)));
  EXPECT_EQ(Canonical(target), Canonical(Path("src/a.jpg")));
  EXPECT_EQ(ReadLayout(Path("dst")).size(), 1u);  // a name without "." gets none
  // Files the thumbnail view drags over their own folder can be linked there, and nothing else.
  Reset({{"src/a.jpg", "A"}});
  const FileLayout before = ReadLayout(Root());
  pane_.SetDraggedFiles({Path("src/a.jpg")});
  for (const DragKeys keys : {DragKeys{false, false}, DragKeys{true, false}})
    EXPECT_EQ(DropFiles({"src/a.jpg"}, Item("src"), keys), DWORD(DROPEFFECT_NONE));
  pane_.SetDraggedFiles({});
  EXPECT_EQ(ReadLayout(Root()), before);
}

// A CF_HDROP block of wide names, as other programs give it.
std::string WideDropFilesBlock(const std::vector<std::wstring>& paths) {
  std::string block(20, '\0');
  block[0] = 20;
  block[16] = 1;
  for (const std::wstring& path : paths)
    for (const wchar_t c : path + L'\0') block += std::string{char(c & 0xFF), char(c >> 8)};
  return block + std::string(2, '\0');
}

TEST_F(TreeDrop, WideNamesFromOtherProgramsArriveWithTheirBytes) {
  Reset({{"dst/", ""}});
  // One letter of the ANSI code page, one that it lacks (the short name stands in for that one).
  const std::wstring accented = (folder_ / L"caf\u00e9.jpg").wstring(),
                     omega = (folder_ / L"The \u03a9 nebula.jpg").wstring();
  std::ofstream(fs::path(accented), std::ios::binary) << "accented";
  std::ofstream(fs::path(omega), std::ios::binary) << "omega";
  const FileLayout before = ReadLayout(Root());
  std::string question;
  std::atomic<bool> dropped{false};
  {
    // A name that did not come through would be asked about. The box is looked for by its class
    // alone: asking a window of the test's thread for its text would wait for that thread.
    UiDriver user([&] {
      while (!dropped) {
        if (HWND box = ::FindWindowA("#32770", nullptr)) {
          char text[512] = {};
          ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          question = text;
          PressButton(box, IDNO);
        }
        ::Sleep(20);
      }
    });
    EXPECT_EQ(DragFilesOnto(pane_.Tree().Handle(), Centre(Item("dst")), WideDropFilesBlock({accented, omega}),
                            DROPEFFECT_COPY | DROPEFFECT_MOVE, {true, false}),
              DWORD(DROPEFFECT_COPY));
    dropped = true;
  }
  EXPECT_EQ(question, "");
  EXPECT_TRUE(fs::exists(folder_ / "dst" / L"caf\u00e9.jpg"));
  const FileLayout copied = ReadLayout(Path("dst"));
  ASSERT_EQ(copied.size(), 2u);
  ExpectInventoryKept({before}, {ReadLayout(Root())}, TransferKind::kCopy);
  std::multiset<std::string> bytes;
  for (const auto& entry : copied) bytes.insert(entry.second);
  EXPECT_EQ(bytes, (std::multiset<std::string>{"accented", "omega"}));
}

TEST_F(TreeDrop, FoldersDraggedInsideTheTree) {
  struct Case {
    const char* what;
    const char* target;
    DragKeys held;
    const char* message;  // answered with OK
    FileLayout after;     // none: as before
  };
  const FileLayout start = {{"top/src/a.jpg", "A"}, {"top/src/inner/b.jpg", "B"}, {"top/dst/", ""}};
  const Case cases[] = {
      {"onto its own parent", "top", {false, false}, nullptr, {}},
      {"into its own descendant", "top/src/inner", {false, true},
       "A folder cannot be moved or copied into itself or a folder inside it:\n@top\\src", {}},
      {"moved", "top/dst", {false, false}, nullptr,
       {{"top/", ""}, {"top/dst/", ""}, {"top/dst/src/", ""}, {"top/dst/src/a.jpg", "A"}, {"top/dst/src/inner/", ""},
        {"top/dst/src/inner/b.jpg", "B"}}},
      {"copied", "top/dst", {true, false}, nullptr,
       {{"top/", ""}, {"top/src/", ""}, {"top/src/a.jpg", "A"}, {"top/src/inner/", ""}, {"top/src/inner/b.jpg", "B"},
        {"top/dst/", ""}, {"top/dst/src/", ""}, {"top/dst/src/a.jpg", "A"}, {"top/dst/src/inner/", ""},
        {"top/dst/src/inner/b.jpg", "B"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset(start);
    const FileLayout before = ReadLayout(Root());
    const HTREEITEM folder = Item("top/src");
    const HTREEITEM target = Item(c.target);
    std::string message;
    {
      UiDriver user([&] {
        if (c.message) message = AnswerMessageBox(IDOK);
      });
      DragFolder(folder, target, c.held);
    }
    if (c.message) {
      std::string expected = c.message;
      expected.replace(expected.find('@'), 1, Root() + "\\");
      EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(ReadLayout(Root()), c.after.empty() ? before : c.after);
    ExpectInventoryKept({before}, {ReadLayout(Root())}, c.held.control ? TransferKind::kCopy : TransferKind::kMove);
  }
  // A copy onto a folder that has one of that name already leaves it untouched, and says so.
  Reset({{"top/src/a.jpg", "A"}, {"top/dst/src/x.jpg", "X"}});
  const FileLayout before = ReadLayout(Root());
  std::string message;
  {
    UiDriver user([&] { message = AnswerMessageBox(IDOK); });
    DragFolder(Item("top/src"), Item("top/dst"), {true, false});
  }
  EXPECT_EQ(message, "Nothing was copied: a folder or file of that name is already there:\n" + Path("top/dst/src"));
  EXPECT_EQ(ReadLayout(Root()), before);
  // Ctrl and Shift: a shortcut to the folder, named after it.
  Reset(start);
  DragFolder(Item("top/src"), Item("top/dst"), {true, true});
  std::string linked;
  ASSERT_TRUE(SUCCEEDED(ResolveShortcut(Path("top/dst/src.lnk"), linked)));
  EXPECT_EQ(Canonical(linked), Canonical(Path("top/src")));
}

// The folder shown is the process's current directory, which the system will not let move: it
// leaves the folder, and one that holds it, before they move away.
TEST_F(TreeDrop, TheFolderShownAndOneThatHoldsItCanBeMoved) {
  const FileLayout moved = {{"top/", ""},           {"top/dst/", ""},           {"top/dst/src/", ""},
                            {"top/dst/src/a.jpg", "A"}, {"top/dst/src/inner/", ""}, {"top/dst/src/inner/b.jpg", "B"}};
  for (const char* shown : {"top/src", "top/src/inner"}) {
    SCOPED_TRACE(shown);
    ::SetCurrentDirectoryA("C:\\");  // the folder is made anew
    Reset({{"top/src/a.jpg", "A"}, {"top/src/inner/b.jpg", "B"}, {"top/dst/", ""}});
    const HTREEITEM folder = Item("top/src");
    const HTREEITEM target = Item("top/dst");
    ASSERT_TRUE(target);
    Item(shown);
    ASSERT_TRUE(::SetCurrentDirectoryA(Path(shown).c_str()));  // as the main frame does for the folder shown
    DragFolder(folder, target, {});
    EXPECT_EQ(ReadLayout(Root()), moved);
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(Canonical(current), Canonical(Path("top")));
    EXPECT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(Path("top")));
  }
  ::SetCurrentDirectoryA("C:\\");
}

// The folder shown goes to the Recycle Bin as any other: the current directory leaves it first.
TEST_F(TreeDrop, TheFolderShownCanBeSentToTheRecycleBin) {
  ::SetCurrentDirectoryA("C:\\");
  Reset({{"top/src/a.jpg", "A"}, {"top/dst/", ""}});
  const HTREEITEM folder = Item("top/src");
  ASSERT_TRUE(::SetCurrentDirectoryA(Path("top/src").c_str()));  // as the main frame does for the folder shown
  const HTREEITEM bin = RootChild(&CDirTreeView::IsRecycleBin);
  ASSERT_TRUE(bin);
  // The drop lands where the item is on the screen.
  ::SendMessageA(pane_.Tree().Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(bin));
  std::string question;
  {
    UiDriver user([&] { question = AnswerMessageBox(IDYES); });
    DragFolder(folder, bin, {});
  }
  EXPECT_EQ(question, "Send \"" + Path("top/src") + "\" to the Recycle Bin?");
  EXPECT_EQ(ReadLayout(Root()), (FileLayout{{"top/", ""}, {"top/dst/", ""}}));
  char current[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(Canonical(current), Canonical(Path("top")));
  ::SetCurrentDirectoryA("C:\\");
}

// A folder dragged to another drive (Z:, the root of the host's file system in a Wine prefix)
// cannot be moved there: the user is asked, and Yes copies it.
TEST_F(TreeDrop, AFolderDraggedToAnotherDriveIsCopiedWhenTheUserSaysYes) {
  if (::GetFileAttributesA("Z:\\tmp") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no second drive Z:";
  // Named after this process: the host's /tmp is shared with any other test run on the machine.
  const std::string there = "Z:\\tmp\\vireldan-tree-drop-across-" + std::to_string(::GetCurrentProcessId());
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    Reset({{"src/a.jpg", "A"}, {"src/inner/b.jpg", "B"}});
    fs::remove_all(there);
    WriteLayout(there, {{"dst/", ""}});
    const std::vector<FileLayout> before = {ReadLayout(Root()), ReadLayout(there)};
    const HTREEITEM folder = Item("src");
    pane_.SelectPath(there + "\\dst");
    Pump();
    ASSERT_EQ(Canonical(pane_.GetSelectedPath()), Canonical(there + "\\dst"));
    std::string question;
    {
      UiDriver user([&] { question = AnswerMessageBox(answer); });
      DragFolder(folder, pane_.GetSelectedItem(), {});
    }
    EXPECT_EQ(question, "You cannot Move directories across volumes.\n\nWould you like to Copy it?");
    FileLayout expected = before[1];
    if (answer == IDYES)
      for (const auto& [relative, bytes] : before[0]) expected["dst/src/" + relative.substr(4)] = bytes;
    const std::vector<FileLayout> after = {ReadLayout(Root()), ReadLayout(there)};
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], expected);
    ExpectInventoryKept(before, after, TransferKind::kCopy);
  }
  fs::remove_all(there);
}

// The names of a folder's index that carry a key.
std::set<std::string> KeyedNames(const fs::path& folder) {
  std::ifstream in(folder / kKeyIndexFileName, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  KeyIndexContents contents;
  ParseKeyIndex(bytes.data(), bytes.size(), false, &contents);
  std::set<std::string> names;
  for (const CKeyFileEntry& entry : contents.entries)
    if (!entry.refs.empty()) names.insert(entry.name);
  return names;
}

// Keys go with the files that arrived, and only with those: a file skipped at its collision keeps
// its keys where it stayed.
TEST_F(TreeDrop, KeysFollowTheFilesThatArrived) {
  struct Case {
    const char* what;
    DragKeys held;
    std::set<std::string> sourceKeyed, destinationKeyed;
  };
  const Case cases[] = {
      {"move", {false, false}, {"b.jpg"}, {"a.jpg"}},
      {"copy", {true, false}, {"a.jpg", "b.jpg"}, {"a.jpg"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset({{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/b.jpg", "old"}});
    CKeyNode* key = FindOrInsertPath(g_keyIndex.MasterTree(), "K");
    key->treeItem = key;
    g_keyIndex.SetFileKey(key, Path("src/a.jpg"), true);
    g_keyIndex.SetFileKey(key, Path("src/b.jpg"), true);
    ASSERT_TRUE(g_keyIndex.SaveFolder());
    {
      UiDriver user([&] {
        if (HWND dialog = WaitForWindow("File collision")) PressButton(dialog, IDC_COLLISION_SKIP);
      });
      DropFiles({"src/a.jpg", "src/b.jpg"}, Item("dst"), c.held);
    }
    g_keyIndex.Clear();
    EXPECT_EQ(KeyedNames(folder_ / "src"), c.sourceKeyed);
    EXPECT_EQ(KeyedNames(folder_ / "dst"), c.destinationKeyed);
  }
}

void SavePicture(const std::string& path, unsigned colour) {
  Cimage picture;
  picture.Blank(64, 48, colour);
  picture.SaveImage(path.c_str());
}

TEST_F(TreeDrop, TheCollisionDialogShowsBothPicturesAndTakesTheAnswer) {
  struct Case {
    const char* what;
    unsigned sourceColour, targetColour;
    int button;
    const char* comparison;
    FileLayout names;  // the names in dst afterwards
  };
  const Case cases[] = {
      {"different pictures, Add Suffix", RGB(200, 30, 30), RGB(30, 30, 200), IDC_COLLISION_SUFFIX,
       "The files are\nNot Identical", {{"a.bmp", ""}, {"a_1.bmp", ""}}},
      {"the same picture, Skip", RGB(30, 160, 30), RGB(30, 160, 30), IDC_COLLISION_SKIP, "The files are\nIdentical",
       {{"a.bmp", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset({{"src/", ""}, {"dst/", ""}});
    SavePicture(Path("src/a.bmp"), c.sourceColour);
    SavePicture(Path("dst/a.bmp"), c.targetColour);
    const FileLayout before = ReadLayout(Root());
    std::string name, sizes, comparison;
    bool fullHeight = false;
    {
      UiDriver user([&] {
        HWND dialog = WaitForWindow("File collision");
        if (!dialog) return;
        // The pictures in: the dialog is tall enough to show the comparison, which is done.
        WaitFor([&] {
          RECT client = {}, comparison = {};
          ::GetClientRect(dialog, &client);
          ::GetWindowRect(::GetDlgItem(dialog, IDC_COLLISION_COMPARISON), &comparison);
          ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&comparison), 2);
          fullHeight = comparison.bottom <= client.bottom;
          return fullHeight && ItemText(dialog, IDC_COLLISION_COMPARISON) == c.comparison;
        });
        name = ItemText(dialog, IDC_COLLISION_NAME);
        sizes = ItemText(dialog, IDC_COLLISION_SOURCE_SIZE) + "|" + ItemText(dialog, IDC_COLLISION_TARGET_SIZE);
        comparison = ItemText(dialog, IDC_COLLISION_COMPARISON);
        // What is still to be painted after the dialog grew, before the screen is taken.
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveScreenshot(c.button == IDC_COLLISION_SUFFIX ? "collision-different" : "collision-identical");
        PressButton(dialog, c.button);
      });
      EXPECT_EQ(DropFiles({"src/a.bmp"}, Item("dst"), {true, false}), DWORD(DROPEFFECT_COPY));
    }
    EXPECT_EQ(name, Path("src/a.bmp"));  // the full path: the file is not in the current folder
    const std::string kilobytes = std::to_string(fs::file_size(Path("src/a.bmp")) / 1024) + " Kbytes";
    EXPECT_EQ(sizes, kilobytes + "|" + kilobytes);
    EXPECT_EQ(comparison, c.comparison);
    EXPECT_TRUE(fullHeight);
    FileLayout names;
    for (const auto& entry : ReadLayout(Path("dst"))) names[entry.first] = "";
    EXPECT_EQ(names, c.names);
    if (c.button == IDC_COLLISION_SKIP)
      EXPECT_EQ(ReadLayout(Root()), before);
    else
      ExpectInventoryKept({before}, {ReadLayout(Root())}, TransferKind::kCopy);
  }
}

TEST_F(TreeDrop, TheRecycleBinItemAsksAboutExactlyTheDroppedNames) {
  Reset({{"photos/a.jpg", "A"}, {"photos/b.jpg", "B"}});
  const FileLayout before = ReadLayout(Root());
  const HTREEITEM bin = RootChild(&CDirTreeView::IsRecycleBin);
  ASSERT_TRUE(bin);
  std::string question;
  {
    UiDriver user([&] { question = AnswerMessageBox(IDNO); });
    EXPECT_EQ(DropFiles({"photos/b.jpg"}, bin, {}), DWORD(DROPEFFECT_NONE));
  }
  EXPECT_EQ(question, "Send \"" + Path("photos/b.jpg") + "\" to the Recycle Bin?");
  EXPECT_EQ(ReadLayout(Root()), before);
}

// The screen-saver item stands for its folder, and what is dropped there is always copied: the
// pictures shown by the screen saver stay where they were.
TEST_F(TreeDrop, FilesDroppedOnTheScreenSaverItemAreCopiedWhateverTheKeys) {
  const DragKeys held[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const DragKeys& keys : held) {
    SCOPED_TRACE(std::to_string(keys.control) + std::to_string(keys.shift));
    Reset({{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"saver/old.jpg", "O"}});
    const FileLayout before = ReadLayout(Root());
    const HTREEITEM saver = RootChild(&CDirTreeView::IsScreenSaverItem);
    ASSERT_TRUE(saver);
    EXPECT_EQ(DropFiles({"src/a.jpg", "src/b.jpg"}, saver, keys), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(ReadLayout(Root()), (FileLayout{{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"saver/", ""},
                                              {"saver/a.jpg", "A"}, {"saver/b.jpg", "B"}, {"saver/old.jpg", "O"}}));
    ExpectInventoryKept({before}, {ReadLayout(Root())}, TransferKind::kCopy);
  }
}

// A large batch shows the progress window while it runs; up to a hundred names show none. The
// last file's collision holds the batch at its dialog, where the test looks for the window.
TEST_F(TreeDrop, MoreThanAHundredDroppedFilesShowTheProgressWindow) {
  for (const int count : {100, 101}) {
    SCOPED_TRACE(count);
    FileLayout layout = {{"dst/f000.jpg", "old"}};
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%03d.jpg", i);
      layout[std::string("src/") + name] = name;
      names.push_back(std::string("src/") + name);
    }
    Reset(layout);
    const FileLayout before = ReadLayout(Root());
    bool asked = false, progressShown = false;
    {
      UiDriver user([&] {
        HWND dialog = WaitForWindow("File collision");
        if (!dialog) return;
        asked = true;
        // Hidden while the question is up, but there, with the batch's first line.
        if (count > 100)
          progressShown = WaitFor([] {
            HWND progress = ::FindWindowA("#32770", "Progress ...");
            return progress && ItemText(progress, IDC_PROGRESS_LINE1) == "Copying...";
          });
        else
          progressShown = ::FindWindowA("#32770", "Progress ...") != nullptr;
        PressButton(dialog, IDC_COLLISION_SKIP);
      });
      EXPECT_EQ(DropFiles(names, Item("dst"), {true, false}), DWORD(DROPEFFECT_COPY));
    }
    EXPECT_TRUE(asked);
    EXPECT_EQ(progressShown, count > 100);
    EXPECT_EQ(::FindWindowA("#32770", "Progress ..."), nullptr);  // closed with the batch
    EXPECT_EQ(ReadLayout(Path("dst")).size(), size_t(count));
    ExpectInventoryKept({before}, {ReadLayout(Root())}, TransferKind::kCopy);
  }
}

}  // namespace
