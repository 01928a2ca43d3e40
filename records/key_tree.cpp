#include "key_tree.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

// Key path components: the text up to the next separator, at most this many characters scanned
// (the stored name keeps 31), then every separator that follows skipped.
constexpr size_t kComponentScan = 500;

struct Component {
  const char* text;
  size_t length;
};

std::vector<Component> SplitKeyPath(const std::string& path) {
  std::vector<Component> parts;
  const char* at = path.c_str();
  const char* end = at + path.size();
  while (at < end) {
    const char* start = at;
    while (at < end && *at != kKeyPathSeparator && size_t(at - start) < kComponentScan) ++at;
    size_t length = size_t(at - start);
    if (length > CKeyNode::kNameSize - 1) length = CKeyNode::kNameSize - 1;
    parts.push_back({start, length});
    while (at < end && *at == kKeyPathSeparator) ++at;
  }
  return parts;
}

bool NameIs(const CKeyNode* node, const Component& part) {
  return std::strlen(node->name) == part.length && std::memcmp(node->name, part.text, part.length) == 0;
}

// A chain of new nodes for parts[from...], the first one's parent being parent; its deepest node.
CKeyNode* NewChain(const std::vector<Component>& parts, size_t from, CKeyNode* parent, CKeyNode** head) {
  CKeyNode* node = nullptr;
  for (size_t i = from; i < parts.size(); ++i) {
    node = NewKeyNode(parts[i].text, parts[i].length, parent);
    if (i == from) *head = node;
    else parent->child = node;
    parent = node;
  }
  return node;
}

// Walks the path; on a missing component either stops (none) or creates the rest.
CKeyNode* WalkPath(CKeyNode** first, CKeyNode* parent, const std::string& path, bool create) {
  const std::vector<Component> parts = SplitKeyPath(path);
  if (parts.empty()) return nullptr;
  CKeyNode** slot = first;
  for (size_t i = 0; i < parts.size(); ++i) {
    while (*slot && !NameIs(*slot, parts[i])) slot = &(*slot)->next;
    if (!*slot) return create ? NewChain(parts, i, parent, slot) : nullptr;
    if (i + 1 == parts.size()) return *slot;
    parent = *slot;
    slot = &parent->child;
  }
  return nullptr;
}

}  // namespace

KeyTree& KeyTree::operator=(KeyTree&& other) noexcept {
  if (this != &other) {
    Free();
    first = std::exchange(other.first, nullptr);
  }
  return *this;
}

void KeyTree::Free() {
  while (first) {
    CKeyNode* node = first;
    first = node->next;
    FreeKeySubtree(node);
  }
}

CKeyNode* NewKeyNode(const char* name, size_t length, CKeyNode* parent) {
  CKeyNode* node = new CKeyNode;
  if (length > CKeyNode::kNameSize - 1) length = CKeyNode::kNameSize - 1;
  std::memcpy(node->name, name, length);
  node->parent = parent;
  return node;
}

void FreeKeySubtree(CKeyNode* node) {
  if (!node) return;
  std::vector<CKeyNode*> pending{node->child};
  delete node;
  while (!pending.empty()) {
    CKeyNode* at = pending.back();
    pending.pop_back();
    if (!at) continue;
    pending.push_back(at->next);
    pending.push_back(at->child);
    delete at;
  }
}

void ForEachKey(CKeyNode* first, const std::function<void(CKeyNode*)>& visit) {
  std::vector<CKeyNode*> pending{first};
  while (!pending.empty()) {
    CKeyNode* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    // The child waits below the sibling, so the sibling's whole subtree comes first.
    pending.push_back(node->child);
    pending.push_back(node->next);
    visit(node);
  }
}

std::string KeyPathOf(const CKeyNode* node) {
  std::vector<const CKeyNode*> chain;
  for (; node; node = node->parent) chain.push_back(node);
  std::string path;
  for (size_t i = chain.size(); i-- > 0;) {
    path += chain[i]->name;
    if (i) path += kKeyPathSeparator;
  }
  return path;
}

CKeyNode* FindOrInsertPath(KeyTree& tree, const std::string& path) {
  return WalkPath(&tree.first, nullptr, path, true);
}

CKeyNode* FindByPath(const KeyTree& tree, const std::string& path) {
  CKeyNode* first = tree.first;
  return WalkPath(&first, nullptr, path, false);
}

void MergeInto(const KeyTree& source, KeyTree& destination) {
  ForEachKey(source.first, [&](CKeyNode* node) {
    if (!node->child) FindOrInsertPath(destination, KeyPathOf(node));
  });
}

bool IsUnder(const CKeyNode* node, const CKeyNode* key) {
  for (; node; node = node->parent)
    if (node == key) return true;
  return false;
}

void MarkWithAncestors(CKeyNode* node) {
  for (; node && !node->marked; node = node->parent) node->marked = 1;
}

void PruneUnmarked(KeyTree& tree) {
  std::vector<CKeyNode**> slots{&tree.first};
  while (!slots.empty()) {
    CKeyNode** slot = slots.back();
    slots.pop_back();
    while (*slot && !(*slot)->marked) {
      CKeyNode* gone = *slot;
      *slot = gone->next;
      FreeKeySubtree(gone);
    }
    if (*slot) {
      slots.push_back(&(*slot)->next);
      slots.push_back(&(*slot)->child);
    }
  }
}

void DeleteKeyNode(KeyTree& tree, CKeyNode* node) {
  CKeyNode** slot = node->parent ? &node->parent->child : &tree.first;
  while (*slot && *slot != node) slot = &(*slot)->next;
  if (!*slot) return;
  *slot = node->next;
  FreeKeySubtree(node);
}
