// The thumbnail view's file commands under Wine, on real files: the context menu as the resources
// hold it; Delete asking as the "Confirmations" settings say, and the keyword index losing only
// the keys of files that are really gone; rename one by one and by pattern, never over an
// existing file; Cut, Copy and Paste between two folders with every original accounted for and nothing replaced
// without the File collision dialog's answer; Cut and Paste within a slide order moving only thumbnails; files
// dragged in from outside copied in with Ctrl or Shift, through the same collision dialog.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "key_test_support.h"
#include "message_pump.h"
#include "drop_files_block.h"
#include "program_state.h"
#include "resource.h"
#include "shell_shortcuts.h"
#include "slide_order_file.h"
#include "temp_folder.h"
#include "tnc_test_support.h"
#include "ui_driver.h"
#include "thumb_list_builders.h"
#include "view_test_host.h"
#include "vireldan_view.h"

namespace {

namespace fs = std::filesystem;

// The caption of the program's message boxes (the system's own without an application).
const char* BoxCaption() { return MessageCaption() ? MessageCaption() : "Error"; }

std::string TextOf(HWND box) {
  char text[512] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

// Runs the command while a second thread answers the program's message box, if one comes, with
// the button; the box's text, or "" when none came.
std::string RunAnswering(CVireldanView& view, UINT command, int button) {
  std::atomic<bool> done{false};
  std::string told;
  {
    UiDriver user([&] {
      HWND box = nullptr;
      WaitFor([&] { return done || (box = ::FindWindowA("#32770", BoxCaption())) != nullptr; }, 60000);
      if (!box) return;
      told = TextOf(box);
      PressButton(box, button);
    });
    view.OnCommand(command);
    done = true;
  }
  return told;
}

// Runs the action while a second thread answers the File collision dialog, if one comes, with the
// button; the file name the dialog showed, or "" when none came.
std::string AnsweringCollision(const std::function<void()>& action, int button) {
  std::atomic<bool> done{false};
  std::string shown;
  {
    UiDriver user([&] {
      HWND dialog = nullptr;
      WaitFor([&] { return done || (dialog = ::FindWindowA("#32770", "File collision")) != nullptr; }, 60000);
      if (!dialog) return;
      // The dialog fills its texts once it is up.
      WaitFor([&] {
        char text[512] = {};
        ::GetDlgItemTextA(dialog, IDC_COLLISION_NAME, text, sizeof text);
        shown = text;
        return !shown.empty();
      });
      PressButton(dialog, button);
    });
    action();
    done = true;
  }
  return shown;
}

// The key counts as held for this thread's messages while the object lives.
class HeldKey {
 public:
  explicit HeldKey(int key) : key_(key) { Set(0x80); }
  ~HeldKey() { Set(0); }

 private:
  void Set(BYTE state) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[key_] = state;
    ::SetKeyboardState(keys);
  }
  int key_;
};

// The block as the system hands it to WM_DROPFILES; the receiver frees it.
HDROP DropHandle(const std::string& block) {
  const HGLOBAL memory = ::GlobalAlloc(GHND, block.size());
  std::copy(block.begin(), block.end(), static_cast<char*>(::GlobalLock(memory)));
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class ViewFileCommands : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings.thumbnails = {};
    g_settings.thumbnails.thumbnailSize = 4;
    g_settings.fileOptions = {};
    g_settings.fileOptions.showjpg = 1;
    g_settings.confirmations = {1, 0, 0, 1, 1, 9999};  // keydel, single, multi, nonnest, nested, allsize
    ASSERT_TRUE(host_.Create(0, "view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    view_.reset(new CVireldanView);
    host_.view = view_.get();
    ASSERT_TRUE(view_->Create(host_.Handle(), 1, host_.Handle()));
    ::MoveWindow(view_->Handle(), 0, 0, 280, 160, TRUE);
  }
  void TearDown() override {
    view_.reset();
    host_.Destroy();
    g_keyIndex.Clear();
    TempFolderTest::TearDown();
  }
  // Pictures of the given names in the subfolder (made if missing); its path with a backslash.
  std::string Pictures(const std::string& sub, const std::vector<std::string>& names) {
    fs::create_directories(folder_ / sub);
    for (const std::string& name : names) {
      Cimage picture;
      picture.Blank(24, 16, 0x2040A0 + unsigned(name.size()));
      picture.SaveImage((folder_ / sub / name).string().c_str());
    }
    return (folder_ / sub).string() + "\\";
  }
  void Key(const std::vector<std::string>& names) {
    SelectOnly(view_->Items(), names);
    view_->SetKeyOnSelected(KeyItem(g_keyIndex, "Trip"), true);
  }
  std::vector<std::string> Keyed(const std::string& sub) {
    std::vector<std::string> lines = Describe(ReadIndex(folder_ / sub).entries);
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  ViewTestHost host_;
  std::unique_ptr<CVireldanView> view_;
};

TEST_F(ViewFileCommands, TheContextMenuListsTheFileCommandsInOrder) {
  const HMENU menus = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  ASSERT_TRUE(menus);
  char title[64] = {};
  ::GetMenuStringA(menus, 0, title, sizeof title, MF_BYPOSITION);
  EXPECT_STREQ(title, "jpgview");
  std::vector<std::string> lines;
  const std::function<void(HMENU, std::string)> read = [&](HMENU menu, std::string indent) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      char text[128] = {};
      ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
      const HMENU sub = ::GetSubMenu(menu, i);
      const UINT id = ::GetMenuItemID(menu, i);
      if (sub) {
        lines.push_back(indent + text + " >");
        read(sub, indent + "  ");
      } else {
        lines.push_back(indent + (id == 0 ? std::string("-") : std::to_string(id) + " " + text));
      }
    }
  };
  read(::GetSubMenu(menus, 0), "");
  ::DestroyMenu(menus);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "32824 Open", "32885 Open 1:1", "-", "57635 Cut\tCtrl-Shft-X", "57634 Copy\tCtrl-Shft-C",
                       "57637 Paste\tCtrl-Shft-V", "33002 Copy Filename (HTML)", "-", "32826 Rename", "-",
                       "32827 Delete", "-", "33125 Extract embedded audio", "33003 Edit Annotation\tAlt-A",
                       "33096 Synch date to EXIF date", "Send To >", "  33082 ", "Rotate >",
                       "  33024 Clockwise (lossless)", "  33025 CCW (lossless)", "  33122 Rotate 180 (lossless)",
                       "  33123 Flip Vertical (lossless)", "  33124 Flip Horizontal (lossless)", "-",
                       "33097 Email images\tCtrl-E", "32963 &Create Index image", "33104 Create Collage Image",
                       "33084 Quick Web Page\tCtrl-Alt-W", "32930 Save Wallpaper", "32847 &Batch Process\tAlt-B", "-",
                       "32933 Print", "33075 Print (batch)", "32958 Print Thumbnails", "-",
                       "33011 VN Control Panel\tF4", "32920 Explore\tCtrl-Alt-X"}));
}

