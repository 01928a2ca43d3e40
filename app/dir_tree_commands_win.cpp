// The folder tree pane's commands: new child and sibling folders, rename, delete to the Recycle
// Bin, the folder's properties, and the screen saver's three shell calls.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app_settings.h"
#include "command_ids.h"
#include "confirm_delete_dlg.h"
#include "dir_properties_dlg.h"
#include "dir_tree_view.h"
#include "key_index.h"
#include "proc_address.h"
#include "panes.h"
#include "private_messages.h"
#include "program_state.h"
#include "progress_window.h"
#include "wait_cursor.h"

namespace {

constexpr char kNewFolderName[] = "New Folder";
constexpr char kCreateFailedMessage[] = "Error creating 'New Folder'";

void Enable(CommandState& state, bool enabled) { state.enabled = enabled; }

// The bytes of a drive's free space: available to this user, and free in all.
void FreeSpace(const std::string& root, uint64_t& available, uint64_t& free) {
  using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  const FreeSpaceEx freeSpaceEx = ProcAddress<FreeSpaceEx>(::GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
  available = free = 0;
  if (freeSpaceEx) {
    ULARGE_INTEGER callers = {}, total = {}, all = {};
    if (freeSpaceEx(root.c_str(), &callers, &total, &all)) {
      available = callers.QuadPart;
      free = all.QuadPart;
    }
    return;
  }
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    available = free = uint64_t(sectorsPerCluster) * bytesPerSector * freeClusters;
}

}  // namespace

const CommandEntry<CDirTreeView> CDirTreeView::kCommands[] = {
    {ID_NEW_CHILD_FOLDER, ID_NEW_CHILD_FOLDER, &CDirTreeView::OnNewChildFolder, &CDirTreeView::OnUpdateNewChild},
    {ID_NEW_SIBLING_FOLDER, ID_NEW_SIBLING_FOLDER, &CDirTreeView::OnNewSiblingFolder,
     &CDirTreeView::OnUpdateNewSibling},
    {ID_RENAME_FOLDER, ID_RENAME_FOLDER, &CDirTreeView::OnRename, &CDirTreeView::OnUpdateRename},
    {ID_RENAME_F2, ID_RENAME_F2, &CDirTreeView::OnRename, nullptr},
    {ID_DELETE_FOLDER, ID_DELETE_FOLDER, &CDirTreeView::OnDeleteFolder, &CDirTreeView::OnUpdateDelete},
    {ID_FOLDER_PROPERTIES, ID_FOLDER_PROPERTIES, &CDirTreeView::OnProperties, &CDirTreeView::OnUpdateProperties},
    {ID_SCREENSAVER_SETTINGS, ID_SCREENSAVER_ACTIVATE, &CDirTreeView::OnScreenSaver, nullptr},
};

bool CDirTreeView::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

bool CDirTreeView::IsFolderCommand(UINT id) { return id != ID_RENAME_F2 && FindCommand(kCommands, id); }

bool CDirTreeView::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CDirTreeView::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

void CDirTreeView::OnUpdateNewChild(CommandState& state) {
  Enable(state, CanMakeChildFolder(KindOf(GetSelectedItem())));
}

void CDirTreeView::OnUpdateNewSibling(CommandState& state) {
  Enable(state, CanMakeSiblingFolder(KindOf(GetSelectedItem())));
}

void CDirTreeView::OnUpdateRename(CommandState& state) { Enable(state, CanStartRename(KindOf(GetSelectedItem()))); }

void CDirTreeView::OnUpdateDelete(CommandState& state) { Enable(state, CanDeleteFolder(KindOf(GetSelectedItem()))); }

void CDirTreeView::OnUpdateProperties(CommandState& state) {
  Enable(state, CanShowProperties(KindOf(GetSelectedItem())));
}

void CDirTreeView::MakeNewFolder(HTREEITEM parent, const std::string& folder) {
  const std::string created = folder + "\\" + kNewFolderName;
  if (!IsAbsolutePath(created) || !::CreateDirectoryA(created.c_str(), nullptr)) {
    Message(kCreateFailedMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  ::SendMessageA(Tree().Handle(), WM_TREE_ADDFOLDER, reinterpret_cast<WPARAM>(parent),
                 reinterpret_cast<LPARAM>(created.c_str()));
  Tree().SetHasChildrenMarker(parent, true);
  Tree().Expand(parent, TVE_EXPAND);
  // The look-up yields the nearest item it reached; only the new folder's own item is renamed.
  const HTREEITEM item = Tree().FindItemByPath(created);
  if (!item || _stricmp(GetItemPath(item).c_str(), created.c_str()) != 0) return;
  ::SetFocus(Tree().Handle());
  newFolder_ = true;
  if (!Tree().EditLabel(item)) newFolder_ = false;
}

void CDirTreeView::OnNewChildFolder(UINT) {
  const HTREEITEM selected = GetSelectedItem();
  if (!CanMakeChildFolder(KindOf(selected))) {
    Message(kCreateFailedMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MakeNewFolder(selected, GetSelectedPath());
}

void CDirTreeView::OnNewSiblingFolder(UINT) {
  const HTREEITEM selected = GetSelectedItem();
  const HTREEITEM parent = selected ? Tree().GetParentItem(selected) : nullptr;
  if (!parent || !CanMakeSiblingFolder(KindOf(selected)) || !CanMakeChildFolder(KindOf(parent))) {
    Message(kCreateFailedMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MakeNewFolder(parent, GetItemPath(parent));
}

void CDirTreeView::OnRename(UINT id) {
  const HTREEITEM selected = GetSelectedItem();
  if (!selected) {
    Message("No directory is currently selected", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (id == ID_RENAME_F2 && !CanRenameWithKey(KindOf(selected))) return;
  ::SetFocus(Tree().Handle());
  Tree().EditLabel(selected);
}

bool CDirTreeView::CountCancelled() {
  if (::GetAsyncKeyState(VK_ESCAPE) & 0x8000) g_bCancel = 1;
  return g_bCancel != 0;
}

bool CDirTreeView::CountFolder(const std::string& folder, FolderCounts& counts) {
  g_bCancel = 0;
  // "C:" alone names the drive's current folder; the count is of the whole drive.
  const std::string start = folder.size() == 2 ? folder + "\\" : folder;
  return CountFolderTree(start, counts, [this] { return CountCancelled(); });
}

bool CDirTreeView::ConfirmDelete(const std::string& path, const FolderCounts& counts) {
  CConfirmDeleteDlg confirm(path, counts);
  return confirm.DoModal(MainWindow()) == IDOK;
}

int CDirTreeView::AskPermanentDelete(const std::string& path) {
  return Message(PermanentDeleteQuestion(path), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
}

bool CDirTreeView::HasRecycleBin(const std::string& path) {
  const std::string root = VolumeRootOf(path);
  if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) return false;
  SHQUERYRBINFO bin = {};
  bin.cbSize = sizeof bin;
  return SUCCEEDED(::SHQueryRecycleBinA(root.c_str(), &bin));
}

bool CDirTreeView::ShellDelete(const std::string& target, bool toRecycleBin) {
  const std::string list = DoubleNulList(target);
  SHFILEOPSTRUCTA operation = {};
  operation.hwnd = MainWindow();
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | (toRecycleBin ? FOF_ALLOWUNDO : 0);
  // Success is what the disk shows: a shell that reports none of its failures is not believed.
  return ::SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted &&
         ::GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void CDirTreeView::OnDeleteFolder(UINT) {
  const HTREEITEM selected = GetSelectedItem();
  const FolderItemKind kind = KindOf(selected);
  if (!CanDeleteFolder(kind)) {
    Message(kCannotDeleteMessage, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A shortcut goes alone: its target stays, so there is nothing to count or confirm.
  const std::string target = kind.link ? kind.linkFile : kind.path;
  if (!kind.link) {
    FolderCounts counts;
    if (!CountFolder(target, counts)) return;  // Escape: the user changed their mind
    const auto& rules = g_settings.confirmations;
    if (DeleteNeedsConfirmation(counts, rules.nonnest, rules.nested, rules.allsize) && !ConfirmDelete(target, counts))
      return;
  }
  const bool toRecycleBin = HasRecycleBin(target);
  if (!toRecycleBin && AskPermanentDelete(target) != IDYES) return;

  const HTREEITEM parent = Tree().GetParentItem(selected);
  Tree().SelectItem(parent);
  ::SetCurrentDirectoryA(SiblingPath(target, "").c_str());
  ReleaseOpenFolders();
  if (ShellDelete(target, toRecycleBin)) {
    ::SendMessageA(Tree().Handle(), WM_TREE_DELETECHILD, reinterpret_cast<WPARAM>(parent),
                   reinterpret_cast<LPARAM>(selected));
  }
  // Also after a failure: part of the folder may be gone.
  g_keyIndex.InvalidateSummaries(target);
  PostFolderChanged();
}

void CDirTreeView::OnProperties(UINT) {
  const FolderItemKind kind = KindOf(GetSelectedItem());
  if (!CanShowProperties(kind)) return;
  FolderCounts counts;
  uint64_t available = 0, free = 0;
  {
    WaitCursor wait;
    if (!CountFolder(kind.path, counts)) return;
    FreeSpace(VolumeRootOf(kind.path), available, free);
  }
  CDirPropertiesDlg properties(kind.path, counts, available, free);
  properties.DoModal(MainWindow());
}

void CDirTreeView::OnScreenSaver(UINT id) {
  const char* verb = id == ID_SCREENSAVER_ACTIVATE ? "install" : nullptr;
  const char* parameters = id == ID_SCREENSAVER_SETTINGS ? " -s" : nullptr;
  ::ShellExecuteA(nullptr, verb, g_program.screenSaverFile.c_str(), parameters, nullptr, SW_SHOWNORMAL);
}
