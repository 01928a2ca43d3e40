// Keeping the index in step when files are copied, moved, deleted or renamed.
#include "key_file_paths.h"
#include "key_index.h"

void CKeyIndex::CopyFileKeys(const std::string& source, const std::string& destination) {
  const FileInFolder from = SplitFilePath(source);
  const FileInFolder to = SplitFilePath(destination);
  OpenFolder(from.folder, false);
  // A copy within one folder stays in the current slot: two slots on one file would lose the
  // changes of the one saved first.
  Slot& target = to.folder == from.folder ? current_ : (OpenSecondFolder(to.folder), second_);
  if (current_.contents.entries.empty()) return;
  if (&target != &current_) MergeInto(current_.contents.tree, target.contents.tree);
  const CKeyFileEntry* found = FindEntry(current_.contents.entries, from.name);
  if (!found) return;
  const CKeyFileEntry entry = *found;  // the append below may be into the same chain
  CKeyFileEntry& copy = FindOrAppendEntry(target.contents.entries, to.name);
  copy.annotation = entry.annotation;
  for (const CKeyRef& ref : entry.refs) {
    CKeyNode* key = FindOrInsertPath(target.contents.tree, KeyPathOf(ref.key));
    if (!EntryHasKey(copy, key)) copy.refs.insert(copy.refs.begin(), {key});
  }
  target.dirty = true;
}

void CKeyIndex::MoveFileKeys(const std::string& source, const std::string& destination) {
  CopyFileKeys(source, destination);
  RemoveFile(source);
}

void CKeyIndex::RemoveFile(const std::string& file) {
  const std::string name = OpenFolderOf(file);
  CKeyChain& entries = current_.contents.entries;
  for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
    if (entry->name != name) continue;
    entries.erase(entry);
    current_.dirty = true;
    return;
  }
}

void CKeyIndex::RenameFile(const std::string& folder, const std::string& oldName, const std::string& newName) {
  OpenFolder(folder, false);
  if (CKeyFileEntry* entry = FindEntry(current_.contents.entries, oldName)) {
    entry->name = newName.substr(0, CKeyFileEntry::kMaxName);
    current_.dirty = true;
  }
}