TEST_F(ViewFileCommands, ARightClickSelectsTheItemAndShowsTheMenu) {
  view_->SetFolder(Pictures("pics", {"a.jpg", "b.jpg"}));
  CThumbList& items = view_->Items();
  SelectOnly(items, {"a.jpg"});
  int shownItems = 0;
  {
    UiDriver user([&] {
      HWND menu = nullptr;
      WaitFor([&] { return (menu = ::FindWindowA("#32768", nullptr)) != nullptr; });
      if (!menu) return;
      shownItems = ::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0)));
      ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    // The second cell: b.jpg, on which the click falls.
    const CThumbItem* b = nullptr;
    for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
      if (item->name == "b.jpg") b = item;
    POINT point = {0, 0};
    for (point.x = 0; point.x < 280 && view_->HitTest(point.x, 20, false) != b; ++point.x) {}
    point.y = 20;
    ::SendMessageA(view_->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(point.x, point.y));
  }
  EXPECT_EQ(shownItems, 31);
  // Without Ctrl the click on an unselected item replaces the selection.
  EXPECT_FALSE(items.GetFirst()->selected);
  EXPECT_EQ(items.CountSelected(), 1);
}

TEST_F(ViewFileCommands, DeleteAsksAsConfiguredAndKeysGoOnlyWithTheFiles) {
  const std::string here = Pictures("pics", {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
  view_->SetFolder(here);
  CThumbList& items = view_->Items();
  Key({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
  g_settings.confirmations.single = g_settings.confirmations.multi = 1;

  SelectOnly(items, {"b.jpg"});
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_FILES, IDNO), "Are you sure you want to delete\nb.jpg");
  EXPECT_TRUE(fs::exists(folder_ / "pics" / "b.jpg"));
  EXPECT_EQ(Keyed("pics").size(), 4u);

  SelectOnly(items, {"b.jpg", "c.jpg"});
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_FILES, IDYES),
            "There are currently 2 files selected.\nAre you sure you want to delete them all?");
  EXPECT_FALSE(fs::exists(folder_ / "pics" / "b.jpg"));
  EXPECT_FALSE(fs::exists(folder_ / "pics" / "c.jpg"));
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"a.jpg", "d.jpg"}));
  EXPECT_EQ(Keyed("pics"), (std::vector<std::string>{"a.jpg::Trip", "d.jpg::Trip"}));

  // The size rule comes first; "allsize" 0 asks for every delete.
  g_settings.confirmations.allsize = 0;
  SelectOnly(items, {"a.jpg"});
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_FILES, IDNO),
            "There are currently " + std::to_string(items.GetSelectedKB()) +
                " kilobytes selected\nAre you sure you want to delete it all?\n");
  EXPECT_TRUE(fs::exists(folder_ / "pics" / "a.jpg"));

  // Without confirmations nothing is asked. The Delete key counts only when it is switched on.
  g_settings.confirmations = {1, 0, 0, 1, 1, 9999};
  g_settings.mainOptions.delkey = 0;
  SelectOnly(items, {"d.jpg"});
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_KEY, IDNO), "");
  EXPECT_TRUE(fs::exists(folder_ / "pics" / "d.jpg"));
  g_settings.mainOptions.delkey = 1;
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_KEY, IDNO), "");
  EXPECT_FALSE(fs::exists(folder_ / "pics" / "d.jpg"));
  EXPECT_EQ(Keyed("pics"), (std::vector<std::string>{"a.jpg::Trip"}));

  SelectOnly(items, {});
  EXPECT_EQ(RunAnswering(*view_, ID_DELETE_FILES, IDOK), "There are no files currently selected.");
}

