#pragma once
// The files of a keyword index: each with its annotation and the keys assigned to it. A folder's
// own files form chain 1; its summary (chain 2) holds the files of every folder below it, named
// by their path relative to the folder ("sub\name.jpg").
#include <list>
#include <string>
#include <vector>

#include "key_tree.h"

// One key assigned to a file: a node of the tree of the same index.
struct CKeyRef {
  CKeyNode* key = nullptr;
};

struct CKeyFileEntry {
  static constexpr size_t kMaxName = 259;
  static constexpr size_t kMaxAnnotation = 255;

  std::string name;        // at most kMaxName bytes, compared byte for byte
  std::string annotation;  // at most kMaxAnnotation bytes, one line
  std::vector<CKeyRef> refs;
};

using CKeyChain = std::list<CKeyFileEntry>;

// The entry of that name, none when the chain has none.
CKeyFileEntry* FindEntry(CKeyChain& chain, const std::string& name);
// The entry of that name, appended when the chain has none.
CKeyFileEntry& FindOrAppendEntry(CKeyChain& chain, const std::string& name);

// The entry carries exactly this key.
bool EntryHasKey(const CKeyFileEntry& entry, const CKeyNode* key);
// One of the entry's keys is key or lies below it.
bool EntryHasKeyUnder(const CKeyFileEntry& entry, const CKeyNode* key);
// Removes the entry's references to key and to every key below it; true when one went.
bool RemoveKeysUnder(CKeyFileEntry& entry, const CKeyNode* key);

// Points every reference of the chain to the node of the same path in tree, made if missing.
void RepointRefs(CKeyChain& chain, KeyTree& tree);

// Copies of the entries with prefix + '\' before each name and their keys taken from tree (made
// if missing), put in front of destination in reverse order, as the summary builder collects them. Entries
// whose name would grow too long are left out.
void PrependPrefixedCopies(const CKeyChain& source, const std::string& prefix, KeyTree& tree,
                           CKeyChain& destination);

// Drops the entries that carry neither a key nor an annotation.
void DropBareEntries(CKeyChain& chain);

// Text cut to what an annotation keeps, with its trailing line ends removed.
std::string AnnotationText(const std::string& text);
