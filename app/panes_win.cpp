// The panes as they stand today: the thumbnail view is built; the folder tree and the Key view are
// plain panes until their own work arrives. The folder tree's stand-in keeps the selected path
// and reports a selection to the frame as the tree will.
#include "panes.h"

#include <commctrl.h>

#include "app_settings.h"
#include "placeholder_pane.h"
#include "private_messages.h"
#include "program_state.h"
#include "vireldan_view.h"

namespace {

CVireldanView g_thumbnailView;
View g_keyPane;
std::string g_treeSelection;

// The start folder of the first idle time: the command line's folder, else the home folder when
// that option is on, else the folder shown last.
class FolderTreeStandIn : public PlaceholderPane {
 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TREE_STARTFOLDER) return PlaceholderPane::WndProc(message, wParam, lParam);
    if (g_program.openFolderFlag)
      SelectFolderInTree(g_program.commandLinePath);
    else if (g_settings.fileOptions.usehomedir && !g_settings.fileOptions.homedirectory.empty())
      SelectFolderInTree(g_settings.fileOptions.homedirectory);
    else if (!g_settings.mainOptions.mainpath.empty())
      SelectFolderInTree(g_settings.mainOptions.mainpath);
    return 0;
  }
};

FolderTreeStandIn g_folderTree;

}  // namespace

bool CreateFolderTreePane(HWND parent, UINT id) { return g_folderTree.Create(parent, id, "Folders"); }

bool CreateKeyPane(HWND parent, UINT id) {
  return g_keyPane.CreateControl(WC_TREEVIEWA, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS,
                                 RECT{0, 0, 0, 0}, parent, id);
}

bool CreateThumbnailPane(HWND parent, UINT id, HWND notify) {
  if (!g_thumbnailView.Create(parent, id, notify)) return false;
  g_program.thumbnailView = &g_thumbnailView;
  return true;
}

void ApplyFolderTreeOptions(bool, bool) {}

std::string FolderTreeSelectedPath() { return g_treeSelection; }

void SelectFolderInTree(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
  if (folder.empty() || folder == g_treeSelection) return;
  g_treeSelection = folder;
  g_folderTree.SetMessage(folder);
  if (g_program.mainFrame) ::PostMessageA(::GetAncestor(g_folderTree.Handle(), GA_ROOT), WM_DIR_CHANGED, 0, 0);
}

void RefreshFolderTree() {}

HWND FolderTreeWindow() { return g_folderTree.Handle(); }

void ShowFolderInThumbnailPane(const std::string& folder) { g_thumbnailView.SetFolder(folder); }

void RefreshThumbnailPane() { g_thumbnailView.Refresh(true, true); }

void FocusThumbnailPane() { ::SetFocus(g_thumbnailView.Handle()); }

void ThumbnailReadyInPane() { g_thumbnailView.OnThumbnailReady(); }

void StopThumbnailLoader() { g_thumbnailView.StopLoader(); }

void ClearThumbnailOpenQueue() { g_thumbnailView.ClearOpenQueue(); }

bool ProcessThumbnailOpenQueue() { return g_thumbnailView.ProcessOpenQueue(); }

bool ThumbnailPaneCommand(UINT id) { return g_thumbnailView.OnCommand(id); }

bool UpdateThumbnailPaneCommand(CommandState& state) { return g_thumbnailView.OnUpdateCommand(state); }
