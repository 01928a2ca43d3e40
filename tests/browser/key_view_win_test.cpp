// The Key view under Wine, in a frame of its own with a real keyword index on real folders: keys
// are made, renamed (a sibling's name is refused with "Duplicate key name" and the edit goes on)
// and deleted after the exact question; files dropped from an OLE drag source get the key, with
// the hourglass for 20 names and the progress window from 21, and lose it with Ctrl; searches
// replace or (OR) join the thumbnail view's contents and lock out a second search for a second;
// a double click on the folder item shows the folder again; Alt- and Ctrl-clicks key the selected
// thumbnails; the export writes "keyexport.htm" as expected, user texts escaped.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app.h"
#include "app_settings.h"
#include "drop_files_block.h"
#include "ole_drag_driver.h"
#include "hover_tip_hooks.h"
#include "key_index.h"
#include "key_test_data.h"
#include "message_pump.h"
#include "tnc_test_support.h"  // FileBytes
#include "key_view.h"
#include "key_view_host.h"
#include "name_node.h"
#include "program_state.h"
#include "temp_folder.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

// The thumbnail view's and the main frame's part, as the Key view calls them.
class RecordingHost : public KeyViewHost {
 public:
  void ShowKeySearchResults(const CNameNode* hits, bool merge) override {
    if (!merge) shown.clear();
    for (const CNameNode* hit = hits; hit; hit = hit->next) shown.push_back(std::string(hit->secondName) + "\\" + hit->name);
  }
  void SetKeyOnSelected(void* item, bool add) override { keyings.push_back({item, add}); }
  void ShowFolder(const std::string& folder) override { folderShown = folder; }
  void RedrawThumbnails() override {}
  void SetStatusText(const std::string& text) override { status = text; }
  void AppendStatusText(const std::string& text) override { status += text; }

  std::vector<std::string> shown;
  std::vector<std::pair<void*, bool>> keyings;
  std::string folderShown;
  std::string status;
};

class TestKeyView : public CKeyView {
 public:
  using CKeyView::CKeyView;
  std::string openedPage;

 protected:
  void OpenExportedPage(const std::string& path) override { openedPage = path; }
};

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}


// Holds a key down in this thread's keyboard state for the scope (what GetKeyState and OLE's
// drag loop read).
class HeldKey {
 public:
  explicit HeldKey(int key) : key_(key) { Set(0x80); }
  ~HeldKey() { Set(0); }
  static void Set(int key, BYTE state) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[key] = state;
    ::SetKeyboardState(keys);
  }

 private:
  void Set(BYTE state) { Set(key_, state); }
  int key_;
};

