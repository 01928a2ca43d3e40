// The folder tree pane's messages: the start folder, the selection, the keys it takes, the
// context menu and the end of a label edit.
#include "dir_tree_view.h"

#include "app_settings.h"
#include "key_index.h"
#include "main_frame.h"
#include "panes.h"
#include "private_messages.h"
#include "program_state.h"
#include "resource.h"
#include "wait_cursor.h"

void CDirTreeView::PostFolderChanged() { ::PostMessageA(MainWindow(), WM_DIR_CHANGED, 0, 0); }

void CDirTreeView::OnSelChanged() { PostFolderChanged(); }

void CDirTreeView::SelectStartFolder() {
  WaitCursor wait;
  // A folder from the command line that the shell cannot find gives way to the remembered one.
  if (g_program.openFolderFlag) {
    if (const HTREEITEM item = Tree().FindItemByPath(g_program.commandLinePath)) {
      Tree().SelectItem(item);
      return;
    }
  }
  std::string start = g_settings.mainOptions.mainpath;
  if (!g_program.openFolderFlag && g_settings.fileOptions.usehomedir) start = g_settings.fileOptions.homedirectory;
  // Paths handed to the tree never end in a backslash.
  while (start.size() > 2 && start.back() == '\\') start.pop_back();
  SelectPath(start);
}

void CDirTreeView::OnEndLabelEdit(HTREEITEM item, const char* text) {
  const bool naming = newFolder_;
  newFolder_ = false;
  if (!text) return;  // the edit was cancelled: nothing changes
  // No file of the old folder may stay open while it is renamed.
  if (!naming) ReleaseOpenFolders();
  CDragDropDirView::OnEndLabelEdit(item, text);
  if (!naming) PostFolderChanged();
}

void CDirTreeView::OnFolderRenamed(HTREEITEM, const std::string& oldPath, const std::string& newPath) {
  g_keyIndex.InvalidateSummaries(oldPath);
  g_keyIndex.InvalidateSummaries(newPath);
}

void CDirTreeView::OnFilesTransferred() {
  g_keyIndex.SaveSecondFolder();
  g_keyIndex.SaveFolder();
}

void CDirTreeView::ShowContextMenu(POINT point) {
  // The menu's commands act on the selection, so the folder clicked becomes the selection first.
  if (const HTREEITEM clicked = Tree().HitTest(point)) Tree().SelectItem(clicked);
  const HMENU menus = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  if (!menus) return;
  if (const HMENU menu = ::GetSubMenu(menus, Tree().GetImageKind())) {
    ::ClientToScreen(Tree().Handle(), &point);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, MainWindow(), nullptr);
  }
  ::DestroyMenu(menus);
}

bool CDirTreeView::PreTranslateMessage(MSG& message) {
  if (message.hwnd != Tree().Handle()) return false;
  // Home goes to the home folder instead of the tree's first item; its key-up goes with it.
  if (message.message == WM_KEYDOWN && message.wParam == VK_HOME) {
    homeKeyDown_ = true;
    if (g_program.mainFrame) g_program.mainFrame->GoHome();
    return true;
  }
  if (message.message == WM_KEYUP && message.wParam == VK_HOME && homeKeyDown_) {
    homeKeyDown_ = false;
    return true;
  }
  return false;
}

LRESULT CDirTreeView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TREE_STARTFOLDER:
      SelectStartFolder();
      return 0;
    case WM_TREE_ENSUREVISIBLE:
      Tree().EnsureVisible(Tree().GetSelectedItem());
      ::SetFocus(Tree().Handle());
      return 0;
    case WM_TREE_TAB:
      if (wParam == VK_TAB) FocusThumbnailPane();
      return 0;
    case WM_RBUTTONDOWN:
      ShowContextMenu(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
      return 0;
    default:
      break;
  }
  return CDragDropDirView::WndProc(message, wParam, lParam);
}
