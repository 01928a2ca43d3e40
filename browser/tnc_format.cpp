#include "tnc_format.h"

#include <cstring>

namespace {

void PutLittle(uint8_t* at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = uint8_t(value >> (8 * i));
}

uint32_t GetLittle(const uint8_t* at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

}  // namespace

void EncodeTncHeader(const TncHeader& header, uint8_t (&bytes)[kTncHeaderSize]) {
  PutLittle(bytes, uint32_t(header.version), 4);
  PutLittle(bytes + kTncLockedAt, uint16_t(header.locked), 2);
  PutLittle(bytes + kTncStaleAt, uint16_t(header.stale), 2);
  PutLittle(bytes + kTncFirstAt, uint32_t(header.first), 4);
}

TncHeader DecodeTncHeader(const uint8_t (&bytes)[kTncHeaderSize]) {
  TncHeader header;
  header.version = int32_t(GetLittle(bytes, 4));
  header.locked = int16_t(GetLittle(bytes + kTncLockedAt, 2));
  header.stale = int16_t(GetLittle(bytes + kTncStaleAt, 2));
  header.first = int32_t(GetLittle(bytes + kTncFirstAt, 4));
  return header;
}

bool IsKnownTncVersion(int32_t version) { return version == kTncVersion || version == kTncOldVersion; }

void EncodeTncEntry(const TncEntry& entry, uint8_t (&bytes)[kTncEntrySize]) {
  PutLittle(bytes, uint32_t(entry.link), 4);
  PutLittle(bytes + 4, uint32_t(entry.dataOffset), 4);
  PutLittle(bytes + kTncNextInEntry, uint32_t(entry.next), 4);
  PutLittle(bytes + 12, uint32_t(entry.sizeKB), 4);
  PutLittle(bytes + kTncTimeInEntry, entry.time.dwLowDateTime, 4);
  PutLittle(bytes + kTncTimeInEntry + 4, entry.time.dwHighDateTime, 4);
  PutLittle(bytes + 24, uint32_t(entry.edge), 4);
  PutLittle(bytes + 28, uint32_t(entry.imageHeight), 4);
  PutLittle(bytes + 32, uint32_t(entry.imageWidth), 4);
  std::memcpy(bytes + kTncNameInEntry, entry.name, kTncNameSize);
}

TncEntry DecodeTncEntry(const uint8_t (&bytes)[kTncEntrySize]) {
  TncEntry entry;
  entry.link = int32_t(GetLittle(bytes, 4));
  entry.dataOffset = int32_t(GetLittle(bytes + 4, 4));
  entry.next = int32_t(GetLittle(bytes + kTncNextInEntry, 4));
  entry.sizeKB = int32_t(GetLittle(bytes + 12, 4));
  entry.time.dwLowDateTime = GetLittle(bytes + kTncTimeInEntry, 4);
  entry.time.dwHighDateTime = GetLittle(bytes + kTncTimeInEntry + 4, 4);
  entry.edge = int32_t(GetLittle(bytes + 24, 4));
  entry.imageHeight = int32_t(GetLittle(bytes + 28, 4));
  entry.imageWidth = int32_t(GetLittle(bytes + 32, 4));
  std::memcpy(entry.name, bytes + kTncNameInEntry, kTncNameSize);
  return entry;
}

std::string TncEntryName(const TncEntry& entry) {
  const void* end = std::memchr(entry.name, 0, kTncNameSize);
  return end ? std::string(entry.name, static_cast<const char*>(end)) : std::string();
}

bool SetTncEntryName(TncEntry& entry, const std::string& name) {
  if (name.size() >= kTncNameSize) return false;
  std::memset(entry.name, 0, kTncNameSize);
  std::memcpy(entry.name, name.data(), name.size());
  return true;
}

void BlankTncEntry(TncEntry& entry) {
  entry.name[0] = 0;
  entry.time = FILETIME{0xFFFFFFFFu, 0};
}

int32_t TncSizeKB(uint64_t bytes) { return int32_t(uint32_t(bytes) >> 10); }
