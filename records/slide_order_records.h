#pragma once
// The bytes of a folder's slide-order file: a 20-byte header (magic 0x21001713, version 1, three
// reserved zeros; little-endian int32s) and then one 264-byte record per file to its end: the
// file name, NUL-terminated in 260 bytes (bytes after the terminator mean nothing), and the
// file's slide position (int32). There is no count.
// Depends on nothing but the standard library, so that the fuzz target can compile it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr char kSlideOrderFileName[] = "vireldan.sts";
constexpr size_t kSlideHeaderSize = 20;
constexpr size_t kSlideRecordSize = 264;
constexpr size_t kSlideNameSize = 260;
// A folder holds far fewer images; records past this many are not read, which bounds the memory
// a damaged or hostile file can claim.
constexpr size_t kMaxSlideRecords = size_t(1) << 18;

struct SlideRecord {
  std::string name;
  uint32_t position;
};

// A name that a record can hold: not empty, no NUL, room for the terminator.
bool FitsSlideRecord(const std::string& name);

// The records of a file's bytes, in file order. False, with no records, unless the header has the
// magic and version 1. A partial record at the end, records whose names do not fit (no
// terminator, or empty) and records past kMaxSlideRecords are left out.
bool ParseSlideOrder(const uint8_t* data, size_t size, std::vector<SlideRecord>* records);

// The file's bytes for these records, in this order; records whose names do not fit are left out.
std::vector<uint8_t> SlideOrderBytes(const std::vector<SlideRecord>& records);
