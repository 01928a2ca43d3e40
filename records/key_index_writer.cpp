#include <cstring>

#include "byte_order.h"
#include "key_index_format.h"

using ravelight::PutLittle32;

namespace {

class IifWriter {
 public:
  int32_t Here() const { return int32_t(bytes_.size()); }
  void Put32At(int32_t at, int32_t value) { PutLittle32(bytes_.data() + at, uint32_t(value)); }
  void Append32(int32_t value) {
    bytes_.resize(bytes_.size() + 4);
    Put32At(Here() - 4, value);
  }
  void AppendText(const std::string& text) { bytes_.insert(bytes_.end(), text.c_str(), text.c_str() + text.size() + 1); }
  void AppendZeros(size_t count) { bytes_.resize(bytes_.size() + count); }

  // Each record is placed where a depth-first writer that patches its links afterwards puts it:
  // a key, then its next sibling's subtree, then its first child's.
  int32_t WriteTree(CKeyNode* first);
  // The entry records in chain order, then the references of the last entry first.
  int32_t WriteChain(CKeyChain& chain);

  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

int32_t IifWriter::WriteTree(CKeyNode* first) {
  if (!first) return 0;
  const int32_t start = Here();
  ForEachKey(first, [&](CKeyNode* node) {
    node->fileOffset = Here();
    AppendZeros(12);
    const size_t at = bytes_.size();
    AppendZeros(CKeyNode::kNameSize);
    std::memcpy(bytes_.data() + at, node->name, CKeyNode::kNameSize);
  });
  ForEachKey(first, [&](CKeyNode* node) {
    Put32At(node->fileOffset, node->next ? node->next->fileOffset : 0);
    Put32At(node->fileOffset + 4, node->child ? node->child->fileOffset : 0);
  });
  return start;
}

int32_t IifWriter::WriteChain(CKeyChain& chain) {
  std::vector<int32_t> records;
  for (const CKeyFileEntry& entry : chain) {
    if (!records.empty()) Put32At(records.back(), Here());
    records.push_back(Here());
    AppendZeros(kFileRecordHeadSize);
    AppendText(entry.name);
    AppendText(entry.annotation);
  }
  size_t index = records.size();
  for (auto entry = chain.rbegin(); entry != chain.rend(); ++entry) {
    --index;
    if (entry->refs.empty()) continue;
    Put32At(records[index] + 4, Here());
    for (size_t i = 0; i < entry->refs.size(); ++i) {
      Append32(i + 1 < entry->refs.size() ? Here() + int32_t(kRefRecordSize) : 0);
      Append32(entry->refs[i].key->fileOffset);
    }
  }
  return records.empty() ? 0 : records.front();
}

}  // namespace

std::vector<uint8_t> KeyIndexBytes(KeyIndexContents& contents, bool withSummary) {
  IifWriter writer;
  writer.AppendZeros(kKeyHeaderSize);
  IifHeader header;
  header.keyTree = writer.WriteTree(contents.tree.first);
  header.entries = writer.WriteChain(contents.entries);
  header.entryCount = int32_t(contents.entries.size());
  if (withSummary && !contents.summary.empty()) {
    header.hasSummary = 1;
    header.summary = writer.WriteChain(contents.summary);
    header.summaryCount = int32_t(contents.summary.size());
  }
  std::vector<uint8_t> bytes = writer.Take();
  EncodeIifHeader(header, bytes.data());
  return bytes;
}
