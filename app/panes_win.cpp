// The three panes of the main frame, and what the Key view asks of the other two.
#include "panes.h"

#include "command_ids.h"
#include "contact_sheet_layout.h"
#include "dir_tree_view.h"
#include "key_view.h"
#include "key_view_host.h"
#include "main_frame.h"
#include "program_state.h"
#include "vireldan_view.h"

namespace {

CVireldanView g_thumbnailView;
CDirTreeView g_folderTreePane;

class KeyPaneHost : public KeyViewHost {
 public:
  void ShowKeySearchResults(const CNameNode* hits, bool merge) override {
    g_thumbnailView.ShowKeySearchResults(hits, merge);
  }
  void SetKeyOnSelected(CKeyIndex::TreeItem key, bool add) override { g_thumbnailView.SetKeyOnSelected(key, add); }
  void ShowFolder(const std::string& folder) override { g_thumbnailView.SetFolder(folder); }
  void RedrawThumbnails() override {
    ::RedrawWindow(g_thumbnailView.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  void SetStatusText(const std::string& text) override {
    if (g_program.mainFrame) g_program.mainFrame->SetStatusText(text);
  }
  void AppendStatusText(const std::string& text) override {
    if (g_program.mainFrame) g_program.mainFrame->AppendStatusText(text);
  }
};

KeyPaneHost g_keyPaneHost;
CKeyView g_keyPane(g_keyIndex, g_keyPaneHost);

}  // namespace

bool CreateFolderTreePane(HWND parent, UINT id) {
  if (!g_folderTreePane.Create(parent, id)) return false;
  g_program.dirTree = &g_folderTreePane;
  return true;
}

bool CreateKeyPane(HWND parent, UINT id) {
  if (!g_keyPane.Create(parent, id)) return false;
  g_program.keyView = &g_keyPane;
  return true;
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

bool FolderTreeOnScreenSaverItem() { return g_folderTreePane.Handle() && g_folderTreePane.IsScreenSaverItem(); }

void SelectFolderInTree(const std::string& path) { g_folderTreePane.SelectPath(path); }

void RefreshFolderTree() { g_folderTreePane.RefreshAll(); }

void ExpandFolderTreeSelection() { g_folderTreePane.ExpandSelected(); }

void RefreshFolderTreeDrive(DWORD unitMask) { g_folderTreePane.RefreshDrive(unitMask); }

HWND FolderTreeWindow() { return g_folderTreePane.Handle(); }

void SetFolderTreeDraggedFiles(const std::vector<std::string>& paths) { g_folderTreePane.SetDraggedFiles(paths); }

bool RunFolderTreeCommand(UINT id) {
  return CDirTreeView::IsFolderCommand(id) && g_folderTreePane.Handle() && g_folderTreePane.OnCommand(id);
}

bool UpdateFolderTreeCommand(CommandState& state) {
  return CDirTreeView::IsFolderCommand(state.id) && g_folderTreePane.Handle() &&
         g_folderTreePane.OnUpdateCommand(state);
}

CKeyIndex::TreeItem KeyPaneSelection() { return g_keyPane.SelectedKey(); }

// F2 renames a key only while the Key view has the focus (it is then the active view).
bool KeyPaneCommand(UINT id) { return id != ID_RENAME_F2 && g_keyPane.Handle() && g_keyPane.OnCommand(id); }

bool UpdateKeyPaneCommand(CommandState& state) {
  return state.id != ID_RENAME_F2 && g_keyPane.Handle() && g_keyPane.OnUpdateCommand(state);
}

void RefreshKeyPane() {
  if (g_keyPane.Handle()) g_keyPane.RefreshTree();
}

void ShowFolderInThumbnailPane(const std::string& folder) { g_thumbnailView.SetFolder(folder); }

HWND ThumbnailPaneWindow() { return g_program.thumbnailView ? g_program.thumbnailView->Handle() : nullptr; }

void DeselectAllInThumbnailPane() {
  if (g_program.thumbnailView) g_program.thumbnailView->DeselectAll();
}

void SelectInThumbnailPane(int id) {
  if (g_program.thumbnailView) g_program.thumbnailView->SelectById(id);
}

bool ThumbnailPaneShowsPlainFolder() { return g_thumbnailView.ShowsPlainFolder(); }

void RefreshThumbnailPane() { g_thumbnailView.Refresh(true, true); }

void AutoSortThumbnailPane() { g_thumbnailView.AutoSort(); }

void ApplyThumbnailSizeInPane() { g_thumbnailView.ApplyThumbnailSize(); }

void FocusThumbnailPane() { ::SetFocus(g_thumbnailView.Handle()); }

void ClearThumbnailPane() { g_thumbnailView.ClearView(); }

void FilterThumbnailPaneByKey(CKeyIndex::TreeItem key, bool exclude) { g_thumbnailView.FilterByKey(key, exclude); }

void ThumbnailReadyInPane() { g_thumbnailView.OnThumbnailReady(); }

void StopThumbnailLoader() { g_thumbnailView.StopLoader(); }

void WaitForThumbnailLoaderIdle() { g_thumbnailView.WaitForLoaderIdle(); }

void ClearThumbnailOpenQueue() { g_thumbnailView.ClearOpenQueue(); }

bool ProcessThumbnailOpenQueue() { return g_thumbnailView.ProcessOpenQueue(); }

bool ThumbnailPaneCommand(UINT id) { return g_thumbnailView.OnCommand(id); }

std::vector<std::string> ThumbnailPanePaths(bool selectedOnly) {
  std::vector<std::string> paths;
  CThumbList& items = g_thumbnailView.Items();
  for (CThumbItem* item = selectedOnly ? items.GetFirstSelected() : items.GetFirst(); item;
       item = selectedOnly ? items.GetNextSelected() : items.GetNext())
    paths.push_back(item->folder + item->name);
  return paths;
}

bool SingleSelectedThumbnailPath(std::string& path) {
  CThumbList& items = g_thumbnailView.Items();
  if (items.CountSelected() != 1) return false;
  const CThumbItem* item = items.GetFirstSelected();
  if (!item) return false;
  path = item->folder + item->name;
  return true;
}

bool UpdateThumbnailPaneCommand(CommandState& state) { return g_thumbnailView.OnUpdateCommand(state); }

bool CopyPaneThumbnail(const std::string& path, Cimage& copy) {
  CThumbList& items = g_thumbnailView.Items();
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    if (item->thumbnail && item->thumbnail->m_valid && item->folder + item->name == path) {
      copy = *item->thumbnail;
      return true;
    }
  return false;
}

std::vector<ContactSheetItem> ThumbnailPaneSheetItems(bool selectedOnly, bool* composed) {
  std::vector<ContactSheetItem> sheetItems;
  CThumbList& items = g_thumbnailView.Items();
  // Whatever folders its files happen to lie in: a subfolder listing or a key filter may hold
  // files of the one folder only, and still is not that folder.
  if (composed) *composed = !g_thumbnailView.ShowsPlainFolder();
  for (CThumbItem* item = selectedOnly ? items.GetFirstSelected() : items.GetFirst(); item;
       item = selectedOnly ? items.GetNextSelected() : items.GetNext())
    sheetItems.push_back({item->folder + item->name, item->name, item->GetDateText(), item->sizeKB});
  return sheetItems;
}
