// Every command a user can give — each item of the program's menus and context menus, each
// accelerator and each toolbar button — reaches a handler of its own: a command that no window
// handles would sit greyed out or do nothing.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "collage_wnd.h"
#include "command_ids.h"
#include "dir_tree_view.h"
#include "image_wnd.h"
#include "key_view.h"
#include "main_frame.h"
#include "resource.h"
#include "tool_bar.h"
#include "vireldan_app.h"
#include "vireldan_view.h"

namespace {

void CollectMenu(HMENU menu, std::set<UINT>& ids) {
  for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i) {
    if (HMENU popup = ::GetSubMenu(menu, i)) {
      CollectMenu(popup, ids);
      continue;
    }
    // 0 is a separator; the Send To submenu's placeholder gives way to the user's Send To
    // entries when it opens.
    const UINT id = ::GetMenuItemID(menu, i);
    if (id != 0 && id != UINT(-1) && id != ID_SEND_TO_PLACEHOLDER) ids.insert(id);
  }
}

// The commands of a menu resource, or of one of its submenus (position 0 and up).
std::set<UINT> MenuCommands(int resource, int submenu = -1) {
  std::set<UINT> ids;
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
  EXPECT_TRUE(menu) << "menu " << resource;
  HMENU part = menu && submenu >= 0 ? ::GetSubMenu(menu, submenu) : menu;
  if (part) CollectMenu(part, ids);
  ::DestroyMenu(menu);
  return ids;
}

std::set<UINT> AcceleratorCommands(int resource) {
  std::set<UINT> ids;
  HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
  EXPECT_TRUE(table);
  std::vector<ACCEL> keys(size_t(::CopyAcceleratorTableA(table, nullptr, 0)));
  ::CopyAcceleratorTableA(table, keys.data(), int(keys.size()));
  for (const ACCEL& key : keys) ids.insert(key.cmd);
  return ids;
}

std::set<UINT> ToolbarCommands(int resource) {
  ToolBarLayout layout;
  EXPECT_TRUE(ReadToolBarResource(::GetModuleHandleA(nullptr), resource, layout)) << "toolbar " << resource;
  std::set<UINT> ids(layout.commands.begin(), layout.commands.end());
  ids.erase(0);  // separators
  return ids;
}

bool Handled(UINT id) {
  return CVireldanView::Handles(id) || CDirTreeView::Handles(id) || CKeyView::Handles(id) ||
         CMainFrame::Handles(id) || CVireldanApp::Handles(id);
}

TEST(CommandHandlers, EveryCommandOfTheFrameReachesAHandler) {
  const struct {
    const char* what;
    std::set<UINT> ids;
  } sources[] = {
      {"main menu", MenuCommands(IDR_MAINFRAME)},
      {"menu with the Key menu", MenuCommands(IDR_KEYMENU)},
      {"context menus", MenuCommands(IDR_CONTEXT_MENUS)},
      {"accelerators", AcceleratorCommands(IDR_MAINFRAME)},
      {"toolbar", ToolbarCommands(IDR_MAINFRAME)},
      {"Key view toolbar", ToolbarCommands(IDR_KEYTOOLBAR)},
  };
  for (const auto& source : sources) {
    EXPECT_GT(source.ids.size(), 5u) << source.what;
    for (UINT id : source.ids)
      EXPECT_TRUE(Handled(id) || CImageWnd::Handles(id)) << source.what << ": command " << id << " has no handler";
  }
}

// The thumbnail view's context menu is tracked for the frame, so its commands come to the frame
// whichever pane has the focus (a right click does not move it there): the frame passes each one
// on, the user's Send To entries too.
TEST(CommandHandlers, TheThumbnailViewsContextMenuReachesTheViewWithoutTheFocus) {
  std::set<UINT> ids = MenuCommands(IDR_CONTEXT_MENUS, 0);
  ASSERT_GT(ids.size(), 5u);
  ids.insert({ID_SEND_TO_FIRST, ID_SEND_TO_LAST});
  for (UINT id : ids) {
    if (CVireldanView::Handles(id))
      EXPECT_TRUE(CMainFrame::Handles(id) || CVireldanApp::Handles(id)) << "command " << id << " reaches only a focused view";
  }
}

TEST(CommandHandlers, EveryCommandOfTheCollageWindowReachesIt) {
  for (UINT id : MenuCommands(IDR_COLLAGE)) EXPECT_TRUE(CCollageWnd::Handles(id)) << "command " << id;
}

// A menu item's check mark shows its setting, also where the command opens a dialog rather than
// flipping the setting.
TEST(CommandHandlers, CheckMarksShowTheirSettings) {
  const struct {
    UINT id;
    int* setting;
  } marks[] = {
      {ID_EXIF_TIPS, &g_settings.thumbnails.exif_tipsenable},
      {ID_ANNOTATION_TIPS, &g_settings.thumbnails.annotations},
      {ID_TIP_OF_THE_DAY, &g_settings.mainOptions.tipson},
  };
  CMainFrame frame;
  for (const auto& mark : marks)
    for (int value : {1, 0}) {
      *mark.setting = value;
      CommandState state;
      state.id = mark.id;
      ASSERT_TRUE(frame.OnUpdateCommand(state)) << mark.id;
      EXPECT_EQ(state.checked, value == 1) << mark.id;
    }
}

}  // namespace