// A name the pattern gives that is taken already is never overwritten: the user is asked whether
// to go on, and Yes passes over that one file (No, further down, stops there).
TEST_F(ViewFileCommands, PatternRenamingAsksAtATakenNameOverwritesNothingAndKeysFollow) {
  const std::string here = Pictures("pics", {"p1.JPG", "p2.jpg", "p3.jpg", "p4.jpg", "x03.jpg"});
  const std::vector<uint8_t> kept = FileBytes((folder_ / "pics" / "x03.jpg").string());
  view_->SetFolder(here);
  CThumbList& items = view_->Items();
  Key({"p1.JPG", "p2.jpg", "p3.jpg"});
  SelectOnly(items, {"p1.JPG", "p2.jpg", "p3.jpg", "p4.jpg"});
  // Renames the selection by "x#" from the first number; the question's text, answered with the button.
  const auto renameAnswering = [&](const char* firstNumber, int button) {
    std::string told;
    UiDriver user([&] {
      PressButton(WaitForWindow("Rename multiple files"), IDC_AUTO_RENAME);
      const HWND pattern = WaitForWindow("Auto Rename");
      ::SetDlgItemTextA(pattern, IDC_RENAME_FORMAT, "x#");
      ::SetDlgItemTextA(pattern, IDC_RENAME_FIRST_NUMBER, firstNumber);
      PressButton(pattern, IDOK);
      told = AnswerMessageBox(button);
    });
    view_->OnCommand(ID_RENAME_SELECTED);
    return told;
  };
  EXPECT_EQ(renameAnswering("1", IDYES), "Unable to rename:\np3.jpg\nContinue?");
  for (const char* name : {"x01.jpg", "x02.jpg", "p3.jpg", "x03.jpg", "x04.jpg"})
    EXPECT_TRUE(fs::exists(folder_ / "pics" / name)) << name;
  EXPECT_FALSE(fs::exists(folder_ / "pics" / "p1.JPG"));
  EXPECT_EQ(FileBytes((folder_ / "pics" / "x03.jpg").string()), kept);
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"x01.jpg", "x02.jpg", "p3.jpg", "x04.jpg", "x03.jpg"}));
  EXPECT_EQ(Keyed("pics"), (std::vector<std::string>{"p3.jpg::Trip", "x01.jpg::Trip", "x02.jpg::Trip"}));

  // No stops at the taken name: the files after it keep theirs.
  SelectOnly(items, {"x01.jpg", "x02.jpg", "p3.jpg", "x04.jpg"});
  EXPECT_EQ(renameAnswering("2", IDNO), "Unable to rename:\nx01.jpg\nContinue?");
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"x01.jpg", "x02.jpg", "p3.jpg", "x04.jpg", "x03.jpg"}));

  // One by one: the typed extension gives way to the old one, in lower case.
  SelectOnly(items, {"x01.jpg"});
  {
    UiDriver user([&] {
      const HWND dialog = WaitForWindow("Rename file");
      ::SetDlgItemTextA(dialog, IDC_RENAME_NAME, "sunset.png");
      PressButton(dialog, IDOK);
    });
    view_->OnCommand(ID_RENAME_F2);
  }
  EXPECT_TRUE(fs::exists(folder_ / "pics" / "sunset.jpg"));
  EXPECT_EQ(Keyed("pics"), (std::vector<std::string>{"p3.jpg::Trip", "sunset.jpg::Trip", "x02.jpg::Trip"}));
}

