#include "folder_count.h"

#include <vector>

#include "folder_entries.h"

bool CountFolderTree(const std::string& folder, FolderCounts& counts, const std::function<bool()>& cancelled) {
  // A list of folders still to visit rather than recursion: a deep tree cannot exhaust the stack.
  std::vector<std::string> pending{folder};
  bool stopped = false;
  while (!pending.empty() && !stopped) {
    const std::string next = pending.back();
    pending.pop_back();
    platform::ListFolder(next, [&](const platform::FolderEntry& entry) {
      if (cancelled()) {
        stopped = true;
        return false;
      }
      if (entry.stamp.directory) {
        ++counts.folders;
        if (!entry.isLink) pending.push_back(next + platform::kPathSeparator + entry.name);
      } else {
        ++counts.files;
        counts.bytes += entry.stamp.size;
      }
      return true;
    });
  }
  return !stopped;
}
