// The panes as they stand today: the folder tree and the thumbnail view are built; the Key view
// is a plain tree until its own work arrives.
#include "panes.h"

#include <commctrl.h>

#include "dir_tree_view.h"
#include "program_state.h"
#include "vireldan_view.h"

namespace {

CVireldanView g_thumbnailView;
CDirTreeView g_folderTreePane;
View g_keyPane;
CKeyIndex::TreeItem g_keyPaneSelection = nullptr;

}  // namespace

bool CreateFolderTreePane(HWND parent, UINT id) {
  if (!g_folderTreePane.Create(parent, id)) return false;
  g_program.dirTree = &g_folderTreePane;
  return true;
}

bool CreateKeyPane(HWND parent, UINT id) {
  return g_keyPane.CreateControl(WC_TREEVIEWA, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS,
                                 RECT{0, 0, 0, 0}, parent, id);
}

bool CreateThumbnailPane(HWND parent, UINT id, HWND notify) {
  if (!g_thumbnailView.Create(parent, id, notify)) return false;
  g_program.thumbnailView = &g_thumbnailView;
  return true;
}

void ApplyFolderTreeOptions(bool showHidden, bool showLinks) {
  g_folderTreePane.SetShowHidden(showHidden);
  g_folderTreePane.SetShowLinks(showLinks);
}

std::string FolderTreeSelectedPath() { return g_folderTreePane.GetSelectedPath(); }

void SelectFolderInTree(const std::string& path) { g_folderTreePane.SelectPath(path); }

void RefreshFolderTree() { g_folderTreePane.RefreshAll(); }

void RefreshFolderTreeDrive(DWORD unitMask) { g_folderTreePane.RefreshDrive(unitMask); }

HWND FolderTreeWindow() { return g_folderTreePane.Handle(); }

bool RunFolderTreeCommand(UINT id) {
  return CDirTreeView::IsFolderCommand(id) && g_folderTreePane.Handle() && g_folderTreePane.OnCommand(id);
}

bool UpdateFolderTreeCommand(CommandState& state) {
  return CDirTreeView::IsFolderCommand(state.id) && g_folderTreePane.Handle() &&
         g_folderTreePane.OnUpdateCommand(state);
}

void SetKeyPaneSelection(CKeyIndex::TreeItem key) { g_keyPaneSelection = key; }

CKeyIndex::TreeItem KeyPaneSelection() { return g_keyPaneSelection; }

void ShowFolderInThumbnailPane(const std::string& folder) { g_thumbnailView.SetFolder(folder); }

void RefreshThumbnailPane() { g_thumbnailView.Refresh(true, true); }

void FocusThumbnailPane() { ::SetFocus(g_thumbnailView.Handle()); }

void ClearThumbnailPane() { g_thumbnailView.ClearView(); }

void FilterThumbnailPaneByKey(CKeyIndex::TreeItem key, bool exclude) { g_thumbnailView.FilterByKey(key, exclude); }

void ThumbnailReadyInPane() { g_thumbnailView.OnThumbnailReady(); }

void StopThumbnailLoader() { g_thumbnailView.StopLoader(); }

void ClearThumbnailOpenQueue() { g_thumbnailView.ClearOpenQueue(); }

bool ProcessThumbnailOpenQueue() { return g_thumbnailView.ProcessOpenQueue(); }

bool ThumbnailPaneCommand(UINT id) { return g_thumbnailView.OnCommand(id); }

bool SingleSelectedThumbnailPath(std::string& path) {
  CThumbList& items = g_thumbnailView.Items();
  if (items.CountSelected() != 1) return false;
  const CThumbItem* item = items.GetFirstSelected();
  if (!item) return false;
  path = item->folder + item->name;
  return true;
}

bool UpdateThumbnailPaneCommand(CommandState& state) { return g_thumbnailView.OnUpdateCommand(state); }
