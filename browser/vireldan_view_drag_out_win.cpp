// Dragging the selection out of the thumbnail view, to another program or to the folder tree: the
// selected files travel as a CF_HDROP drop, and the drop target decides what happens to them.
// While the drag runs, the folder is not watched and the loader decodes nothing, so that neither
// holds a file the target may want to move.
#include <vector>

#include "drop_files_block.h"
#include "drop_files_source.h"
#include "panes.h"
#include "thumb_loader.h"
#include "vireldan_view.h"

std::vector<std::string> CVireldanView::GetSelectedPaths() {
  std::vector<std::string> paths;
  for (const CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected())
    paths.push_back(item->folder + item->name);
  return paths;
}

void CVireldanView::DragSelectionOut() {
  hideSelected_ = true;
  Redraw();
  // The drag's own message loop may not paint before the pointer reaches its target.
  ::UpdateWindow(Handle());
  StartDragDrop();
  anchor_ = nullptr;
  hideSelected_ = false;
  Redraw();
}

void CVireldanView::StartDragDrop() {
  const std::vector<std::string> paths = GetSelectedPaths();
  if (paths.empty()) return;
  watchSuspended_ = true;
  CloseChangeNotification();
  if (loader_) loader_->SetSuspended(true);
  SetFolderTreeDraggedFiles(paths);
  const DWORD effect = DragDropFiles(DropFilesBlock(paths), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  SetFolderTreeDraggedFiles({});
  if (effect == DROPEFFECT_MOVE) {
    NoteCacheChange(int(paths.size()));
    if (plainFolder_) {
      Refresh(true, true);
    } else {
      // Search results and folder-tree listings are not listed again: the items of the files that
      // have really gone leave them. A target that said "moved" but left a file in place does not
      // hide it.
      std::vector<CThumbItem*> gone;
      for (CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected())
        if (::GetFileAttributesA((item->folder + item->name).c_str()) == INVALID_FILE_ATTRIBUTES) gone.push_back(item);
      for (CThumbItem* item : gone) RemoveItem(item);
    }
    UpdateScrollAndStatus();
  }
  if (loader_) loader_->SetSuspended(false);
  watchSuspended_ = false;
  if (plainFolder_ && !folder_.empty()) OpenChangeNotification(folder_);
}
