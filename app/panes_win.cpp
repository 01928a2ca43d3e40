// The panes as they stand today: the thumbnail view says which folder it will show, the folder
// tree and the Key view are plain trees until their own work arrives.
#include "panes.h"

#include <commctrl.h>

#include "placeholder_pane.h"
#include "program_state.h"

namespace {

PlaceholderPane g_thumbnailPane;
PlaceholderPane g_folderTreePane;
View g_keyPane;

}  // namespace

bool CreateFolderTreePane(HWND parent, UINT id) {
  return g_folderTreePane.Create(parent, id, "Folders");
}

bool CreateKeyPane(HWND parent, UINT id) {
  return g_keyPane.CreateControl(WC_TREEVIEWA, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS,
                                 RECT{0, 0, 0, 0}, parent, id);
}

bool CreateThumbnailPane(HWND parent, UINT id) {
  return g_thumbnailPane.Create(parent, id, "Choose a folder to see its pictures");
}

void ApplyFolderTreeOptions(bool, bool) {}

std::string FolderTreeSelectedPath() { return g_program.currentFolder; }

void SelectFolderInTree(const std::string&) {}

void RefreshFolderTree() {}

HWND FolderTreeWindow() { return g_folderTreePane.Handle(); }

void ShowFolderInThumbnailPane(const std::string& folder) {
  g_thumbnailPane.SetMessage("Thumbnails of " + folder + " will appear here");
}

void RefreshThumbnailPane() { ::InvalidateRect(g_thumbnailPane.Handle(), nullptr, TRUE); }

void FocusThumbnailPane() { ::SetFocus(g_thumbnailPane.Handle()); }
