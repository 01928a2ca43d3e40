#include "drop_files_names.h"

#include <cstdint>
#include <string>

#include "name_node.h"

namespace {

constexpr size_t kHeaderSize = 20;
constexpr size_t kWideFlagOffset = 16;
constexpr size_t kLongestName = 259;

uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

}  // namespace

CNameNode* NameListFromDropFiles(const unsigned char* block, size_t size) {
  if (!block || size < kHeaderSize) return nullptr;
  const size_t unit = ReadLittleEndian32(block + kWideFlagOffset) ? 2 : 1;
  size_t at = ReadLittleEndian32(block);
  if (at < kHeaderSize) return nullptr;
  CNameNode* head = nullptr;
  while (at < size) {
    std::string name;
    bool ended = false;
    for (; at + unit <= size; at += unit) {
      const bool terminator = block[at] == 0 && (unit == 1 || block[at + 1] == 0);
      if (terminator) {
        ended = true;
        at += unit;
        break;
      }
      // A wide character whose low byte is 0 has no byte of its own: it cannot name a file here.
      name += block[at] ? static_cast<char>(block[at]) : '?';
    }
    if (!ended || name.empty()) break;
    if (name.size() > kLongestName) name.resize(kLongestName);
    head = new CNameNode(head, name.c_str());
  }
  return head;
}
