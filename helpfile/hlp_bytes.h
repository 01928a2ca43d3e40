#pragma once
// The building blocks of a WinHelp file: little-endian fields, the packed numbers of topic
// records, the context-name hash, and the B+ trees that index the internal files.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using HlpBytes = std::vector<uint8_t>;

void PutByte(HlpBytes& out, uint8_t value);
void PutWord(HlpBytes& out, uint16_t value);
void PutLong(HlpBytes& out, uint32_t value);
void PutText(HlpBytes& out, const std::string& text);      // without a terminator
void PutStringZ(HlpBytes& out, const std::string& text);   // with its NUL
void PutLongAt(HlpBytes& out, size_t offset, uint32_t value);

// Packed numbers: the low bit of the first byte says whether the short or the long form follows.
void PutPackedUnsignedWord(HlpBytes& out, uint16_t value);  // 1 or 2 bytes, value < 0x8000
void PutPackedSignedWord(HlpBytes& out, int16_t value);     // 1 or 2 bytes, -0x4000..0x3FFF
void PutPackedSignedLong(HlpBytes& out, int32_t value);     // 2 or 4 bytes, -0x40000000..0x3FFFFFFF

// The hash under which a context name is found (letters without regard to case).
int32_t HlpContextHash(const std::string& name);

// A B+ tree of one leaf page: the entries' keys and values already encoded, in key order.
// Throws std::length_error when they do not fit the page.
struct HlpTreeShape {
  uint16_t pageSize;
  uint16_t flags;
  const char* structure;  // the key and value formats, e.g. "z4"
};
HlpBytes HlpLeafTree(const HlpTreeShape& shape, const std::vector<HlpBytes>& entries);
