// Renaming and deleting a key everywhere below a folder.
#include <cstring>

#include "key_folder_walk.h"
#include "key_index.h"

namespace {

void SetKeyName(CKeyNode* node, const std::string& name) {
  std::strncpy(node->name, name.c_str(), CKeyNode::kNameSize - 1);
}

}  // namespace

void CKeyIndex::ChangeKeyInFolders(const std::string& folder, const std::string& path, KeyWalkObserver& observer,
                                   const std::function<bool(CKeyNode* key)>& change) {
  cancelled_ = false;
  KeyFolderWalk walk;
  walk.stopped = [&] { return Stopped(observer); };
  walk.enter = [&](const std::string& at) {
    OpenFolder(at, false);
    if (CKeyNode* key = FindByPath(current_.contents.tree, path))
      if (change(key)) current_.dirty = true;
    SaveFolder();
    return true;
  };
  walk.leave = [](const std::string&) {};
  WalkKeyFolders(folder, walk);
}

void CKeyIndex::RenameKeyInFolders(const std::string& folder, TreeItem item, const std::string& name,
                                   KeyWalkObserver& observer) {
  CKeyNode* master = MasterNodeOf(item);
  if (!master) return;
  ChangeKeyInFolders(folder, KeyPathOf(master), observer, [&](CKeyNode* key) {
    SetKeyName(key, name);
    return true;
  });
  SetKeyName(master, name);
}

void CKeyIndex::DeleteKey(TreeItem item, const std::string& folder, KeyWalkObserver& observer) {
  SaveFolder();
  CKeyNode* master = MasterNodeOf(item);
  if (!master) return;
  ChangeKeyInFolders(folder, KeyPathOf(master), observer, [&](CKeyNode* key) {
    bool removed = false;
    for (CKeyFileEntry& entry : current_.contents.entries) removed = RemoveKeysUnder(entry, key) || removed;
    return removed;
  });
  DeleteKeyNode(master_, master);
}
