#include "key_index_format.h"

#include "byte_order.h"

using ravelight::LittleEndian32;
using ravelight::PutLittle32;

void EncodeIifHeader(const IifHeader& header, uint8_t* bytes) {
  const uint32_t fields[] = {header.magic,
                             header.version,
                             uint32_t(header.keyTree),
                             uint32_t(header.entries),
                             uint32_t(header.hasSummary),
                             uint32_t(header.entryCount),
                             uint32_t(header.summaryCount),
                             uint32_t(header.summary)};
  for (size_t i = 0; i < 8; ++i) PutLittle32(bytes + 4 * i, fields[i]);
}

bool DecodeIifHeader(const uint8_t* bytes, size_t size, IifHeader* header) {
  if (size < kKeyHeaderSize) return false;
  IifHeader read;
  read.magic = LittleEndian32(bytes);
  read.version = LittleEndian32(bytes + 4);
  int32_t* fields[] = {&read.keyTree, &read.entries, &read.hasSummary, &read.entryCount, &read.summaryCount,
                       &read.summary};
  for (size_t i = 0; i < 6; ++i) *fields[i] = int32_t(LittleEndian32(bytes + 8 + 4 * i));
  if (read.magic != kKeyIndexMagic || read.version != kKeyIndexVersion) return false;
  *header = read;
  return true;
}