class KeyView : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::OleInitialize(nullptr);
    g_settings.confirmations.keydel = 1;
    g_settings.preferences.expandkeys = 1;
    g_settings.mainOptions.mainpath = Folder() + "\\";
    ::SetCurrentDirectoryA(Folder().c_str());
    ASSERT_TRUE(frame_.Create(0, "Key view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 420, nullptr, nullptr));
    view_ = std::make_unique<TestKeyView>(index_, host_);
    ASSERT_TRUE(view_->Create(frame_.Handle(), 1));
    ::MoveWindow(view_->Handle(), 0, 0, 300, 380, TRUE);
  }
  void TearDown() override {
    view_.reset();
    frame_.Destroy();
    ::SetCurrentDirectoryA("C:\\");
    ::OleUninitialize();
    TempFolderTest::TearDown();
  }

  std::string Folder() const { return folder_.string(); }
  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }
  TreeControl& Tree() { return view_->Tree(); }
  HTREEITEM Root() { return static_cast<HTREEITEM>(view_->RootItem()); }

  // The item of a key path below the folder item; none when it is not shown.
  HTREEITEM Item(const std::string& path) {
    HTREEITEM item = Root();
    size_t from = 0;
    while (item && from <= path.size()) {
      const size_t end = std::min(path.find('\\', from), path.size());
      const std::string name = path.substr(from, end - from);
      HTREEITEM child = Tree().GetChildItem(item);
      while (child && Tree().GetItemText(child) != name) child = Tree().GetNextSiblingItem(child);
      item = child;
      from = end + 1;
    }
    return item;
  }
  // The texts of an item's children, in the order shown.
  std::vector<std::string> Children(HTREEITEM parent) {
    std::vector<std::string> texts;
    for (HTREEITEM child = Tree().GetChildItem(parent); child; child = Tree().GetNextSiblingItem(child))
      texts.push_back(Tree().GetItemText(child));
    return texts;
  }
  void Select(HTREEITEM item) {
    ASSERT_TRUE(item);
    Tree().SelectItem(item);
  }
  HWND Edit() { return reinterpret_cast<HWND>(::SendMessageA(Tree().Handle(), TVM_GETEDITCONTROL, 0, 0)); }
  // Types into the label being edited and ends the edit (or cancels it).
  void EndEdit(const std::string& text, bool cancel = false) {
    PumpUntil([&] { return Edit() != nullptr; });
    const HWND edit = Edit();
    ASSERT_TRUE(edit) << "no label edit for " << text;
    ::SetWindowTextA(edit, text.c_str());
    ::SendMessageA(Tree().Handle(), TVM_ENDEDITLABELNOW, cancel, 0);
    Pump();
  }
  // Keys made straight in the index, shown as the view shows what it learns.
  void MakeKeys(std::initializer_list<const char*> paths) {
    for (const char* path : paths) FindOrInsertPath(index_.MasterTree(), path);
    view_->RefreshTree();
    Tree().Expand(Root(), TVE_EXPAND);
  }
  void KeyFile(const std::string& relative, const std::string& key) {
    fs::create_directories((folder_ / relative).parent_path());
    Make(relative, "picture");
    index_.SetFileKey(Item(key), Path(relative), true);
    ASSERT_TRUE(index_.SaveFolder());
  }
  POINT ItemCentre(HTREEITEM item) {
    RECT rect = {};
    std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes out
    ::SendMessageA(Tree().Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    // On the label's first letters: a long label may run past the window's edge.
    return POINT{rect.left + 4, (rect.top + rect.bottom) / 2};
  }
  // The button comes up at once: the control's wait for a drag ends at the queued release.
  void Click(UINT message, HTREEITEM item, WPARAM keys = 0) {
    const POINT at = ItemCentre(item);
    ::PostMessageA(Tree().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageA(Tree().Handle(), message, keys, MAKELPARAM(at.x, at.y));
    Pump();
  }
  // Drags the files from an OLE drag source to a point of the tree and lets go there once done()
  // (with Ctrl held when asked). The button stays down for some rounds of the drag loop, as a
  // user's hand would.
  DWORD DropAt(const std::vector<std::string>& paths, POINT at, bool ctrl, std::function<bool()> done) {
    return DragFilesOnto(Tree().Handle(), at, DropFilesBlock(paths), DROPEFFECT_COPY | DROPEFFECT_LINK,
                         DragKeys{ctrl, false}, done);
  }
  DWORD Drop(const std::vector<std::string>& paths, HTREEITEM item, bool ctrl) {
    return DropAt(paths, ItemCentre(item), ctrl, [] { return true; });
  }
  std::vector<std::string> Pictures(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) {
      char name[32];
      wsprintfA(name, "f%02d.jpg", i);
      paths.push_back(Make(name, "picture"));
    }
    return paths;
  }
  int KeyedCount(const std::vector<std::string>& paths, const std::string& key) {
    int keyed = 0;
    for (const std::string& path : paths) keyed += index_.FileHasKey(Item(key), path);
    return keyed;
  }

  Window frame_;
  CKeyIndex index_;
  RecordingHost host_;
  std::unique_ptr<TestKeyView> view_;
};