// More than 50 files: the progress window runs beside the renaming.
TEST_F(ViewFileCommands, AWordAndANumberRenameAHundredAndTwentyFilesWithThreeDigits) {
  std::vector<std::string> names;
  for (int i = 0; i < 120; ++i) names.push_back("img" + std::to_string(1000 + i) + ".JPG");
  view_->SetFolder(Pictures("many", names));
  view_->SelectAll();
  {
    UiDriver user([&] {
      PressButton(WaitForWindow("Rename multiple files"), IDC_AUTO_RENAME);
      const HWND pattern = WaitForWindow("Auto Rename");
      ::SetDlgItemTextA(pattern, IDC_RENAME_FORMAT, "word#");
      PressButton(pattern, IDOK);
    });
    view_->OnCommand(ID_RENAME_SELECTED);
  }
  std::vector<std::string> expected, onDisk;
  for (int i = 1; i <= 120; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "word%03i.jpg", i);
    expected.push_back(name);
  }
  for (const auto& entry : fs::directory_iterator(folder_ / "many"))
    if (entry.path().extension() == ".jpg") onDisk.push_back(entry.path().filename().string());
  std::sort(onDisk.begin(), onDisk.end());
  EXPECT_EQ(onDisk, expected);
  EXPECT_EQ(NamesOf(view_->Items()), expected);  // the list kept its order
}

