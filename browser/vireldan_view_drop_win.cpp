// Files arriving in the thumbnail view's folder: Paste of the program's file clipboard, and files
// dropped from outside (opened, or copied in with Shift or Ctrl). Both go through the same
// transfer as a drop on the folder tree, so a taken name is never replaced without the user's
// Replace, and each key of the index follows exactly the file that arrived.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "disabled_window.h"
#include "file_transfer.h"
#include "panes.h"
#include "path_list.h"
#include "vireldan_view.h"
#include "window_transfer_host.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string path(::DragQueryFileA(drop, i, nullptr, 0), '\0');
    ::DragQueryFileA(drop, i, &path[0], UINT(path.size() + 1));
    paths.push_back(path);
  }
  return paths;
}

bool CopyKeyHeld() { return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

void CVireldanView::TransferClipboardHere(bool move) {
  // What lies under the screen-saver item is a copy of the user's pictures: cut files stay where
  // they are.
  const bool moving = move && !FolderTreeOnScreenSaverItem();
  TransferHere(PathsOfDoubleNulList(fileClipboard_), moving);
  // Moved files are no longer where the clipboard says.
  if (moving) {
    fileClipboard_.clear();
    items_.MarkSelected(false);
  }
}

void CVireldanView::TransferHere(const std::vector<std::string>& sources, bool move) {
  std::vector<std::string> arriving;
  for (const std::string& source : sources)
    if (!SamePath(source.substr(0, source.find_last_of('\\') + 1), folder_)) arriving.push_back(source);
  if (arriving.empty()) return;
  BeginFileCommand();
  watchSuspended_ = true;
  TransferInto(arriving, folder_, move);
  watchSuspended_ = false;
  Refresh(true, true);
  EndFileCommand();
}

void CVireldanView::TransferInto(const std::vector<std::string>& sources, const std::string& destination, bool move) {
  const HWND mainWindow = ::GetAncestor(Handle(), GA_ROOT);
  {
    WindowTransferHost host(mainWindow, int(sources.size()));
    const DisabledWindow disabled(mainWindow);
    FileTransfer transfer(host);
    if (move)
      transfer.MoveFiles(sources, destination, host.BatchProgress());
    else
      transfer.CopyFiles(sources, destination, host.BatchProgress());
  }
  SaveKeyIndex();
}

void CVireldanView::OnDropFiles(HDROP drop) {
  const std::vector<std::string> paths = DroppedPaths(drop);
  ::DragFinish(drop);
  if (CopyKeyHeld()) {
    if (plainFolder_) TransferHere(paths, false);
    return;
  }
  for (const std::string& path : paths) {
    CThumbItem* queued = openQueue_.AddTail();
    if (!queued) break;
    queued->name = path;
    queued->folder.clear();
    queued->selected = 0;
    queued->quietOpen = 1;
  }
}
