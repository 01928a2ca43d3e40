#include "slide_order_records.h"

#include <cstring>

namespace {

constexpr uint32_t kMagic = 0x21001713;
constexpr uint32_t kVersion = 1;

uint32_t ReadInt32(const uint8_t* at) { return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24; }

void WriteInt32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i));
}

}  // namespace

bool FitsSlideRecord(const std::string& name) {
  return !name.empty() && name.size() < kSlideNameSize && name.find('\0') == std::string::npos;
}

bool ParseSlideOrder(const uint8_t* data, size_t size, std::vector<SlideRecord>* records) {
  records->clear();
  if (size < kSlideHeaderSize || ReadInt32(data) != kMagic || ReadInt32(data + 4) != kVersion) return false;
  size_t count = (size - kSlideHeaderSize) / kSlideRecordSize;
  if (count > kMaxSlideRecords) count = kMaxSlideRecords;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = data + kSlideHeaderSize + i * kSlideRecordSize;
    const void* terminator = std::memchr(record, '\0', kSlideNameSize);
    if (!terminator || terminator == record) continue;
    records->push_back({std::string(reinterpret_cast<const char*>(record), static_cast<const uint8_t*>(terminator) - record),
                        ReadInt32(record + kSlideNameSize)});
  }
  return true;
}

std::vector<uint8_t> SlideOrderBytes(const std::vector<SlideRecord>& records) {
  std::vector<uint8_t> bytes(kSlideHeaderSize, 0);
  WriteInt32(bytes.data(), kMagic);
  WriteInt32(bytes.data() + 4, kVersion);
  for (const SlideRecord& record : records) {
    if (!FitsSlideRecord(record.name)) continue;
    const size_t at = bytes.size();
    bytes.resize(at + kSlideRecordSize, 0);
    std::memcpy(bytes.data() + at, record.name.data(), record.name.size());
    WriteInt32(bytes.data() + at + kSlideNameSize, record.position);
  }
  return bytes;
}
