// The master tree as the Key view shows it.
#include <cstring>
#include <set>

#include "key_entries.h"
#include "key_index.h"

namespace {

constexpr char kNewKeyName[] = "new key";

}  // namespace

void CKeyIndex::FillTree(KeyTreeDisplay& view) {
  // Items are made parents first (the walk reaches a node before its children); each level that
  // got new items is sorted once at the end.
  std::set<TreeItem> grown;
  ForEachKey(master_.first, [&](CKeyNode* node) {
    if (node->treeItem) return;
    TreeItem parent = node->parent ? node->parent->treeItem : view.RootItem();
    if (!parent) return;
    node->treeItem = view.InsertKeyItem(parent, node->name);
    if (node->treeItem) grown.insert(parent);
  });
  for (TreeItem parent : grown) view.SortChildren(parent);
}

CKeyIndex::TreeItem CKeyIndex::NewKey(KeyTreeDisplay& view, TreeItem parent) {
  CKeyNode* node = nullptr;
  if (parent == view.RootItem()) {
    node = NewKeyNode(kNewKeyName, sizeof kNewKeyName - 1, nullptr);
    node->next = master_.first;
    master_.first = node;
  } else {
    CKeyNode* above = MasterNodeOf(parent);
    if (!above) return nullptr;
    node = NewKeyNode(kNewKeyName, sizeof kNewKeyName - 1, above);
    node->next = above->child;
    above->child = node;
  }
  node->treeItem = view.InsertKeyItem(parent, node->name);
  view.Expand(view.RootItem());
  return node->treeItem;
}

void CKeyIndex::RenameKey(KeyTreeDisplay& view, TreeItem item, const std::string& name) {
  CKeyNode* node = MasterNodeOf(item);
  if (!node) return;
  std::strncpy(node->name, name.c_str(), CKeyNode::kNameSize - 1);
  view.SetItemText(item, node->name);
}

void CKeyIndex::ShowFileKeys(KeyTreeDisplay& view, const std::string& file) {
  const CKeyFileEntry* entry = FindEntry(current_.contents.entries, OpenFolderOf(file));
  if (!entry) return;
  for (const CKeyRef& ref : entry->refs) {
    const CKeyNode* master = FindByPath(master_, KeyPathOf(ref.key));
    if (master && master->treeItem) view.MarkKeyPath(master->treeItem);
  }
}
