#include "name_space_tree_view.h"

#include <cstring>

#include "app.h"
#include "program_state.h"

namespace {

bool IsSameOrInside(const std::string& path, const std::string& folder) {
  if (path.size() < folder.size() || _strnicmp(path.c_str(), folder.c_str(), folder.size()) != 0) return false;
  return path.size() == folder.size() || path[folder.size()] == '\\';
}

}  // namespace

void CNameSpaceTreeView::LeaveFolder(const std::string& folder) {
  char current[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, current);
  std::string currentPath(current, length < MAX_PATH ? length : 0);
  while (currentPath.size() > 3 && currentPath.back() == '\\') currentPath.pop_back();
  if (!IsSameOrInside(currentPath, folder)) return;
  ::SetCurrentDirectoryA(SiblingPath(folder, "").c_str());
}

bool CNameSpaceTreeView::Create(HWND parent, UINT id) {
  if (!Window::Create(0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
    return false;
  }
  tree_.SetStyleBits(TVS_EDITLABELS, TVS_DISABLEDRAGDROP);
  tree_.SetShowLinks(true);
  tree_.SetDesktopPath(g_program.desktopFolder);
  tree_.SetScreenSaverPaths(g_program.screenSaverBase, g_program.screenSaverFile);
  RECT area = {};
  ::GetClientRect(Handle(), &area);
  // The selection stays visible while the thumbnails have the focus: it is the folder they show.
  if (!tree_.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, area,
                    Handle(), kTreeId))
    return false;
  SetControl(tree_.Handle());
  return true;
}

FolderItemKind CNameSpaceTreeView::KindOf(HTREEITEM item) const {
  FolderItemKind kind;
  if (!item) return kind;
  kind.fileSystem = tree_.IsFileSystemItem(item);
  kind.root = tree_.IsRootItem(item);
  kind.driveRoot = tree_.IsDriveRoot(item);
  kind.recycleBin = tree_.IsRecycleBin(item);
  kind.screenSaver = tree_.IsScreenSaverItem(item);
  kind.link = tree_.IsLink(item);
  kind.path = tree_.GetItemPath(item);
  if (kind.link) kind.linkFile = tree_.GetItemRawPath(item);
  return kind;
}

int CNameSpaceTreeView::Message(const std::string& text, UINT flags) const {
  return ::MessageBoxA(MainWindow(), text.c_str(), MessageCaption(), flags);
}

void CNameSpaceTreeView::OnEndLabelEdit(HTREEITEM item, const char* text) {
  if (item && text) RenameInPlace(item, text);
}

void CNameSpaceTreeView::RenameInPlace(HTREEITEM item, const std::string& text) {
  if (!CanRenameInPlace(KindOf(item))) {
    Message(kNotAFolderItemMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::string name;
  if (!CleanFolderLabel(text, name)) {
    Message(kBadFolderNameMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const bool selected = tree_.GetSelectedItem() == item;
  const std::string oldPath = tree_.GetItemPath(item);
  const std::string newPath = SiblingPath(oldPath, name);
  if (newPath == oldPath) return;
  LeaveFolder(oldPath);
  if (!::MoveFileA(oldPath.c_str(), newPath.c_str())) {
    Message("Error renaming directory.", MB_OK | MB_ICONEXCLAMATION);
    tree_.SetItemText(item, tree_.GetItemDisplayName(item));
    return;
  }
  OnFolderRenamed(item, oldPath, newPath);
  tree_.RenameItem(item, oldPath, newPath);
  if (selected) tree_.SelectNearestPath(newPath);
}

bool CNameSpaceTreeView::OnControlNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  NMTREEVIEWA* change = reinterpret_cast<NMTREEVIEWA*>(header);
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelChanged();
      return true;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      labelEdit_.Begin(header);
      return false;  // the edit goes ahead
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
      TreeLabelEdit::Ended ended;
      if (labelEdit_.End(header, ended)) OnEndLabelEdit(ended.item, ended.cancelled ? nullptr : ended.text.c_str());
      return true;
    }
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
      OnBeginDrag(change->itemNew.hItem);
      return true;
    default:
      return false;
  }
}
