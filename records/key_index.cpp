#include "key_index.h"

#include "file_system.h"
#include "key_index_file.h"
#include "name_node.h"

namespace {

std::string IndexPathOf(const std::string& folder) { return folder + platform::kPathSeparator + kKeyIndexFileName; }

}  // namespace

CKeyIndex::~CKeyIndex() { Clear(); }

bool CKeyIndex::SaveKeyTreeFile(const std::string& path) {
  KeyIndexContents contents;
  contents.tree = std::move(master_);
  const std::vector<uint8_t> bytes = KeyIndexBytes(contents, false);
  master_ = std::move(contents.tree);
  return ReplaceKeyIndexFile(path, bytes);
}

void CKeyIndex::LoadKeyTreeFile(const std::string& path) {
  master_.Free();
  KeyIndexContents contents;
  if (LoadKeyIndexFile(path, false, &contents) == KeyFileLoad::kRead) master_ = std::move(contents.tree);
}

void CKeyIndex::Load(Slot& slot, const std::string& folder, bool withSummary) {
  slot.open = true;
  slot.dirty = false;
  slot.folder = folder;
  slot.contents = KeyIndexContents();
  slot.foreign = LoadKeyIndexFile(IndexPathOf(folder), withSummary, &slot.contents) == KeyFileLoad::kForeign;
  MergeInto(slot.contents.tree, master_);
}

void CKeyIndex::OpenFolder(const std::string& folder, bool withSummary) {
  if (current_.open && current_.folder == folder && (!withSummary || !current_.contents.summary.empty())) return;
  // The second slot's changes to this folder must reach the file before it is read again.
  if (second_.open && second_.folder == folder) SaveSecondFolder();
  SaveFolder();
  Load(current_, folder, withSummary);
}

void CKeyIndex::OpenSecondFolder(const std::string& folder) {
  if (second_.open && second_.folder == folder) return;
  if (current_.open && current_.folder == folder) SaveFolder();
  SaveSecondFolder();
  Load(second_, folder, false);
}

bool CKeyIndex::Write(Slot& slot, bool dropBareEntries, bool withSummary) {
  KeyIndexContents& contents = slot.contents;
  if (dropBareEntries) {
    DropBareEntries(contents.entries);
    DropBareEntries(contents.summary);
  }
  ForEachKey(contents.tree.first, [](CKeyNode* node) { node->marked = 0; });
  for (const CKeyChain* chain : {&contents.entries, &contents.summary})
    for (const CKeyFileEntry& entry : *chain)
      for (const CKeyRef& ref : entry.refs) MarkWithAncestors(ref.key);
  PruneUnmarked(contents.tree);

  const std::string path = IndexPathOf(slot.folder);
  const bool empty = contents.tree.Empty() && contents.entries.empty() && (!withSummary || contents.summary.empty());
  const bool written =
      empty ? DeleteKeyIndexFile(path) : ReplaceKeyIndexFile(path, KeyIndexBytes(contents, withSummary));
  if (!written) {
    writeError_ = true;
    return false;
  }
  InvalidateSummaries(slot.folder);
  return true;
}

bool CKeyIndex::SaveFolder() {
  if (!current_.open) return true;
  if (current_.dirty && !Write(current_, true, !cancelled_)) return false;
  current_ = Slot();
  return true;
}

bool CKeyIndex::SaveSecondFolder() {
  if (!second_.open) return true;
  if (!second_.foreign && !Write(second_, false, false)) return false;
  second_ = Slot();
  return true;
}

CKeyNode* CKeyIndex::MasterNodeOf(TreeItem item) const {
  CKeyNode* found = nullptr;
  if (item) ForEachKey(master_.first, [&](CKeyNode* node) {
      if (!found && node->treeItem == item) found = node;
    });
  return found;
}

void CKeyIndex::FreeResults() {
  CNameNode::FreeList(results_);
  delete results_;
  results_ = nullptr;
}

void CKeyIndex::Clear() {
  SaveFolder();
  SaveSecondFolder();
  current_ = Slot();
  second_ = Slot();
  master_.Free();
  FreeResults();
}
