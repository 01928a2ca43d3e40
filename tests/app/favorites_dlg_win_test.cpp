// The Favorite Folders window under Wine with a main window that carries the program's menu: the
// list read from "favorites.txt", the Favorites submenu, adding and removing, going to a favourite,
// and reordering by dragging with the real mouse, each change written to the file at once.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app.h"
#include "command_ids.h"
#include "favorites_dlg.h"
#include "private_messages.h"
#include "program_state.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_driver.h"

namespace {

using Folders = std::vector<std::string>;

// The application whose main window the favourites reach.
App g_testApp;

class FavoritesWindow : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    file_ = (folder_ / "favorites.txt").string();
    g_program.favoritesFile = file_;
    main_ = ::CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                              ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr,
                              nullptr);
    g_testApp.SetMainWindow(main_);
  }
  void TearDown() override {
    favorites_.Destroy();
    g_testApp.SetMainWindow(nullptr);
    ::DestroyWindow(main_);
    TempFolderTest::TearDown();
  }

  void Open(const std::string& bytes) {
    std::ofstream(file_, std::ios::binary) << bytes;
    ASSERT_TRUE(favorites_.Create(main_));
    favorites_.Load(file_);
  }

  std::string Bytes() const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // The Favorites submenu's entries after its three fixed items, as id and text.
  std::vector<std::pair<UINT, std::string>> MenuEntries() const {
    HMENU favorites = ::GetSubMenu(::GetMenu(main_), 2);
    std::vector<std::pair<UINT, std::string>> entries;
    for (int i = 3; i < ::GetMenuItemCount(favorites); ++i) {
      char text[300] = {};
      ::GetMenuStringA(favorites, UINT(i), text, sizeof text, MF_BYPOSITION);
      entries.emplace_back(::GetMenuItemID(favorites, i), text);
    }
    return entries;
  }

  std::string file_;
  HWND main_ = nullptr;
  CFavoritesDlg favorites_;
};

