// Folder listings on Win32.
#include <windows.h>

#include "file_system.h"

namespace platform {
namespace {

uint64_t FromFiletime(const FILETIME& t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

}  // namespace

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  if (pattern.size() >= kMaxPath) return entries;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.stamp.size = uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    entry.stamp.creation = FromFiletime(found.ftCreationTime);
    entry.stamp.lastWrite = FromFiletime(found.ftLastWriteTime);
    entry.stamp.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.stamp.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entries.push_back(std::move(entry));
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return entries;
}

}  // namespace platform
