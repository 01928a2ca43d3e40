// Searching the folder tree for a key, and compiling the summaries that let a search stop early.
#include <memory>
#include <vector>

#include "file_system.h"
#include "key_file_paths.h"
#include "key_folder_walk.h"
#include "key_index.h"
#include "name_node.h"

namespace {

// Escape is read once every this many entries while hits are collected.
constexpr int kEntriesPerCancelPoll = 64;

// A hit's path: a summary entry's name reaches into the sub-folders with '\'.
std::string HitPath(const std::string& folder, const std::string& name) {
  std::string path = folder + platform::kPathSeparator + name;
  for (size_t at = folder.size() + 1; at < path.size(); ++at)
    if (path[at] == kKeyPathSeparator) path[at] = platform::kPathSeparator;
  return path;
}

// A folder being compiled: the keys and the entries of every folder below it, gathered for its
// summary.
struct CompileLevel {
  std::string name;
  KeyTree tree;
  CKeyChain collected;
};

}  // namespace

bool CKeyIndex::Stopped(KeyWalkObserver& observer) {
  if (!cancelled_ && observer.CancelRequested()) cancelled_ = true;
  return cancelled_;
}

void CKeyIndex::CollectHits(const CKeyChain& chain, const CKeyNode* master, KeyWalkObserver& observer) {
  const CKeyNode* key = FindByPath(current_.contents.tree, KeyPathOf(master));
  if (!key) return;
  for (const CKeyFileEntry& entry : chain) {
    if (++entriesSeen_ % kEntriesPerCancelPoll == 0 && observer.CancelRequested()) cancelled_ = true;
    if (!EntryHasKeyUnder(entry, key)) continue;
    const FileInFolder hit = SplitFilePath(HitPath(current_.folder, entry.name));
    results_ = new CNameNode(results_, hit.name.c_str(), hit.folder.c_str());
  }
}

void CKeyIndex::SearchKey(const std::string& folder, TreeItem item, KeyWalkObserver& observer) {
  const CKeyNode* master = MasterNodeOf(item);
  cancelled_ = false;
  entriesSeen_ = 0;
  KeyFolderWalk walk;
  walk.stopped = [&] { return Stopped(observer); };
  walk.enter = [&](const std::string& path) {
    OpenFolder(path, true);
    observer.SearchReached(path);
    const bool summarised = !current_.contents.summary.empty();
    if (master) {
      CollectHits(current_.contents.entries, master, observer);
      if (summarised) CollectHits(current_.contents.summary, master, observer);
    }
    return !summarised;
  };
  walk.leave = [&](const std::string&) { SaveFolder(); };
  WalkKeyFolders(folder, walk);
}

void CKeyIndex::Compile(const std::string& folder, KeyWalkObserver& observer) {
  cancelled_ = false;
  int position = 0;
  std::vector<std::unique_ptr<CompileLevel>> levels;
  // What a folder hands up: its keys, and its entries with the folder's name before theirs.
  auto passUp = [&](const CompileLevel& from, const CKeyChain& entries) {
    if (levels.empty()) return;
    CompileLevel& parent = *levels.back();
    MergeInto(current_.contents.tree, parent.tree);
    PrependPrefixedCopies(entries, from.name, parent.tree, parent.collected);
  };
  KeyFolderWalk walk;
  walk.stopped = [&] { return Stopped(observer); };
  walk.enter = [&](const std::string& path) {
    OpenFolder(path, false);
    current_.contents.summary.clear();
    position += int(current_.contents.entries.size());
    observer.CompileReached(position, path);
    auto level = std::make_unique<CompileLevel>();
    level->name = platform::FileNameOf(path);
    if (!current_.contents.tree.Empty()) passUp(*level, current_.contents.entries);
    SaveFolder();
    levels.push_back(std::move(level));
    return true;
  };
  walk.leave = [&](const std::string& path) {
    const std::unique_ptr<CompileLevel> level = std::move(levels.back());
    levels.pop_back();
    OpenFolder(path, false);
    const size_t gathered = level->collected.size();
    if (gathered > 0 && gathered < kMaxSummaryEntries && !cancelled_) {
      KeyIndexContents& contents = current_.contents;
      MergeInto(contents.tree, level->tree);
      RepointRefs(contents.entries, level->tree);
      contents.tree = std::move(level->tree);
      contents.summary = std::move(level->collected);
      passUp(*level, contents.summary);
    }
    // A file that is not ours stays as it was; its summary is passed up all the same.
    if (!current_.foreign) current_.dirty = true;
    SaveFolder();
  };
  WalkKeyFolders(folder, walk);
}
