#include <windows.h>

#include "folder_entries.h"
#include "path_separators.h"

namespace platform {
namespace {

uint64_t Ticks(const FILETIME& time) { return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

}  // namespace

bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit) {
  std::string pattern = WithTrailingSeparator(folder);
  pattern += '*';
  if (pattern.size() >= kMaxPath) return false;
  WIN32_FIND_DATAA found = {};
  const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.stamp.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.stamp.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.stamp.creation = Ticks(found.ftCreationTime);
    entry.stamp.lastWrite = Ticks(found.ftLastWriteTime);
    if (!entry.stamp.directory) entry.stamp.size = uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!visit(entry)) break;
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return true;
}

}  // namespace platform
