#include <unordered_map>

#include "byte_order.h"
#include "key_index_format.h"

using ravelight::LittleEndian32;

namespace {

// Reads records from bytes nobody vouches for. Every record lies wholly inside the bytes and after
// the record that links to it, so no chain can loop; a key record is read once however many links
// lead to it, and no more references are read in all than the bytes could hold, so a file of
// crossed links cannot make the work grow beyond its size.
class IifReader {
 public:
  IifReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size), refsLeft_(size / kRefRecordSize) {}

  KeyTree ReadTree(int32_t first);
  CKeyChain ReadChain(int32_t first);

 private:
  bool Fits(int64_t offset, size_t length, int64_t after) const {
    return offset > after && offset + int64_t(length) <= int64_t(size_);
  }
  int32_t Field(int64_t at) const { return int32_t(LittleEndian32(bytes_ + at)); }
  // The NUL-terminated text at *at (the end of the bytes ends it too), cut to limit bytes; *at
  // moves past its terminator.
  std::string Text(int64_t* at, size_t limit) const;
  std::vector<CKeyRef> ReadRefs(int32_t first, int64_t after);

  const uint8_t* bytes_;
  size_t size_;
  size_t refsLeft_;
  std::unordered_map<int32_t, CKeyNode*> nodes_;  // by record offset, for the references
};

KeyTree IifReader::ReadTree(int32_t first) {
  KeyTree tree;
  struct Link {
    int32_t offset;
    int64_t from;  // the offset of the record that links here
    CKeyNode* parent;
    CKeyNode** slot;
  };
  std::vector<Link> pending{{first, int64_t(kKeyHeaderSize) - 1, nullptr, &tree.first}};
  while (!pending.empty()) {
    const Link link = pending.back();
    pending.pop_back();
    if (!Fits(link.offset, kKeyRecordSize, link.from) || nodes_.count(link.offset)) continue;
    const uint8_t* name = bytes_ + link.offset + 12;
    size_t length = 0;
    while (length < CKeyNode::kNameSize - 1 && name[length] && name[length] != kKeyPathSeparator) ++length;
    CKeyNode* node = NewKeyNode(reinterpret_cast<const char*>(name), length, link.parent);
    node->fileOffset = link.offset;
    *link.slot = node;
    nodes_[link.offset] = node;
    pending.push_back({Field(link.offset + 4), link.offset, node, &node->child});
    pending.push_back({Field(link.offset), link.offset, link.parent, &node->next});
  }
  return tree;
}

std::string IifReader::Text(int64_t* at, size_t limit) const {
  const int64_t start = *at;
  while (*at < int64_t(size_) && bytes_[*at]) ++*at;
  const size_t length = size_t(*at - start);
  std::string text(reinterpret_cast<const char*>(bytes_ + start), length < limit ? length : limit);
  ++*at;
  return text;
}

std::vector<CKeyRef> IifReader::ReadRefs(int32_t first, int64_t after) {
  std::vector<CKeyRef> refs;
  for (int64_t at = first; refsLeft_ > 0 && Fits(at, kRefRecordSize, after); at = Field(at)) {
    --refsLeft_;
    const auto node = nodes_.find(Field(at + 4));
    if (node != nodes_.end()) refs.push_back({node->second});
    after = at;
  }
  return refs;
}

CKeyChain IifReader::ReadChain(int32_t first) {
  CKeyChain chain;
  for (int64_t at = first, after = int64_t(kKeyHeaderSize) - 1; Fits(at, kFileRecordHeadSize, after);
       after = at, at = Field(at)) {
    CKeyFileEntry entry;
    int64_t text = at + int64_t(kFileRecordHeadSize);
    entry.name = Text(&text, CKeyFileEntry::kMaxName);
    if (text < int64_t(size_)) entry.annotation = Text(&text, CKeyFileEntry::kMaxAnnotation);
    entry.refs = ReadRefs(Field(at + 4), at);
    chain.push_back(std::move(entry));
  }
  return chain;
}

}  // namespace

bool ParseKeyIndex(const uint8_t* bytes, size_t size, bool withSummary, KeyIndexContents* contents) {
  IifHeader header;
  if (!DecodeIifHeader(bytes, size, &header)) return false;
  IifReader reader(bytes, size);
  contents->tree = reader.ReadTree(header.keyTree);
  contents->entries = reader.ReadChain(header.entries);
  contents->summary = withSummary ? reader.ReadChain(header.summary) : CKeyChain();
  return true;
}
