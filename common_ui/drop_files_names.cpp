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

// Each character's low byte; a character whose low byte is 0 has no byte of its own, and cannot
// name a file here.
std::string LowBytes(const std::u16string& name) {
  std::string narrow;
  for (const char16_t c : name) narrow += (c & 0xFF) ? static_cast<char>(c & 0xFF) : '?';
  return narrow;
}

}  // namespace

CNameNode* NameListFromDropFiles(const unsigned char* block, size_t size, WideNameConverter narrow) {
  if (!block || size < kHeaderSize) return nullptr;
  const size_t unit = ReadLittleEndian32(block + kWideFlagOffset) ? 2 : 1;
  size_t at = ReadLittleEndian32(block);
  if (at < kHeaderSize) return nullptr;
  CNameNode* head = nullptr;
  if (!narrow) narrow = LowBytes;
  while (at < size) {
    std::u16string characters;
    bool ended = false;
    for (; at + unit <= size; at += unit) {
      const char16_t c = unit == 1 ? block[at] : char16_t(block[at] | block[at + 1] << 8);
      if (c == 0) {
        ended = true;
        at += unit;
        break;
      }
      characters += c;
    }
    if (!ended || characters.empty()) break;
    std::string name;
    if (unit == 1)
      name.assign(characters.begin(), characters.end());
    else
      name = narrow(characters);
    if (name.empty()) continue;
    if (name.size() > kLongestName) name.resize(kLongestName);
    head = new CNameNode(head, name.c_str());
  }
  return head;
}
