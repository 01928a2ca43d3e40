#include "key_entries.h"

#include <algorithm>

CKeyFileEntry* FindEntry(CKeyChain& chain, const std::string& name) {
  for (CKeyFileEntry& entry : chain)
    if (entry.name == name) return &entry;
  return nullptr;
}

CKeyFileEntry& FindOrAppendEntry(CKeyChain& chain, const std::string& name) {
  if (CKeyFileEntry* found = FindEntry(chain, name)) return *found;
  chain.emplace_back();
  chain.back().name = name.substr(0, CKeyFileEntry::kMaxName);
  return chain.back();
}

bool EntryHasKey(const CKeyFileEntry& entry, const CKeyNode* key) {
  return std::any_of(entry.refs.begin(), entry.refs.end(), [&](const CKeyRef& ref) { return ref.key == key; });
}

bool EntryHasKeyUnder(const CKeyFileEntry& entry, const CKeyNode* key) {
  return std::any_of(entry.refs.begin(), entry.refs.end(), [&](const CKeyRef& ref) { return IsUnder(ref.key, key); });
}

bool RemoveKeysUnder(CKeyFileEntry& entry, const CKeyNode* key) {
  const size_t before = entry.refs.size();
  entry.refs.erase(std::remove_if(entry.refs.begin(), entry.refs.end(),
                                  [&](const CKeyRef& ref) { return IsUnder(ref.key, key); }),
                   entry.refs.end());
  return entry.refs.size() != before;
}

void RepointRefs(CKeyChain& chain, KeyTree& tree) {
  for (CKeyFileEntry& entry : chain)
    for (CKeyRef& ref : entry.refs) ref.key = FindOrInsertPath(tree, KeyPathOf(ref.key));
}

void PrependPrefixedCopies(const CKeyChain& source, const std::string& prefix, KeyTree& tree,
                           CKeyChain& destination) {
  for (const CKeyFileEntry& entry : source) {
    const std::string name = prefix + kKeyPathSeparator + entry.name;
    if (name.size() > CKeyFileEntry::kMaxName) continue;  // a cut name would name another file
    destination.push_front(entry);
    CKeyFileEntry& copy = destination.front();
    copy.name = name;
    for (CKeyRef& ref : copy.refs) ref.key = FindOrInsertPath(tree, KeyPathOf(ref.key));
  }
}

void DropBareEntries(CKeyChain& chain) {
  chain.remove_if([](const CKeyFileEntry& entry) { return entry.refs.empty() && entry.annotation.empty(); });
}

std::string AnnotationText(const std::string& text) {
  std::string kept = text.substr(0, CKeyFileEntry::kMaxAnnotation);
  while (!kept.empty() && (kept.back() == '\r' || kept.back() == '\n')) kept.pop_back();
  return kept;
}