TEST_F(ViewFileCommands, CutCopyAndPasteBetweenFoldersLoseNoFileAndCarryKeys) {
  const std::string one = Pictures("one", {"a.jpg", "b.jpg", "c.jpg"});
  const std::string two = Pictures("two", {"z.jpg", "c.jpg"});
  const std::vector<uint8_t> inTheWay = FileBytes((folder_ / "two" / "c.jpg").string());
  view_->SetFolder(two);
  Key({"z.jpg"});
  view_->SetFolder(one);
  CThumbList& items = view_->Items();
  Key({"a.jpg", "b.jpg", "c.jpg"});

  SelectOnly(items, {"a.jpg", "b.jpg", "c.jpg"});
  view_->OnCommand(ID_EDIT_CUT);
  EXPECT_EQ(items.GetFirst()->marked, 1);
  view_->SetFolder(two);
  // The "c.jpg" already there is not replaced when the user skips it: the cut one stays where it
  // was, with its key.
  EXPECT_NE(AnsweringCollision([&] { view_->OnCommand(ID_EDIT_PASTE); }, IDC_COLLISION_SKIP).find("c.jpg"),
            std::string::npos);
  EXPECT_EQ(NamesOf(view_->Items()), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "z.jpg"}));
  EXPECT_EQ(FileBytes((folder_ / "two" / "c.jpg").string()), inTheWay);
  EXPECT_FALSE(view_->HasFileClipboard());

  SelectOnly(items, {"z.jpg"});
  view_->OnCommand(ID_FILE_COPY);
  view_->SetFolder(one);
  view_->OnCommand(ID_FILE_PASTE);

  // Every original exists exactly once, the copy beside it.
  std::vector<std::string> inventory;
  for (const char* sub : {"one", "two"})
    for (const auto& entry : fs::directory_iterator(folder_ / sub))
      if (entry.path().extension() == ".jpg") inventory.push_back(std::string(sub) + "/" + entry.path().filename().string());
  std::sort(inventory.begin(), inventory.end());
  EXPECT_EQ(inventory, (std::vector<std::string>{"one/c.jpg", "one/z.jpg", "two/a.jpg", "two/b.jpg", "two/c.jpg",
                                                  "two/z.jpg"}));
  EXPECT_EQ(Keyed("one"), (std::vector<std::string>{"c.jpg::Trip", "z.jpg::Trip"}));
  EXPECT_EQ(Keyed("two"), (std::vector<std::string>{"a.jpg::Trip", "b.jpg::Trip", "z.jpg::Trip"}));
}

// The menu items and buttons are live only with something to work on, and a Copy or Cut that
// reaches the view with nothing selected (an accelerator) keeps the files held before.
TEST_F(ViewFileCommands, CopyCutAndPasteAreLiveOnlyWithFilesToWorkOn) {
  const std::string one = Pictures("one", {"a.jpg", "b.jpg"});
  Pictures("one\\deeper", {"c.jpg"});
  view_->SetFolder(one);
  CThumbList& items = view_->Items();
  const auto enabled = [&](UINT id) {
    CommandState state;
    state.id = id;
    EXPECT_TRUE(view_->OnUpdateCommand(state)) << id;
    return state.enabled;
  };
  const UINT copyCut[] = {ID_EDIT_COPY, ID_EDIT_CUT, ID_FILE_COPY, ID_FILE_CUT};
  const UINT paste[] = {ID_EDIT_PASTE, ID_FILE_PASTE};

  SelectOnly(items, {});
  for (UINT id : copyCut) EXPECT_FALSE(enabled(id)) << id;
  for (UINT id : paste) EXPECT_FALSE(enabled(id)) << id;  // nothing held

  SelectOnly(items, {"b.jpg"});
  for (UINT id : copyCut) EXPECT_TRUE(enabled(id)) << id;
  view_->OnCommand(ID_EDIT_COPY);
  for (UINT id : paste) EXPECT_TRUE(enabled(id)) << id;

  SelectOnly(items, {});
  for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT}) {
    view_->OnCommand(id);
    EXPECT_TRUE(view_->HasFileClipboard()) << id;
  }
  // A subfolder listing is no folder to paste into.
  view_->ShowSubfolderContents();
  ASSERT_FALSE(view_->ShowsPlainFolder());
  for (UINT id : paste) EXPECT_FALSE(enabled(id)) << id;
  view_->SetFolder(one);
  for (UINT id : paste) EXPECT_TRUE(enabled(id)) << id;
}

