#include "drag_drop_dir_view.h"

#include "app_settings.h"
#include "drag_threshold.h"
#include "drop_files_block.h"
#include "drop_files_source.h"
#include "file_system.h"
#include "shell_tree_messages.h"
#include "transfer_paths.h"

namespace {

constexpr DWORD kScrollDelay = 500;     // after the drag entered, before the tree scrolls
constexpr DWORD kScrollInterval = 200;  // between two scrolled lines
constexpr int kTopScrollZone = 20;
constexpr int kBottomScrollZone = 30;

}  // namespace

LRESULT CDragDropDirView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      dropTarget_.Register(Handle());
      break;
    case WM_DESTROY:
      dropTarget_.Revoke();
      break;
    case WM_TIMER:
      if (wParam == kHoverTimer) {
        OnHoverTimer();
        return 0;
      }
      break;
    default:
      break;
  }
  return CNameSpaceTreeView::WndProc(message, wParam, lParam);
}

DWORD CDragDropDirView::OnDragEnter(IDataObject*, DWORD, POINT) {
  dragEnterTime_ = lastScrollTime_ = ::GetTickCount();
  return DROPEFFECT_NONE;
}

DWORD CDragDropDirView::OnDragOver(DWORD keys, POINT point) {
  if (!WithinDragThreshold(point, hoverPoint_)) {
    ::SetTimer(Handle(), kHoverTimer, g_settings.preferences.slowdirs ? 3500 : 900, nullptr);
    hoverPoint_ = point;
  }
  ScrollWhileDragging(point);
  const HTREEITEM item = Tree().HitTest(point);
  Tree().SelectDropTarget(item);
  if (!item) return DROPEFFECT_NONE;
  const DWORD effect = DragOverEffect({(keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0}, IsScreenSaverItem(item));
  const bool ontoTheirOwnFolder = !draggedFilesFolder_.empty() && IsSameFolder(GetItemPath(item), draggedFilesFolder_);
  return ontoTheirOwnFolder && effect != DROPEFFECT_LINK ? DROPEFFECT_NONE : effect;
}

void CDragDropDirView::SetDraggedFiles(const std::vector<std::string>& paths) {
  dropTarget_.SetFileList(paths);
  draggedFilesFolder_.clear();
  for (const std::string& path : paths) {
    const std::string folder = path.substr(0, path.size() - platform::FileNameOf(path).size());
    if (&path != &paths.front() && !IsSameFolder(folder, draggedFilesFolder_)) {
      draggedFilesFolder_.clear();
      break;
    }
    draggedFilesFolder_ = folder;
  }
}

void CDragDropDirView::ScrollWhileDragging(POINT point) {
  const DWORD now = ::GetTickCount();
  if (now - dragEnterTime_ <= kScrollDelay || now - lastScrollTime_ <= kScrollInterval) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  int direction = -1;
  if (point.y < kTopScrollZone) direction = SB_LINEUP;
  if (point.y > client.bottom - kBottomScrollZone) direction = SB_LINEDOWN;
  if (direction < 0) return;
  const HWND tree = Tree().Handle();
  const int position = ::GetScrollPos(tree, SB_VERT);
  ::SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(direction, position), 0);
  // OLE's drag loop starves the tree's painting; a folder dragged out of it would leave a smear.
  if (folderDrag_) ::UpdateWindow(tree);
  lastScrollTime_ = now;
}

void CDragDropDirView::OnHoverTimer() {
  ::KillTimer(Handle(), kHoverTimer);
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(Tree().Handle(), &cursor);
  if (!WithinDragThreshold(cursor, hoverPoint_) || !g_settings.preferences.expanddirs) return;
  if (const HTREEITEM item = Tree().HitTest(cursor)) Tree().Expand(item, TVE_EXPAND);
}

void CDragDropDirView::EndDragFeedback() {
  hoverPoint_ = POINT{-100, -100};
  ::KillTimer(Handle(), kHoverTimer);
  Tree().SelectDropTarget(nullptr);
}

void CDragDropDirView::OnDragLeave() { EndDragFeedback(); }

void CDragDropDirView::OnBeginDrag(HTREEITEM item) {
  const std::string path = GetItemPath(item);
  // Only real folders can be dropped elsewhere as files; My Computer and its kind have no path.
  if (!IsAbsolutePath(path)) return;
  draggedFolder_ = path;
  folderDrag_ = true;
  const DWORD effect = DragDropFiles(DropFilesBlock(path), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  folderDrag_ = false;
  // The item goes only when the folder has really gone from where it was.
  if (effect == DROPEFFECT_MOVE && ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ::PostMessageA(Tree().Handle(), WM_TREE_DELETECHILD, reinterpret_cast<WPARAM>(Tree().GetParentItem(item)),
                   reinterpret_cast<LPARAM>(item));
  }
}