TEST_F(FavoritesWindow, ShowsTheFileInTheListAndTheFirstTwentyNineInTheMenuAndGoesWhereAskedToByPath) {
  std::string bytes;
  Folders expected;
  for (int i = 0; i < 30; ++i) {
    expected.push_back("C:\\Folder " + std::to_string(i));
    bytes += expected.back() + "\r\n";
  }
  Open(bytes);
  EXPECT_EQ(favorites_.Entries(), expected);
  const auto menu = MenuEntries();
  ASSERT_EQ(menu.size(), 29u);
  EXPECT_EQ(menu.front(), std::make_pair(UINT(ID_FAVORITE_FIRST), expected.front()));
  EXPECT_EQ(menu.back(), std::make_pair(UINT(ID_FAVORITE_FIRST + 28), expected[28]));

  favorites_.GoToFavorite(29);  // only in the window
  MSG posted = {};
  ASSERT_TRUE(::PeekMessageA(&posted, main_, WM_DIR_CHANGED, WM_DIR_CHANGED, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 0u);
  EXPECT_STREQ(reinterpret_cast<const char*>(posted.lParam), "C:\\Folder 29");
  favorites_.GoToFavorite(30);  // no such entry
  EXPECT_FALSE(::PeekMessageA(&posted, main_, WM_DIR_CHANGED, WM_DIR_CHANGED, PM_REMOVE));

  favorites_.Toggle();
  RECT area = {};
  ::GetWindowRect(favorites_.Handle(), &area);
  EXPECT_TRUE(::IsWindowVisible(favorites_.Handle()));
  EXPECT_EQ(area.left, 70);
  EXPECT_EQ(area.right - area.left, 300);
  ::SendMessageA(favorites_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(favorites_.Handle())) << "closing only hides it";
}

TEST_F(FavoritesWindow, AddPutsTheFolderShownFirstAndRemoveTakesTheSelectedOneOutOfFileAndMenu) {
  Open("C:\\A\r\nC:\\B\r\n");
  ASSERT_TRUE(::SetCurrentDirectoryA(folder_.string().c_str()));
  ::SendMessageA(favorites_.Handle(), WM_COMMAND, ID_FAVORITES_WINDOW_ADD, 0);
  EXPECT_EQ(Bytes(), folder_.string() + "\r\nC:\\A\r\nC:\\B\r\n");
  ListView_SetItemState(::GetDlgItem(favorites_.Handle(), IDC_FAVORITES_LIST), 1, LVIS_SELECTED, LVIS_SELECTED);
  ::SendMessageA(favorites_.Handle(), WM_COMMAND, ID_FAVORITES_REMOVE, 0);
  EXPECT_EQ(Bytes(), folder_.string() + "\r\nC:\\B\r\n");
  EXPECT_EQ(MenuEntries(), (std::vector<std::pair<UINT, std::string>>{{ID_FAVORITE_FIRST, folder_.string()},
                                                                      {ID_FAVORITE_FIRST + 1, "C:\\B"}}));
}

// Drags an entry with the real mouse from one point of the list to another, while this thread
// runs the window's messages. Halfway, with the button still down, this thread runs midway.
void Drag(HWND list, int from, POINT to, const std::function<void()>& midway = nullptr) {
  std::atomic<bool> done{false}, halfway{false}, halfwayDone{!midway};
  UiDriver user([&] {
    RECT item = {};
    ListView_GetItemRect(list, from, &item, LVIR_LABEL);
    POINT at = {item.left + 10, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &at);
    MoveMouseTo(at);
    PressLeftButton(true);
    for (int step = 1; step <= 8; ++step) {
      MoveMouseTo({at.x + (to.x - at.x) * step / 8, at.y + (to.y - at.y) * step / 8});
      if (step != 4) continue;
      halfway = true;
      WaitFor([&] { return halfwayDone.load(); });
    }
    PressLeftButton(false);
    done = true;
  });
  const DWORD start = ::GetTickCount();
  while (!done && ::GetTickCount() - start < 20000) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (halfway && !halfwayDone) {
      midway();
      halfwayDone = true;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  // What the last input brought.
  WaitFor([&] {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    return ::GetCapture() == nullptr;
  });
}

POINT OnItem(HWND list, int index, int below = 0) {
  RECT item = {};
  ListView_GetItemRect(list, index, &item, LVIR_LABEL);
  POINT point = {item.left + 20, (item.top + item.bottom) / 2 + below};
  ::ClientToScreen(list, &point);
  return point;
}

TEST_F(FavoritesWindow, DraggingPutsAnEntryAfterTheOneDroppedOnAtTheEndBelowTheLastAndBackWhenDraggedOut) {
  Open("C:\\A\r\nC:\\B\r\nC:\\C\r\nC:\\D\r\n");
  favorites_.Toggle();
  HWND list = ::GetDlgItem(favorites_.Handle(), IDC_FAVORITES_LIST);
  Drag(list, 2, OnItem(list, 0));
  EXPECT_EQ(favorites_.Entries(), (Folders{"C:\\A", "C:\\C", "C:\\B", "C:\\D"})) << "onto the first: second";
  EXPECT_EQ(Bytes(), "C:\\A\r\nC:\\C\r\nC:\\B\r\nC:\\D\r\n");
  Drag(list, 0, OnItem(list, 3, 60));
  EXPECT_EQ(favorites_.Entries(), (Folders{"C:\\C", "C:\\B", "C:\\D", "C:\\A"})) << "below the last: last";
  RECT window = {};
  ::GetWindowRect(favorites_.Handle(), &window);
  Drag(list, 1, {window.right + 40, window.top + 40});
  EXPECT_EQ(favorites_.Entries(), (Folders{"C:\\C", "C:\\B", "C:\\D", "C:\\A"})) << "out of the window: back";
  EXPECT_EQ(Bytes(), "C:\\C\r\nC:\\B\r\nC:\\D\r\nC:\\A\r\n");
  EXPECT_EQ(MenuEntries().size(), 4u);
}

// Until a drop lands the list and the file stay as they were, so a drag that is ended any other
// way loses nothing: the mouse taken by another window, the system cancelling it (as it does when
// the user switches to another program), or the window going while the program closes.
TEST_F(FavoritesWindow, ADragThatLosesTheMouseChangesNeitherListNorFile) {
  const std::string bytes = "C:\\A\r\nC:\\B\r\nC:\\C\r\nC:\\D\r\n";
  const Folders entries = {"C:\\A", "C:\\B", "C:\\C", "C:\\D"};
  struct Case {
    const char* what;
    std::function<void(HWND favorites)> interrupt;
  };
  const Case cases[] = {
      {"another window takes the mouse", [this](HWND) { ::SetCapture(main_); }},
      {"the system cancels the drag", [](HWND favorites) { ::SendMessageA(favorites, WM_CANCELMODE, 0, 0); }},
      {"the window goes", [this](HWND) { favorites_.Destroy(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(bytes);
    favorites_.Toggle();
    HWND list = ::GetDlgItem(favorites_.Handle(), IDC_FAVORITES_LIST);
    std::string duringDrag;
    Folders listDuringDrag;
    Drag(list, 1, OnItem(list, 3), [&] {
      duringDrag = Bytes();
      listDuringDrag = favorites_.Entries();
      c.interrupt(favorites_.Handle());
      ::ReleaseCapture();
    });
    EXPECT_EQ(duringDrag, bytes);
    EXPECT_EQ(listDuringDrag, entries);
    EXPECT_EQ(Bytes(), bytes);
    if (!favorites_.Handle()) continue;
    EXPECT_EQ(favorites_.Entries(), entries);
    // The drag is over: the mouse moving and let go over the window now does nothing.
    EXPECT_EQ(::GetCapture(), nullptr);
    favorites_.Destroy();
  }
}

}  // namespace
