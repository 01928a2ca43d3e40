// The keys and annotations of single files.
#include "key_file_paths.h"
#include "key_index.h"

std::string CKeyIndex::OpenFolderOf(const std::string& file) {
  const FileInFolder split = SplitFilePath(file);
  OpenFolder(split.folder, false);
  return split.name;
}

std::string CKeyIndex::GetKeyPath(TreeItem item) const {
  const CKeyNode* node = MasterNodeOf(item);
  return node ? KeyPathOf(node).substr(0, kKeyPathSize - 1) : std::string();
}

void CKeyIndex::SetFileKey(TreeItem item, const std::string& file, bool add) {
  const std::string target = KeyedFilePath(file);
  const CKeyNode* master = MasterNodeOf(item);
  if (!master) return;
  const std::string path = KeyPathOf(master);
  const std::string name = OpenFolderOf(target);
  KeyIndexContents& contents = current_.contents;
  if (add) {
    CKeyNode* key = FindOrInsertPath(contents.tree, path);
    CKeyFileEntry& entry = FindOrAppendEntry(contents.entries, name);
    if (!EntryHasKey(entry, key)) entry.refs.push_back({key});
    current_.dirty = true;
    return;
  }
  const CKeyNode* key = FindByPath(contents.tree, path);
  CKeyFileEntry* entry = FindEntry(contents.entries, name);
  if (key && entry && RemoveKeysUnder(*entry, key)) current_.dirty = true;
}

bool CKeyIndex::FileHasKey(TreeItem item, const std::string& file) {
  const CKeyNode* master = MasterNodeOf(item);
  if (!master) return false;
  // Where SetFileKey put it: a shortcut's key is its target's.
  const std::string name = OpenFolderOf(KeyedFilePath(file));
  const CKeyNode* key = FindByPath(current_.contents.tree, KeyPathOf(master));
  const CKeyFileEntry* entry = FindEntry(current_.contents.entries, name);
  return key && entry && EntryHasKeyUnder(*entry, key);
}

bool CKeyIndex::GetAnnotation(const std::string& file, std::string* annotation) {
  const CKeyFileEntry* entry = FindEntry(current_.contents.entries, OpenFolderOf(file));
  if (!entry) return false;
  *annotation = entry->annotation;
  return true;
}

void CKeyIndex::SetAnnotation(const std::string& file, const std::string& text) {
  const std::string name = OpenFolderOf(file);
  FindOrAppendEntry(current_.contents.entries, name).annotation = AnnotationText(text);
  current_.dirty = true;
}
