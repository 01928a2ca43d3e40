// Renaming and deleting a key everywhere below a folder.
#include <cstring>

#include "key_folder_walk.h"
#include "key_index.h"

namespace {

void SetKeyName(CKeyNode* node, const std::string& name) {
  std::strncpy(node->name, name.c_str(), CKeyNode::kNameSize - 1);
}

}  // namespace

void CKeyIndex::RenameKeyInFolders(const std::string& folder, TreeItem item, const std::string& name,
                                   KeyWalkObserver& observer) {
  CKeyNode* master = MasterNodeOf(item);
  if (!master) return;
  const std::string path = KeyPathOf(master);
  cancelled_ = false;
  KeyFolderWalk walk;
  walk.stopped = [&] { return Stopped(observer); };
  walk.enter = [&](const std::string& at) {
    OpenFolder(at, false);
    if (CKeyNode* key = FindByPath(current_.contents.tree, path)) {
      SetKeyName(key, name);
      current_.dirty = true;
    }
    SaveFolder();
    return true;
  };
  walk.leave = [](const std::string&) {};
  WalkKeyFolders(folder, walk);
  SetKeyName(master, name);
}

void CKeyIndex::DeleteKey(TreeItem item, const std::string& folder, KeyWalkObserver& observer) {
  SaveFolder();
  CKeyNode* master = MasterNodeOf(item);
  if (!master) return;
  const std::string path = KeyPathOf(master);
  cancelled_ = false;
  KeyFolderWalk walk;
  walk.stopped = [&] { return Stopped(observer); };
  walk.enter = [&](const std::string& at) {
    OpenFolder(at, false);
    if (const CKeyNode* key = FindByPath(current_.contents.tree, path))
      for (CKeyFileEntry& entry : current_.contents.entries)
        if (RemoveKeysUnder(entry, key)) current_.dirty = true;
    SaveFolder();
    return true;
  };
  walk.leave = [](const std::string&) {};
  WalkKeyFolders(folder, walk);
  DeleteKeyNode(master_, master);
}
