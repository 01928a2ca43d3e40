// Feeds arbitrary bytes to the reader of dropped-file blocks (CF_HDROP), narrow and wide. The
// first byte picks a start: most inputs get a DROPFILES header (narrow or wide, the list right
// after it) so that the names are reached at once, and wide lists go through a converter that
// drops some names. Every name must be the block's own characters, one after the other from the
// list offset, each ending in a NUL inside the block; the names kept are those the converter
// gave, cut to 259 characters; and the program's own block of them reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "drop_files_block.h"
#include "drop_files_names.h"
#include "name_node.h"

namespace {

constexpr size_t kHeaderSize = 20;
constexpr size_t kLongestName = 259;

std::vector<std::u16string> g_converted;  // every name the converter was given, in order

std::string LowBytes(const std::u16string& name) {
  std::string narrow;
  for (const char16_t c : name) narrow += (c & 0xFF) ? char(c & 0xFF) : '?';
  return narrow;
}

// Leaves out names whose first character is odd.
std::string Converter(const std::u16string& name) {
  g_converted.push_back(name);
  return name[0] % 2 ? std::string() : LowBytes(name);
}

std::vector<uint8_t> Block(const uint8_t* data, size_t size) {
  const uint8_t choice = data[0];
  std::vector<uint8_t> block;
  if (choice % 4 == 1 || choice % 4 == 2) {
    block.assign(kHeaderSize, 0);
    block[0] = kHeaderSize;
    block[16] = choice % 4 == 2;
  }
  block.insert(block.end(), data + 1, data + size);
  return block;
}

uint32_t U32At(const std::vector<uint8_t>& block, size_t at) {
  return uint32_t(block[at]) | uint32_t(block[at + 1]) << 8 | uint32_t(block[at + 2]) << 16 |
         uint32_t(block[at + 3]) << 24;
}

// The names of the chain in the order of the drop (the chain holds them last first).
std::vector<std::string> DropOrder(const CNameNode* head) {
  std::vector<std::string> names;
  for (const CNameNode* node = head; node; node = node->next) {
    const std::string name = node->name;
    if (name.empty() || name.size() > kLongestName) std::abort();
    names.insert(names.begin(), name);
  }
  return names;
}

void FreeChain(CNameNode* head) {
  if (!head) return;
  CNameNode::FreeList(head);
  delete head;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<uint8_t> block = Block(data, size);
  const bool converted = data[0] & 4;
  g_converted.clear();
  CNameNode* head = NameListFromDropFiles(block.data(), block.size(), converted ? Converter : nullptr);
  const std::vector<std::string> names = DropOrder(head);
  FreeChain(head);
  if (block.size() < kHeaderSize || U32At(block, 0) < kHeaderSize) {
    if (!names.empty() || !g_converted.empty()) std::abort();
    return 0;
  }

  // Walk the block as the names say it is laid out, and what each must have come out as.
  const bool wide = U32At(block, 16) != 0;
  const size_t unit = wide ? 2 : 1;
  size_t at = U32At(block, 0), kept = 0, given = 0;
  std::vector<std::string> expected;
  while (wide && converted ? given < g_converted.size() : kept < names.size()) {
    std::u16string characters;
    for (;; at += unit) {
      if (at + unit > block.size()) std::abort();  // a name that runs past the block
      const char16_t c = wide ? char16_t(block[at] | block[at + 1] << 8) : block[at];
      if (c == 0) break;
      characters += c;
    }
    at += unit;
    if (characters.empty()) std::abort();
    std::string name = wide ? LowBytes(characters) : std::string(characters.begin(), characters.end());
    if (wide && converted) {
      if (g_converted[given++] != characters) std::abort();
      if (characters[0] % 2) continue;
    }
    if (name.size() > kLongestName) name.resize(kLongestName);
    expected.push_back(name);
    ++kept;
  }
  if (expected != names || (!(wide && converted) && !g_converted.empty())) std::abort();
  // Nothing after the last name could have been one more: the list ends there, at an empty name
  // or in a name that has no end inside the block.
  if (at + unit <= block.size() && (block[at] || (wide && block[at + 1]))) {
    for (at += unit; at + unit <= block.size(); at += unit)
      if (!block[at] && (!wide || !block[at + 1])) std::abort();
  }

  const std::string again = DropFilesBlock(names);
  CNameNode* reread = NameListFromDropFiles(reinterpret_cast<const unsigned char*>(again.data()), again.size());
  const bool same = DropOrder(reread) == names;
  FreeChain(reread);
  if (!same) std::abort();
  return 0;
}