TEST_F(KeyView, KeysAreMadeRenamedAndDeletedAndASiblingsNameIsRefused) {
  EXPECT_EQ(Tree().GetItemText(Root()), Folder());

  view_->OnNewRootKey();
  EndEdit("People");
  Select(Item("People"));
  view_->OnNewKey();
  EndEdit("  Anna ");
  Select(Item("People"));
  view_->OnNewKey();
  EndEdit("Bob");
  EXPECT_EQ(Children(Item("People")), (std::vector<std::string>{"Anna", "Bob"}));
  EXPECT_EQ(index_.GetKeyPath(Item("People\\Anna")), "People\\Anna");

  // A sibling's name: refused, with the edit going on until a free name is typed.
  Select(Item("People"));
  view_->OnNewKey();
  EndEdit("Anna");
  EXPECT_EQ(host_.status, "Duplicate key name");
  ASSERT_TRUE(PumpUntil([&] { return Edit() != nullptr; })) << "the edit did not restart";
  EndEdit("a\\b");
  EXPECT_EQ(host_.status, "A key name cannot be empty or contain \\");
  EndEdit("   ");
  EXPECT_EQ(host_.status, "A key name cannot be empty or contain \\");
  EndEdit("Carl");
  EXPECT_EQ(Children(Item("People")), (std::vector<std::string>{"Anna", "Bob", "Carl"}));
  EXPECT_EQ(Edit(), nullptr);

  // Names are compared as the index keeps them, cut to 31 characters.
  const std::string longName(31, 'L');
  Select(Item("People"));
  view_->OnNewKey();
  EndEdit(longName + "x");
  Select(Item("People"));
  view_->OnNewKey();
  EndEdit(longName + "y");
  EXPECT_EQ(host_.status, "Duplicate key name");
  EndEdit("", true);
  EXPECT_EQ(Children(Item("People")), (std::vector<std::string>{"Anna", "Bob", "Carl", longName, "new key"}));
  Select(Item("People\\new key"));
  view_->OnRename();
  EndEdit("Dora");

  // Renaming a key renames it in the indexes of the folders below.
  KeyFile("sub\\b.jpg", "People\\Bob");
  Select(Item("People\\Bob"));
  view_->OnRename();
  EndEdit("Carl");
  EXPECT_EQ(host_.status, "Duplicate key name");
  EndEdit("", true);
  EXPECT_EQ(Children(Item("People")), (std::vector<std::string>{"Anna", "Bob", "Carl", "Dora", longName}))
      << "cancelled: as it was";
  Select(Item("People\\Bob"));
  view_->OnRename();
  EndEdit("Rob %s %n");
  ASSERT_TRUE(Item("People\\Rob %s %n"));
  CKeyIndex fresh;
  CKeyNode* renamed = FindOrInsertPath(fresh.MasterTree(), "People\\Rob %s %n");
  renamed->treeItem = renamed;
  EXPECT_TRUE(fresh.FileHasKey(renamed, Path("sub\\b.jpg")));

  // Deleting asks first, with the key's path as written; No keeps it, Yes deletes it everywhere.
  Select(Item("People\\Rob %s %n"));
  std::string question;
  {
    UiDriver driver([&] { question = AnswerMessageBox(IDNO); });
    view_->OnDeleteKey();
  }
  EXPECT_EQ(question, "Are you sure you want to delete the key \n\nPeople\\Rob %s %n");
  EXPECT_TRUE(Item("People\\Rob %s %n"));
  {
    UiDriver driver([&] { question = AnswerMessageBox(IDYES); });
    view_->OnDeleteKey();
  }
  EXPECT_FALSE(Item("People\\Rob %s %n"));
  EXPECT_EQ(FindByPath(index_.MasterTree(), "People\\Rob %s %n"), nullptr);
  EXPECT_FALSE(fs::exists(folder_ / "sub" / "vireldan.iif")) << "the only key of the folder's only file is gone";

  // Clearing empties the display and the master tree, not the folders' indexes.
  KeyFile("a.jpg", "People\\Anna");
  view_->OnClearKeys();
  EXPECT_TRUE(Children(Root()).empty());
  EXPECT_EQ(Tree().GetItemText(Root()), Folder());
  EXPECT_TRUE(index_.MasterTree().Empty());
  EXPECT_TRUE(fs::exists(folder_ / "vireldan.iif"));
  view_->OnScanIndexes();
  EXPECT_EQ(Children(Item("People")), std::vector<std::string>{"Anna"});
}

