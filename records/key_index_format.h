#pragma once
// The keyword index files: "vireldan.iif" in each folder and "startup.iif" (keys only) in the
// program folder. Little-endian 32-bit fields; every offset is absolute from the start of the
// file, 0 meaning none. A 32-byte header, then the key records (44 bytes: next-sibling offset,
// first-child offset, 0, the name in 32 NUL-padded bytes), then the file records of chain 1 and
// of chain 2 (next offset, first-reference offset, 0, the NUL-terminated name and annotation),
// then the references (8 bytes: next offset, offset of the key's record). Earlier versions read
// and write the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "key_entries.h"
#include "key_tree.h"

constexpr char kKeyIndexFileName[] = "vireldan.iif";
constexpr char kStartupKeyFileName[] = "startup.iif";
constexpr uint32_t kKeyIndexMagic = 0x1519BC54;
constexpr uint32_t kKeyIndexVersion = 100;
constexpr size_t kKeyHeaderSize = 32;
constexpr size_t kKeyRecordSize = 44;
constexpr size_t kFileRecordHeadSize = 12;
constexpr size_t kRefRecordSize = 8;

struct IifHeader {
  uint32_t magic = kKeyIndexMagic;
  uint32_t version = kKeyIndexVersion;
  int32_t keyTree = 0;
  int32_t entries = 0;
  int32_t hasSummary = 0;
  int32_t entryCount = 0;
  int32_t summaryCount = 0;
  int32_t summary = 0;
};

void EncodeIifHeader(const IifHeader& header, uint8_t* bytes);
// False when the bytes are too few or carry another magic or version.
bool DecodeIifHeader(const uint8_t* bytes, size_t size, IifHeader* header);

// What one index file holds.
struct KeyIndexContents {
  KeyTree tree;
  CKeyChain entries;  // chain 1
  CKeyChain summary;  // chain 2
};

// Reads an index file's bytes; chain 2 only when withSummary. Untrusted input: every record must
// lie inside the bytes and after the one that links to it, names and annotations are cut to
// their limits, and references to no key are dropped. False, with nothing read, when the header
// is not one of ours.
bool ParseKeyIndex(const uint8_t* bytes, size_t size, bool withSummary, KeyIndexContents* contents);

// The file's bytes, in the order earlier versions write them. Sets every node's file offset.
// Chain 2 only when withSummary and it has entries.
std::vector<uint8_t> KeyIndexBytes(KeyIndexContents& contents, bool withSummary);
