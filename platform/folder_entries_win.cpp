#include <windows.h>

#include "folder_entries.h"

namespace platform {

bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit) {
  WIN32_FIND_DATAA found = {};
  const HANDLE search = ::FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!entry.isFolder) entry.size = (uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if (!visit(entry)) break;
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return true;
}

}  // namespace platform