TEST_F(ViewFileCommands, CutAndPasteInSlideOrderMovesOnlyThumbnails) {
  g_settings.thumbnails.sortby = kSortBySlideOrder;
  const std::string here = Pictures("pics", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  view_->SetFolder(here);
  CThumbList& items = view_->Items();
  // The folder has a slide order of its own: the files' order.
  uint32_t position = 0;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) item->slidePos = position++;
  ASSERT_TRUE(WriteSlideOrder(here, items));
  view_->SetFolder(Pictures("elsewhere", {}));
  view_->SetFolder(here);
  ASSERT_EQ(items.GetCount(), 5);
  SelectOnly(items, {"d.jpg", "e.jpg"});
  view_->OnCommand(ID_EDIT_CUT);
  SelectOnly(items, {"b.jpg"});
  view_->OnCommand(ID_EDIT_PASTE);
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"a.jpg", "d.jpg", "e.jpg", "b.jpg", "c.jpg"}));
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) EXPECT_TRUE(fs::exists(folder_ / "pics" / name));
  view_->SetFolder(folder_.string() + "\\elsewhere\\");
  view_->SetFolder(here);  // the order was written to the folder
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"a.jpg", "d.jpg", "e.jpg", "b.jpg", "c.jpg"}));

  // Copy after Cut clears the cut marks.
  SelectOnly(items, {"a.jpg"});
  view_->OnCommand(ID_EDIT_CUT);
  EXPECT_EQ(items.GetFirst()->marked, 1);
  view_->OnCommand(ID_EDIT_COPY);
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) EXPECT_EQ(item->marked, 0) << item->name;
}

}  // namespace

