#include "key_folder_walk.h"

#include <cstring>
#include <vector>

#include "folder_entries.h"
#include "key_index_format.h"

namespace {

// Room for the separator and "vireldan.iif" after the folder, and the terminator.
bool IndexPathFits(const std::string& folder) {
  return folder.size() + 1 + std::strlen(kKeyIndexFileName) < platform::kMaxPath;
}

std::vector<std::string> SubfoldersToWalk(const std::string& folder) {
  std::vector<std::string> paths;
  platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
    const std::string path = folder + platform::kPathSeparator + entry.name;
    if (entry.stamp.directory && !entry.isLink && IndexPathFits(path)) paths.push_back(path);
    return true;
  });
  return paths;
}

struct Level {
  std::string folder;
  std::vector<std::string> subfolders;
  size_t next = 0;
};

}  // namespace

void WalkKeyFolders(const std::string& folder, const KeyFolderWalk& walk) {
  if (walk.stopped() || !IndexPathFits(folder)) return;
  std::vector<Level> levels;
  auto reach = [&](const std::string& path) {
    Level level{path, {}, 0};
    if (walk.enter(path)) level.subfolders = SubfoldersToWalk(path);
    levels.push_back(std::move(level));
  };
  reach(folder);
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next < level.subfolders.size() && !walk.stopped()) {
      const std::string path = level.subfolders[level.next++];
      reach(path);
      continue;
    }
    const std::string done = level.folder;
    levels.pop_back();
    walk.leave(done);
  }
}
