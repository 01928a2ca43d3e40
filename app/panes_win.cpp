// The panes as they stand today: the folder tree; the thumbnail view says which folder it will
// show, and the Key view is a plain tree until their own work arrives.
#include "panes.h"

#include <commctrl.h>

#include "dir_tree_view.h"
#include "placeholder_pane.h"
#include "program_state.h"

namespace {

PlaceholderPane g_thumbnailPane;
CDirTreeView g_folderTreePane;
View g_keyPane;

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

bool CreateThumbnailPane(HWND parent, UINT id) {
  return g_thumbnailPane.Create(parent, id, "Choose a folder to see its pictures");
}

void ApplyFolderTreeOptions(bool showHidden, bool showLinks) {
  g_folderTreePane.SetShowHidden(showHidden);
  g_folderTreePane.SetShowLinks(showLinks);
}

std::string FolderTreeSelectedPath() { return g_folderTreePane.GetSelectedPath(); }

void SelectFolderInTree(const std::string& path) { g_folderTreePane.SelectPath(path); }

void RefreshFolderTree() { g_folderTreePane.RefreshAll(); }

HWND FolderTreeWindow() { return g_folderTreePane.Handle(); }

bool RunFolderTreeCommand(UINT id) {
  return CDirTreeView::IsFolderCommand(id) && g_folderTreePane.Handle() && g_folderTreePane.OnCommand(id);
}

bool UpdateFolderTreeCommand(CommandState& state) {
  return CDirTreeView::IsFolderCommand(state.id) && g_folderTreePane.Handle() &&
         g_folderTreePane.OnUpdateCommand(state);
}

void ShowFolderInThumbnailPane(const std::string& folder) {
  g_thumbnailPane.SetMessage("Thumbnails of " + folder + " will appear here");
}

void RefreshThumbnailPane() { ::InvalidateRect(g_thumbnailPane.Handle(), nullptr, TRUE); }

void FocusThumbnailPane() { ::SetFocus(g_thumbnailPane.Handle()); }

void ClearThumbnailPane() { g_thumbnailPane.SetMessage(std::string()); }