TEST_F(ViewFileCommands, FilesDroppedWithCtrlOrShiftAreCopiedAndAskBeforeReplacing) {
  struct Case {
    const char* what;
    int held;
  };
  const Case cases[] = {{"ctrl", VK_CONTROL}, {"shift", VK_SHIFT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string from = Pictures(std::string("from-") + c.what, {"a.jpg", "b.jpg"});
    const std::string into = Pictures(std::string("into-") + c.what, {"b.jpg", "y.jpg"});
    const std::vector<uint8_t> inTheWay = FileBytes(into + "b.jpg");
    view_->SetFolder(from);
    Key({"a.jpg", "b.jpg"});
    view_->SetFolder(into);
    const std::string block = DropFilesBlock(std::vector<std::string>{from + "a.jpg", from + "b.jpg"});
    const std::string shown = AnsweringCollision(
        [&] {
          HeldKey held(c.held);
          ::SendMessageA(view_->Handle(), WM_DROPFILES, WPARAM(DropHandle(block)), 0);
        },
        IDC_COLLISION_SKIP);
    EXPECT_NE(shown.find("b.jpg"), std::string::npos);
    EXPECT_EQ(NamesOf(view_->Items()), (std::vector<std::string>{"a.jpg", "b.jpg", "y.jpg"}));
    EXPECT_EQ(FileBytes(into + "b.jpg"), inTheWay);
    EXPECT_TRUE(fs::exists(from + "a.jpg"));
    EXPECT_TRUE(fs::exists(from + "b.jpg"));
    EXPECT_EQ(Keyed(std::string("into-") + c.what), (std::vector<std::string>{"a.jpg::Trip"}));
  }
}

TEST_F(ViewFileCommands, FilesDroppedWithoutKeysAreQueuedForOpeningNotCopied) {
  const std::string from = Pictures("from", {"a.jpg"});
  const std::string into = Pictures("into", {"y.jpg"});
  view_->SetFolder(into);
  ::SendMessageA(view_->Handle(), WM_DROPFILES, WPARAM(DropHandle(DropFilesBlock(from + "a.jpg"))), 0);
  EXPECT_FALSE(fs::exists(into + "a.jpg"));
  EXPECT_EQ(NamesOf(view_->Items()), (std::vector<std::string>{"y.jpg"}));
}

TEST_F(ViewFileCommands, SendToListsTheShortcutsCopiesIntoTheFolderChosenAndRunsAProgram) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  const std::string savedProgramFolder = g_program.programFolder;
  g_program.programFolder = (folder_ / "program").string();
  const fs::path sendTo = folder_ / "program" / "sendto";
  fs::create_directories(sendTo / "A folder.lnk");  // a folder, not a shortcut
  const std::string out = Pictures("out", {});
  const std::string gone = Pictures("gone", {});
  ASSERT_TRUE(SUCCEEDED(CreateShortcut(out, (sendTo / "Pictures out.lnk").string(), "")));
  ASSERT_TRUE(SUCCEEDED(CreateShortcut(gone, (sendTo / "gone.lnk").string(), "")));
  ASSERT_TRUE(SUCCEEDED(CreateShortcut(out, (sendTo / "Hidden.lnk").string(), "")));
  ::SetFileAttributesA((sendTo / "Hidden.lnk").string().c_str(), FILE_ATTRIBUTE_HIDDEN);
  fs::remove(gone);
  // A program: it is run with the first selected file's path and copies that file into "ran".
  const std::string ran = Pictures("ran", {});
  const std::string copier = (folder_ / "program" / "copier.bat").make_preferred().string();
  std::ofstream(copier) << "@copy %1 \"" << ran << "\"\r\n";
  ASSERT_TRUE(SUCCEEDED(CreateShortcut(copier, (sendTo / "Run copier.lnk").string(), "")));

  view_->SetFolder(Pictures("pics", {"a.jpg", "b.jpg"}));
  Key({"a.jpg"});
  std::vector<std::string> listed;
  {
    UiDriver user([&] {
      HWND menu = nullptr;
      WaitFor([&] { return (menu = ::FindWindowA("#32768", nullptr)) != nullptr; });
      if (!menu) return;
      const HMENU shown = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
      const HMENU popup = ::GetSubMenu(shown, 15);
      for (int i = 0; popup && i < ::GetMenuItemCount(popup); ++i) {
        char text[128] = {};
        ::GetMenuStringA(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
        listed.push_back(std::to_string(::GetMenuItemID(popup, i)) + " " + text);
      }
      ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    ::SendMessageA(view_->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"39000 gone", "39001 Pictures out", "39002 Run copier"}));

  SelectOnly(view_->Items(), {"a.jpg", "b.jpg"});
  EXPECT_EQ(RunAnswering(*view_, 39001, IDOK), "");
  EXPECT_TRUE(fs::exists(out + "a.jpg"));
  EXPECT_TRUE(fs::exists(out + "b.jpg"));
  EXPECT_EQ(Keyed("out"), (std::vector<std::string>{"a.jpg::Trip"}));
  EXPECT_EQ(RunAnswering(*view_, 39000, IDOK), "Sendto link target not found");
  EXPECT_EQ(RunAnswering(*view_, 39002, IDOK), "");
  EXPECT_TRUE(WaitFor([&] { return fs::exists(ran + "a.jpg"); }, 30000));
  EXPECT_FALSE(fs::exists(ran + "b.jpg"));
  EXPECT_EQ(CVireldanView::IsFolderOrDriveRoot("Q:"), true);
  EXPECT_EQ(CVireldanView::IsFolderOrDriveRoot("Q:\\"), true);
  EXPECT_EQ(CVireldanView::IsFolderOrDriveRoot(out + "a.jpg"), false);
  g_program.programFolder = savedProgramFolder;
  ::CoUninitialize();
}
