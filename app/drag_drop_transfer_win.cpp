// What a drop on the folder tree does: the transfers into the folder under the mouse, and the
// Recycle Bin.
#include "drag_drop_dir_view.h"

#include "app.h"
#include "disabled_window.h"
#include "file_system.h"
#include "file_transfer.h"
#include "key_index.h"
#include "panes.h"
#include "shell_tree_messages.h"
#include "transfer_paths.h"
#include "window_transfer_host.h"

void CDragDropDirView::Warn(const char* text) {
  ::MessageBoxA(MainWindow(), text, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}

std::vector<std::string> CDragDropDirView::TakeDroppedNames() {
  std::vector<std::string> names;
  while (const char* name = dropTarget_.GetNextFile()) names.emplace_back(name);
  return names;
}

DWORD CDragDropDirView::OnDrop(IDataObject*, DWORD keyState, POINT point) {
  // The item under the drop point is the one highlighted, unless the drag loop has already taken
  // the highlight away (Wine's does, before the drop).
  const HTREEITEM target = Tree().HitTest(point);
  EndDragFeedback();
  if (!target || dropTarget_.NameCount() == 0) return DROPEFFECT_NONE;
  const bool containsFolder = dropTarget_.ContainsFolder();
  const std::vector<std::string> names = TakeDroppedNames();
  if (IsRecycleBin(target)) return DropOnRecycleBin(names);
  const bool screenSaver = IsScreenSaverItem(target);
  if (!IsFileSystemItem(target) && !screenSaver) {
    Warn("You cannot drop files or folders on this item");
    return DROPEFFECT_NONE;
  }
  if (folderDrag_ && screenSaver) {
    Warn("You cannot drop folders on this item");
    return DROPEFFECT_NONE;
  }
  const std::string destination = GetItemPath(target);
  const DropKeys keys = {(keyState & MK_CONTROL) != 0, (keyState & MK_SHIFT) != 0};
  DWORD effect = DROPEFFECT_NONE;
  {
    WindowTransferHost host(MainWindow(), int(names.size()));
    const DisabledWindow disabled(MainWindow());
    FileTransfer transfer(host);
    effect = folderDrag_ ? DropFolder(target, destination, keys, host, transfer)
                         : DropFiles(names, destination, keys, screenSaver, host, transfer);
  }
  if ((containsFolder || folderDrag_) && effect != DROPEFFECT_NONE) {
    if (folderDrag_ && (effect == DROPEFFECT_COPY || effect == DROPEFFECT_MOVE))
      ::SendMessageA(Tree().Handle(), WM_TREE_ADDFOLDER, reinterpret_cast<WPARAM>(target),
                     reinterpret_cast<LPARAM>(draggedFolder_.c_str()));
    else
      Refresh(target);
  }
  return effect;
}

DWORD CDragDropDirView::DropFiles(const std::vector<std::string>& names, const std::string& destination, DropKeys keys,
                                  bool onScreenSaverItem, WindowTransferHost& host, FileTransfer& transfer) {
  DWORD effect = DROPEFFECT_COPY;
  switch (DecideFileDrop(keys, onScreenSaverItem)) {
    case FileDropAction::kShortcuts:
      transfer.CreateShortcuts(names, destination, host.BatchProgress());
      break;
    case FileDropAction::kMove:
      WaitForThumbnailLoaderIdle();
      transfer.MoveFiles(names, destination, host.BatchProgress());
      effect = DROPEFFECT_MOVE;
      break;
    case FileDropAction::kCopy:
      transfer.CopyFiles(names, destination, host.BatchProgress());
      break;
  }
  OnFilesTransferred();
  return effect;
}

void CDragDropDirView::ReleaseOpenFolders() {
  ClearThumbnailPane();
  g_keyIndex.SaveSecondFolder();
  g_keyIndex.SaveFolder();
}

void CDragDropDirView::ReleaseFolder(const std::string& folder) {
  const std::string selected = GetSelectedPath();
  if (!selected.empty() && IsSameOrInside(folder, selected)) {
    ReleaseOpenFolders();
    WaitForThumbnailLoaderIdle();
    SelectNearestPath(folder.substr(0, folder.size() - platform::FileNameOf(folder).size()));
  }
  // Now, not when the new selection is shown: that comes by a posted message, after the move.
  LeaveFolder(folder);
}

DWORD CDragDropDirView::DropFolder(HTREEITEM, const std::string& destination, DropKeys keys, WindowTransferHost& host,
                                   FileTransfer& transfer) {
  const std::string folder = draggedFolder_;
  const std::string name = platform::FileNameOf(folder);
  const auto copy = [&]() -> DWORD {
    if (!transfer.CopyFolderTree(destination, folder, 0)) return DROPEFFECT_NONE;
    g_keyIndex.InvalidateSummaries(destination);
    return DROPEFFECT_COPY;
  };
  switch (DecideFolderDrop(folder, destination, keys)) {
    case FolderDropAction::kNothing:
      return DROPEFFECT_NONE;
    case FolderDropAction::kRefuseIntoItself:
      host.Tell("A folder cannot be moved or copied into itself or a folder inside it:\n" + folder);
      return DROPEFFECT_NONE;
    case FolderDropAction::kShortcut: {
      const std::string shortcut = PathInFolder(destination, FolderShortcutName(name));
      // The shell would quietly put the new link in the place of one of that name.
      if (platform::KindOfPath(shortcut) != platform::PathKind::kMissing) {
        host.Tell("A shortcut of that name is already there:\n" + shortcut);
        return DROPEFFECT_NONE;
      }
      host.CreateShortcut(folder, shortcut);
      return DROPEFFECT_LINK;
    }
    case FolderDropAction::kAskCopyAcrossVolumes:
      if (!host.AskYesNo("You cannot Move directories across volumes.\n\nWould you like to Copy it?"))
        return DROPEFFECT_NONE;
      return copy();
    case FolderDropAction::kCopy:
      return copy();
    case FolderDropAction::kMove:
      break;
  }
  ReleaseFolder(folder);
  if (!::MoveFileA(folder.c_str(), PathInFolder(destination, name).c_str())) {
    host.Tell("Unable to move directory");
    return DROPEFFECT_NONE;
  }
  g_keyIndex.InvalidateSummaries(destination);
  g_keyIndex.InvalidateSummaries(folder);
  return DROPEFFECT_MOVE;
}

DWORD CDragDropDirView::DropOnRecycleBin(const std::vector<std::string>& names) {
  const std::string question = names.size() == 1 ? "Send \"" + names.front() + "\" to the Recycle Bin?"
                                                 : "Send the " + std::to_string(names.size()) +
                                                       " dropped items to the Recycle Bin?";
  if (::MessageBoxA(MainWindow(), question.c_str(), MessageCaption(), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return DROPEFFECT_NONE;
  std::vector<std::string> failed;
  for (const std::string& name : names) {
    const bool folder = platform::KindOfPath(name) == platform::PathKind::kDirectory;
    if (folder) ReleaseFolder(name);
    if (!platform::SendToRecycleBin(name)) {
      failed.push_back(name);
      continue;
    }
    if (folder)
      g_keyIndex.InvalidateSummaries(name);
    else
      g_keyIndex.RemoveFile(name);
  }
  OnFilesTransferred();
  RefreshAll();
  if (!failed.empty()) {
    std::string message = "These items could not be sent to the Recycle Bin:";
    for (const std::string& name : failed) message += "\n" + name;
    Warn(message.c_str());
  }
  return DROPEFFECT_MOVE;
}
