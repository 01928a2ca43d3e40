#include "hlp_reader.h"

#include <cstring>

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  if (at + 4 > bytes.size()) return 0xFFFFFFFF;
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

namespace {

uint16_t Le16(const std::vector<uint8_t>& bytes, size_t at) {
  return at + 2 > bytes.size() ? 0xFFFF : uint16_t(bytes[at] | bytes[at + 1] << 8);
}

// Only the field sizes that the tests need: one byte or two depending on the low bit.
uint32_t SkipPacked(const std::vector<uint8_t>& bytes, size_t& at, bool longForm) {
  const bool large = bytes.at(at) & 1;
  uint32_t value = 0;
  if (longForm) {
    value = large ? Le32(bytes, at) >> 1 : Le16(bytes, at) >> 1;
    at += large ? 4 : 2;
  } else {
    value = large ? Le16(bytes, at) >> 1 : bytes[at] >> 1;
    at += large ? 2 : 1;
  }
  return value;
}

}  // namespace

HlpReader::HlpReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (Le32(bytes_, 0) != 0x00035F3F) { problem_ = "no help file magic"; return; }
  if (Le32(bytes_, 12) != bytes_.size()) { problem_ = "size field differs from the file's size"; return; }
  directory_["(directory)"] = Le32(bytes_, 4);
  for (const auto& [key, value] : TreeEntries("(directory)")) {
    const uint32_t offset = Le32(value, 0);
    if (offset + 9 > bytes_.size() || Le32(bytes_, offset) < Le32(bytes_, offset + 4) + 9 ||
        offset + Le32(bytes_, offset) > bytes_.size()) {
      problem_ = "internal file out of the file: " + std::string(key.begin(), key.end() - 1);
      return;
    }
    directory_[std::string(key.begin(), key.end() - 1)] = offset;
  }
  directory_.erase("(directory)");
  if (directory_.empty()) problem_ = "empty directory";
}

std::vector<std::string> HlpReader::FileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : directory_) names.push_back(entry.first);
  return names;
}

std::vector<uint8_t> HlpReader::File(const std::string& name) const {
  const auto found = directory_.find(name);
  if (found == directory_.end()) return {};
  const uint32_t start = found->second + 9, used = Le32(bytes_, found->second + 4);
  return std::vector<uint8_t>(bytes_.begin() + start, bytes_.begin() + start + used);
}

std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> HlpReader::TreeEntries(const std::string& name) const {
  const std::vector<uint8_t> tree = File(name);
  std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> entries;
  if (tree.size() < 38 || Le16(tree, 0) != 0x293B || Le16(tree, 32) != 1) return entries;  // one level only
  const char* structure = reinterpret_cast<const char*>(&tree[6]);
  const size_t pageSize = Le16(tree, 4), page = 38 + Le16(tree, 26) * pageSize;
  size_t at = page + 8;
  for (int entry = 0; entry < int16_t(Le16(tree, page + 2)) && at < tree.size(); ++entry) {
    std::vector<uint8_t> fields[2];
    for (int field = 0; field < 2; ++field) {
      const size_t length = structure[field] == 'z' ? std::strlen(reinterpret_cast<const char*>(&tree[at])) + 1 : 4;
      fields[field].assign(tree.begin() + at, tree.begin() + at + length);
      at += length;
    }
    entries.emplace_back(fields[0], fields[1]);
  }
  return entries;
}

std::map<uint32_t, uint32_t> HlpReader::ContextNumbers() const {
  const std::vector<uint8_t> map = File("|CTXOMAP");
  std::map<uint32_t, uint32_t> numbers;
  for (size_t i = 0; i < Le16(map, 0) && 2 + i * 8 + 8 <= map.size(); ++i) numbers[Le32(map, 2 + i * 8)] = Le32(map, 6 + i * 8);
  return numbers;
}

// Follows the records from the first one (just after the first block's 12-byte header); a
// topic's offset is its block times 0x8000 plus the characters of the paragraphs before it in
// that block.
std::map<uint32_t, ReadTopic> HlpReader::Topics() const {
  const std::vector<uint8_t> system = File("|SYSTEM");
  const std::vector<uint8_t> stream = File("|TOPIC");
  std::map<uint32_t, ReadTopic> topics;
  if (Le16(system, 10) != 0) return topics;  // only uncompressed 4 KB blocks are read here
  ReadTopic* current = nullptr;
  uint32_t position = 12, block = 0xFFFFFFFF, characters = 0;
  for (int guard = 0; position != 0xFFFFFFFF && guard < 10000; ++guard) {
    const uint32_t linkBlock = position / 0x4000;
    const size_t at = linkBlock * 4096 + position % 0x4000;
    if (at + 21 > stream.size()) break;
    if (linkBlock != block) { block = linkBlock; characters = 0; }
    const uint32_t size = Le32(stream, at), data1 = Le32(stream, at + 16);
    if (size < 21 || data1 < 21 || data1 > size || at + size > stream.size()) break;  // a broken record ends the walk
    const std::vector<uint8_t> link(stream.begin() + at, stream.begin() + at + size);
    if (link[20] == 0x02) {
      current = &topics[block * 0x8000 + characters];
      current->title.assign(link.begin() + data1, link.end());
    } else if (link[20] == 0x20 && current) {
      size_t format = 21;
      SkipPacked(link, format, true);
      characters += SkipPacked(link, format, false);
      std::string text;
      for (size_t c = data1; c < link.size(); ++c) if (link[c]) text += char(link[c]);
      current->paragraphs.push_back(text);
    }
    position = Le32(stream, at + 12);
  }
  return topics;
}