TEST_F(KeyView, DroppedFilesAreKeyedAndCtrlDropsUnkeyThem) {
  MakeKeys({"Trips"});
  const std::vector<std::string> all = Pictures(21);
  const std::vector<std::string> twenty(all.begin(), all.begin() + 20);

  EXPECT_EQ(Drop(twenty, Item("Trips"), false), DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(KeyedCount(all, "Trips"), 20);
  EXPECT_EQ(Drop(all, Item("Trips"), true), DWORD(DROPEFFECT_LINK));
  EXPECT_EQ(KeyedCount(all, "Trips"), 0);
  EXPECT_FALSE(fs::exists(folder_ / "vireldan.iif"));
  // A drop beside the keys, or on the folder item, keys nothing.
  EXPECT_EQ(Drop(all, Root(), false), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(Drop(all, Item("Trips"), false), DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(KeyedCount(all, "Trips"), 21);
  // Text dragged after a refused drop of files is refused in its turn: the files of the drop
  // before are not keyed again, nor unkeyed.
  EXPECT_EQ(Drop(all, Root(), true), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(DragBlockOnto(Tree().Handle(), ItemCentre(Item("Trips")), CF_TEXT, std::string("f01.jpg\0", 8),
                          DROPEFFECT_COPY | DROPEFFECT_LINK, DragKeys{true, false}),
            DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(KeyedCount(all, "Trips"), 21);

  // An index marked read-only is left as it is and the user is told; meanwhile 20 names run
  // under the hourglass and 21 in the progress window.
  const std::string index = Path("vireldan.iif");
  const std::vector<uint8_t> before = FileBytes(index);
  ASSERT_TRUE(::SetFileAttributesA(index.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  struct Seen {
    std::string message;
    bool progress = false;
    std::string line1, line2;
    int position = -1;
  };
  // The message comes while the drop's feedback is still up: the progress window, once it shows
  // the last name, or none.
  auto watch = [](Seen& seen, bool many) {
    HWND box = WaitForMessageBox(ProgramBoxCaption());
    HWND progress = many ? WaitForWindow("Progress ...", 10000) : ::FindWindowA(nullptr, "Progress ...");
    seen.progress = progress != nullptr;
    for (DWORD start = ::GetTickCount(); progress && seen.position != 21 && ::GetTickCount() - start < 10000;)
      seen.position = int(::SendDlgItemMessageA(progress, 1268, PBM_GETPOS, 0, 0));
    if (progress) {
      char text[MAX_PATH] = {};
      ::GetDlgItemTextA(progress, 1266, text, sizeof text);
      seen.line1 = text;
      ::GetDlgItemTextA(progress, 1267, text, sizeof text);
      seen.line2 = text;
    }
    char text[1024] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.message = text;
    PressButton(box, IDOK);
  };
  Seen small, large;
  {
    UiDriver driver([&] { watch(small, false); });
    Drop(twenty, Item("Trips"), true);
  }
  {
    UiDriver driver([&] { watch(large, true); });
    Drop(all, Item("Trips"), true);
  }
  const std::string error =
      "An error occurred writing to an index file - vireldan.iif\nBe sure they are not marked Read Only";
  EXPECT_EQ(small.message, error);
  EXPECT_FALSE(small.progress);
  EXPECT_EQ(large.message, error);
  EXPECT_TRUE(large.progress);
  EXPECT_EQ(large.line1, "UnKeying...");
  EXPECT_EQ(large.line2, all.front()) << "names are handed out last dropped first";
  EXPECT_EQ(large.position, 21);
  ::SetFileAttributesA(index.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileBytes(index), before);
}

TEST_F(KeyView, WhileFilesAreDraggedAKeyTheMouseRestsOnOpensAndTheTreeScrollsAtItsEdges) {
  g_settings.preferences.slowkeys = 1;
  MakeKeys({"Family\\Anna"});  // the first key shown
  for (int i = 1; i <= 40; ++i) {
    char name[8];
    wsprintfA(name, "K%02d", i);
    MakeKeys({name});
  }
  const std::vector<std::string> one = Pictures(1);
  const HTREEITEM family = Item("Family");
  auto expanded = [&] { return (Tree().GetItemState(family, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; };
  ASSERT_FALSE(expanded());
  DropAt(one, ItemCentre(family), false, expanded);
  EXPECT_TRUE(expanded());
  EXPECT_TRUE(index_.FileHasKey(family, one.front()));

  RECT client = {};
  ::GetClientRect(Tree().Handle(), &client);
  auto scrolled = [&] { return ::GetScrollPos(Tree().Handle(), SB_VERT) >= 3; };
  DropAt({}, POINT{20, client.bottom - 10}, false, scrolled);
  EXPECT_TRUE(scrolled());
  const int position = ::GetScrollPos(Tree().Handle(), SB_VERT);
  Pump();
  EXPECT_EQ(::GetScrollPos(Tree().Handle(), SB_VERT), position) << "the scrolling ends with the drag";
}

TEST_F(KeyView, SearchesReplaceOrJoinTheShownFilesAndLockOutASecondSearchForASecond) {
  MakeKeys({"People\\Anna", "Places"});
  KeyFile("a.jpg", "People\\Anna");
  KeyFile("b.jpg", "People");
  KeyFile("sub\\c.jpg", "Places");
  host_.shown = {"left over"};

  Select(Item("People"));
  view_->OnSearchKey();
  EXPECT_EQ(host_.shown, (std::vector<std::string>{Path("b.jpg"), Path("a.jpg")}));
  EXPECT_EQ(host_.status, "People");
  EXPECT_TRUE(view_->SearchLocked());

  Select(Item("Places"));
  view_->OnSearchOrKey();
  EXPECT_EQ(host_.shown.size(), 2u) << "a search within a second of the last is ignored";
  ASSERT_TRUE(PumpUntil([&] { return !view_->SearchLocked(); }));
  view_->OnSearchOrKey();
  EXPECT_EQ(host_.shown, (std::vector<std::string>{Path("b.jpg"), Path("a.jpg"), Path("sub\\c.jpg")}));
  EXPECT_EQ(host_.status, "People OR Places");

  // Enter searches the selected key; a double click on the folder item shows the folder again.
  ASSERT_TRUE(PumpUntil([&] { return !view_->SearchLocked(); }));
  Select(Item("People\\Anna"));
  ::SendMessageA(Tree().Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(host_.shown, std::vector<std::string>{Path("a.jpg")});
  EXPECT_EQ(host_.status, "People\\Anna");
  Click(WM_LBUTTONDBLCLK, Root());
  EXPECT_EQ(host_.folderShown, Folder() + "\\");
  EXPECT_EQ(host_.status, Folder() + "\\");

  // Alt-click keys the selected thumbnails, Ctrl-click unkeys them; a plain click does neither.
  {
    HeldKey alt(VK_MENU);
    Click(WM_LBUTTONDOWN, Item("Places"));
  }
  Click(WM_LBUTTONDOWN, Item("Places"), MK_CONTROL);
  Click(WM_LBUTTONDOWN, Item("Places"));
  const std::vector<std::pair<void*, bool>> keyings = {{Item("Places"), true}, {Item("Places"), false}};
  EXPECT_EQ(host_.keyings, keyings);

  // The hover tip's marks on a file's keys: the keyed key, and a plain key above it as the parent
  // of one; the tip going clears them.
  g_program.keyView = view_.get();
  MarkTipFileKeys(Path("a.jpg"));
  EXPECT_EQ(view_->Tree().GetItemImage(Item("People\\Anna")), CKeyView::kKeyedKey);
  EXPECT_EQ(view_->Tree().GetItemImage(Item("People")), CKeyView::kParentOfKeyed);
  EXPECT_EQ(view_->Tree().GetItemImage(Item("Places")), CKeyView::kPlainKey);
  ClearTipKeyMarks();
  g_program.keyView = nullptr;
  EXPECT_EQ(view_->Tree().GetItemImage(Item("People\\Anna")), CKeyView::kPlainKey);

  // Compiling stores in the folder a summary of the files below it (the header's summary flag).
  view_->OnCompileIndexes();
  const std::vector<uint8_t> compiled = FileBytes(Path("vireldan.iif"));
  ASSERT_GE(compiled.size(), 32u);
  EXPECT_EQ(compiled[16], 1);
}

TEST_F(KeyView, ExportWritesEveryKeysFilesWithTheUsersTextsEscaped) {
  MakeKeys({"People\\Anna", "Bob & <Co> \"x\""});
  KeyFile("plain.jpg", "People");
  KeyFile("a & b.jpg", "People\\Anna");
  index_.SetAnnotation(Path("a & b.jpg"), "Anna <3 \"home\"\r\n");
  ASSERT_TRUE(index_.SaveFolder());
  KeyFile("sub\\50% off #1.jpg", "Bob & <Co> \"x\"");

  Select(Root());
  {
    UiDriver driver([] {
      HWND dialog = WaitForWindow("Save As");
      if (dialog) PressButton(dialog, IDOK);
    });
    view_->OnExportKeys();
  }
  EXPECT_EQ(view_->openedPage, Path("keyexport.htm"));
  std::string page = TextFileContents(Path("keyexport.htm"));
  const std::string heading = "<H3>" + Folder() + "</H3>";
  const size_t at = page.find(heading);
  ASSERT_NE(at, std::string::npos) << page;
  page.replace(at, heading.size(), "<H3>@FOLDER@</H3>");
  EXPECT_EQ(page, TextFileContents(KeyTestDataPath("keyexport.htm")));
}

}  // namespace
