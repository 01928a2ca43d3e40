// The context menu's Send To popup: the shortcuts the user keeps in the program's "sendto" folder,
// and what choosing one does with the selected files (a folder receives copies, a program is run
// on the first file).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "program_state.h"
#include "shell_shortcuts.h"
#include "vireldan_view.h"

namespace {

// The Send To popup is the first popup among these first positions of the context menu.
constexpr int kPositionsSearchedForSendTo = 25;

HMENU FirstPopup(HMENU menu) {
  const int count = std::min(::GetMenuItemCount(menu), kPositionsSearchedForSendTo);
  for (int i = 0; i < count; ++i)
    if (HMENU sub = ::GetSubMenu(menu, i)) return sub;
  return nullptr;
}

struct SendToShortcut {
  std::string name;  // without ".lnk"
  std::string path;
};

// In name order, so that the menu does not change with the order the file system lists them in.
std::vector<SendToShortcut> SendToShortcuts() {
  const std::string folder = g_program.programFolder + "\\sendto\\";
  std::vector<SendToShortcut> shortcuts;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + "*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return shortcuts;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !g_settings.thumbnails.showhidden) continue;
    const std::string file = found.cFileName;
    shortcuts.push_back({file.substr(0, file.find_last_of('.')), folder + file});
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  std::sort(shortcuts.begin(), shortcuts.end(), [](const SendToShortcut& a, const SendToShortcut& b) {
    return ::lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
  });
  return shortcuts;
}

std::string Quoted(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace

bool CVireldanView::IsFolderOrDriveRoot(const std::string& path) {
  const bool driveLetter = path.size() >= 2 && path[0] >= 'A' && path[0] <= 'Z' && path[1] == ':';
  if (driveLetter && (path.size() == 2 || (path.size() == 3 && path[2] == '\\'))) return true;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CVireldanView::FillSendToMenu(HMENU contextMenu) {
  const HMENU sendTo = FirstPopup(contextMenu);
  if (!sendTo) return;
  sendToList_.clear();
  for (const SendToShortcut& shortcut : SendToShortcuts()) {
    const UINT id = UINT(ID_SEND_TO_FIRST + sendToList_.size());
    if (id > ID_SEND_TO_LAST) break;
    ::InsertMenuA(sendTo, UINT(sendToList_.size()), MF_BYPOSITION | MF_STRING, id, shortcut.name.c_str());
    sendToList_.push_back(shortcut.path);
  }
  ::DeleteMenu(sendTo, ID_SEND_TO_PLACEHOLDER, MF_BYCOMMAND);
}

void CVireldanView::OnSendTo(UINT id) {
  const size_t index = id - ID_SEND_TO_FIRST;
  if (index >= sendToList_.size()) return;
  const HWND mainWindow = ::GetAncestor(Handle(), GA_ROOT);
  std::string target;
  const bool resolved = SUCCEEDED(ResolveShortcut(sendToList_[index], target)) && !target.empty();
  if (!resolved || (!IsFolderOrDriveRoot(target) && ::GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES)) {
    ::MessageBoxA(mainWindow, "Sendto link target not found", MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::vector<std::string> paths = GetSelectedPaths();
  if (paths.empty()) return;
  if (IsFolderOrDriveRoot(target)) {
    TransferInto(paths, target.size() == 2 ? target + "\\" : target, false);
    return;
  }
  ::ShellExecuteA(mainWindow, "open", target.c_str(), Quoted(paths.front()).c_str(), folder_.c_str(), SW_SHOWNORMAL);
}
