// Feeds arbitrary bytes to the keyword index reader, as a folder's "vireldan.iif" (with its
// summary) and as "startup.iif" (keys only). Odd first bytes put a valid header in front, so
// that most inputs reach the records. Whatever is read must write back to bytes that read back
// the same, and no name may outgrow its field.
// The reader is part of the program's library, which fuzz targets do not link: its portable
// sources are compiled in here.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../records/key_entries.cpp"
#include "../../records/key_index_format.cpp"
#include "../../records/key_index_reader.cpp"
#include "../../records/key_index_writer.cpp"
#include "../../records/key_tree.cpp"

namespace {

std::vector<std::string> Lines(KeyIndexContents& contents) {
  std::vector<std::string> lines;
  ForEachKey(contents.tree.first, [&](CKeyNode* node) {
    if (std::strlen(node->name) >= CKeyNode::kNameSize || std::strchr(node->name, '\\')) std::abort();
    lines.push_back(KeyPathOf(node));
  });
  for (const CKeyChain* chain : {&contents.entries, &contents.summary}) {
    lines.push_back("--");
    for (const CKeyFileEntry& entry : *chain) {
      if (entry.name.size() > CKeyFileEntry::kMaxName || entry.annotation.size() > CKeyFileEntry::kMaxAnnotation)
        std::abort();
      lines.push_back(entry.name + "|" + entry.annotation);
      for (const CKeyRef& ref : entry.refs) lines.push_back(KeyPathOf(ref.key));
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> file;
  if (data[0] % 2) {
    file.resize(kKeyHeaderSize);
    IifHeader header;
    header.keyTree = int32_t(kKeyHeaderSize);
    header.entries = size > 2 ? int32_t(kKeyHeaderSize + data[1]) : 0;
    header.summary = size > 3 ? int32_t(kKeyHeaderSize + data[2] * 4) : 0;
    EncodeIifHeader(header, file.data());
  }
  file.insert(file.end(), data + 1, data + size);

  for (const bool withSummary : {true, false}) {
    KeyIndexContents read;
    if (!ParseKeyIndex(file.data(), file.size(), withSummary, &read)) {
      if (!read.tree.Empty() || !read.entries.empty()) std::abort();
      return 0;
    }
    if (!withSummary && !read.summary.empty()) std::abort();
    const std::vector<std::string> lines = Lines(read);
    const std::vector<uint8_t> written = KeyIndexBytes(read, withSummary);
    KeyIndexContents again;
    if (!ParseKeyIndex(written.data(), written.size(), withSummary, &again)) std::abort();
    if (Lines(again) != lines) std::abort();
  }
  return 0;
}
