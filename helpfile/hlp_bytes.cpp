#include "hlp_bytes.h"

#include <cstring>
#include <stdexcept>

void PutByte(HlpBytes& out, uint8_t value) { out.push_back(value); }

void PutWord(HlpBytes& out, uint16_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

void PutLong(HlpBytes& out, uint32_t value) {
  PutWord(out, uint16_t(value));
  PutWord(out, uint16_t(value >> 16));
}

void PutText(HlpBytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void PutStringZ(HlpBytes& out, const std::string& text) {
  PutText(out, text);
  out.push_back(0);
}

void PutLongAt(HlpBytes& out, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.at(offset + i) = uint8_t(value >> (8 * i));
}

void PutPackedUnsignedWord(HlpBytes& out, uint16_t value) {
  if (value >= 0x8000) throw std::out_of_range("packed word out of range");
  if (value < 0x80) return PutByte(out, uint8_t(value << 1));
  PutWord(out, uint16_t(value << 1 | 1));
}

void PutPackedSignedWord(HlpBytes& out, int16_t value) {
  if (value < -0x4000 || value > 0x3FFF) throw std::out_of_range("packed word out of range");
  if (value >= -0x40 && value < 0x40) return PutByte(out, uint8_t((value + 0x40) << 1));
  PutWord(out, uint16_t((value + 0x4000) << 1 | 1));
}

void PutPackedSignedLong(HlpBytes& out, int32_t value) {
  if (value < -0x40000000 || value > 0x3FFFFFFF) throw std::out_of_range("packed long out of range");
  if (value >= -0x4000 && value < 0x4000) return PutWord(out, uint16_t((value + 0x4000) << 1));
  PutLong(out, uint32_t(value + 0x40000000) << 1 | 1);
}

int32_t HlpContextHash(const std::string& name) {
  uint32_t hash = 0;
  for (const char c : name) {
    uint32_t weight = 0;
    if (c >= 'A' && c <= 'Z') weight = uint32_t(c - 'A' + 17);
    if (c >= 'a' && c <= 'z') weight = uint32_t(c - 'a' + 17);
    if (c >= '1' && c <= '9') weight = uint32_t(c - '0');
    if (c == '0') weight = 10;
    if (c == '.') weight = 12;
    if (c == '_') weight = 13;
    if (weight) hash = hash * 43 + weight;
  }
  return int32_t(hash);
}

HlpBytes HlpLeafTree(const HlpTreeShape& shape, const std::vector<HlpBytes>& entries) {
  constexpr size_t kLeafHeader = 8;
  size_t used = kLeafHeader;
  for (const HlpBytes& entry : entries) used += entry.size();
  if (used > shape.pageSize) throw std::length_error(std::string("too many entries for a \"") + shape.structure + "\" tree");

  HlpBytes tree;
  PutWord(tree, 0x293B);
  PutWord(tree, shape.flags);
  PutWord(tree, shape.pageSize);
  char structure[16] = {};
  std::strncpy(structure, shape.structure, sizeof structure - 1);
  tree.insert(tree.end(), structure, structure + sizeof structure);
  PutWord(tree, 0);       // must be zero
  PutWord(tree, 0);       // page splits
  PutWord(tree, 0);       // root page
  PutWord(tree, 0xFFFF);  // must be -1
  PutWord(tree, 1);       // pages
  PutWord(tree, 1);       // levels
  PutLong(tree, uint32_t(entries.size()));

  PutWord(tree, uint16_t(shape.pageSize - used));  // free bytes of the page
  PutWord(tree, uint16_t(entries.size()));
  PutWord(tree, 0xFFFF);  // no previous leaf
  PutWord(tree, 0xFFFF);  // no next leaf
  for (const HlpBytes& entry : entries) tree.insert(tree.end(), entry.begin(), entry.end());
  tree.resize(tree.size() + shape.pageSize - used, 0);
  return tree;
}
