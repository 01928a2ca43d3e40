#include "tnc_format.h"

#include <cstring>

#include "byte_order.h"

using ravelight::LittleEndian16;
using ravelight::LittleEndian32;
using ravelight::PutLittle16;
using ravelight::PutLittle32;

void EncodeTncHeader(const TncHeader& header, uint8_t (&bytes)[kTncHeaderSize]) {
  PutLittle32(bytes, uint32_t(header.version));
  PutLittle16(bytes + kTncLockedAt, uint16_t(header.locked));
  PutLittle16(bytes + kTncStaleAt, uint16_t(header.stale));
  PutLittle32(bytes + kTncFirstAt, uint32_t(header.first));
}

TncHeader DecodeTncHeader(const uint8_t (&bytes)[kTncHeaderSize]) {
  TncHeader header;
  header.version = int32_t(LittleEndian32(bytes));
  header.locked = int16_t(LittleEndian16(bytes + kTncLockedAt));
  header.stale = int16_t(LittleEndian16(bytes + kTncStaleAt));
  header.first = int32_t(LittleEndian32(bytes + kTncFirstAt));
  return header;
}

bool IsKnownTncVersion(int32_t version) { return version == kTncVersion || version == kTncOldVersion; }

void EncodeTncEntry(const TncEntry& entry, uint8_t (&bytes)[kTncEntrySize]) {
  PutLittle32(bytes, uint32_t(entry.link));
  PutLittle32(bytes + 4, uint32_t(entry.dataOffset));
  PutLittle32(bytes + kTncNextInEntry, uint32_t(entry.next));
  PutLittle32(bytes + 12, uint32_t(entry.sizeKB));
  PutLittle32(bytes + kTncTimeInEntry, entry.time.dwLowDateTime);
  PutLittle32(bytes + kTncTimeInEntry + 4, entry.time.dwHighDateTime);
  PutLittle32(bytes + 24, uint32_t(entry.edge));
  PutLittle32(bytes + 28, uint32_t(entry.imageHeight));
  PutLittle32(bytes + 32, uint32_t(entry.imageWidth));
  std::memcpy(bytes + kTncNameInEntry, entry.name, kTncNameSize);
}

TncEntry DecodeTncEntry(const uint8_t (&bytes)[kTncEntrySize]) {
  TncEntry entry;
  entry.link = int32_t(LittleEndian32(bytes));
  entry.dataOffset = int32_t(LittleEndian32(bytes + 4));
  entry.next = int32_t(LittleEndian32(bytes + kTncNextInEntry));
  entry.sizeKB = int32_t(LittleEndian32(bytes + 12));
  entry.time.dwLowDateTime = LittleEndian32(bytes + kTncTimeInEntry);
  entry.time.dwHighDateTime = LittleEndian32(bytes + kTncTimeInEntry + 4);
  entry.edge = int32_t(LittleEndian32(bytes + 24));
  entry.imageHeight = int32_t(LittleEndian32(bytes + 28));
  entry.imageWidth = int32_t(LittleEndian32(bytes + 32));
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
