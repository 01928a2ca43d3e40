#pragma once
// The tree of keys of a keyword index: nodes linked first child / next sibling, a forest whose
// first top-level key stands for the whole tree. A key's path is the names from its top-level key
// down to it joined by '\'; names and paths compare byte for byte, case-sensitively. Every walk
// here is iterative: a damaged file may hold a chain of thousands of keys.
#include <cstdint>
#include <functional>
#include <string>

struct CKeyNode {
  static constexpr size_t kNameSize = 32;  // the stored name keeps at most 31 characters

  int32_t fileOffset = 0;  // where the node's record was read from or last written
  int32_t marked = 0;      // scratch flag of the pruning pass
  char name[kNameSize] = {};
  CKeyNode* parent = nullptr;
  CKeyNode* next = nullptr;
  CKeyNode* child = nullptr;
  void* treeItem = nullptr;  // the Key view's item showing the node, none when not shown
};

// Owns a forest of keys.
class KeyTree {
 public:
  KeyTree() = default;
  explicit KeyTree(CKeyNode* first) : first(first) {}
  ~KeyTree() { Free(); }
  KeyTree(KeyTree&& other) noexcept : first(other.first) { other.first = nullptr; }
  KeyTree& operator=(KeyTree&& other) noexcept;
  KeyTree(const KeyTree&) = delete;
  KeyTree& operator=(const KeyTree&) = delete;

  void Free();
  bool Empty() const { return first == nullptr; }

  CKeyNode* first = nullptr;
};

constexpr char kKeyPathSeparator = '\\';

// A node with the name cut to what the record keeps.
CKeyNode* NewKeyNode(const char* name, size_t length, CKeyNode* parent);

// Frees the node with its whole subtree (not its siblings).
void FreeKeySubtree(CKeyNode* node);

// Calls visit for every node of the forest in the order the index file stores them: a node, then
// its next sibling's whole subtree, then its first child's whole subtree.
void ForEachKey(CKeyNode* first, const std::function<void(CKeyNode*)>& visit);

std::string KeyPathOf(const CKeyNode* node);

// The node of path, creating what is missing (a missing top-level key joins as the last
// top-level key, a missing child as the last child); an empty tree gets the path as its first
// key. Components longer than 31 characters are cut.
CKeyNode* FindOrInsertPath(KeyTree& tree, const std::string& path);
// The node of path, or none when a component is missing.
CKeyNode* FindByPath(const KeyTree& tree, const std::string& path);

// Every leaf path of source made to exist in destination.
void MergeInto(const KeyTree& source, KeyTree& destination);

// node is key or lies below it.
bool IsUnder(const CKeyNode* node, const CKeyNode* key);

// Marks the node and all its ancestors.
void MarkWithAncestors(CKeyNode* node);

// Deletes every unmarked node with its subtree; an unmarked first key gives its place to the
// next kept sibling.
void PruneUnmarked(KeyTree& tree);

// Unlinks the node from its parent's or the forest's chain and frees it with its subtree.
void DeleteKeyNode(KeyTree& tree, CKeyNode* node);
