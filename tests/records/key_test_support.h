#pragma once
// Helpers of the keyword index tests: items bound to master keys as the Key view binds them, and
// index files read back.
#include <filesystem>
#include <string>
#include <vector>

#include "key_index.h"
#include "key_index_file.h"
#include "tnc_test_support.h"  // FileBytes, PutFileBytes

// The master key of path, made if missing, bound to an item (the node's own address stands in
// for the Key view's item).
inline CKeyIndex::TreeItem KeyItem(CKeyIndex& index, const std::string& path) {
  CKeyNode* node = FindOrInsertPath(index.MasterTree(), path);
  node->treeItem = node;
  return node;
}

inline std::string IndexPath(const std::filesystem::path& folder) { return (folder / kKeyIndexFileName).string(); }

// Names and key paths of a chain, "name:annotation:key|key".
inline std::vector<std::string> Describe(const CKeyChain& chain) {
  std::vector<std::string> lines;
  for (const CKeyFileEntry& entry : chain) {
    std::string line = entry.name + ":" + entry.annotation + ":";
    for (size_t i = 0; i < entry.refs.size(); ++i) line += (i ? "|" : "") + KeyPathOf(entry.refs[i].key);
    lines.push_back(line);
  }
  return lines;
}

// The folder's index as a reader sees it; empty when there is none.
inline KeyIndexContents ReadIndex(const std::filesystem::path& folder, bool withSummary = true) {
  KeyIndexContents contents;
  const std::vector<uint8_t> bytes = FileBytes(IndexPath(folder));
  ParseKeyIndex(bytes.data(), bytes.size(), withSummary, &contents);
  return contents;
}

// Every key path of a tree in file order.
inline std::vector<std::string> KeyPaths(const KeyTree& tree) {
  std::vector<std::string> paths;
  ForEachKey(tree.first, [&](CKeyNode* node) { paths.push_back(KeyPathOf(node)); });
  return paths;
}
