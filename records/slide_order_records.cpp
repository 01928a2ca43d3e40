#include "slide_order_records.h"

#include <cstring>

#include "byte_order.h"

namespace {

constexpr uint32_t kMagic = 0x21001713;
constexpr uint32_t kVersion = 1;

using ravelight::LittleEndian32;
using ravelight::PutLittle32;

}  // namespace

bool FitsSlideRecord(const std::string& name) {
  return !name.empty() && name.size() < kSlideNameSize && name.find('\0') == std::string::npos;
}

bool ParseSlideOrder(const uint8_t* data, size_t size, std::vector<SlideRecord>* records) {
  records->clear();
  if (size < kSlideHeaderSize || LittleEndian32(data) != kMagic || LittleEndian32(data + 4) != kVersion) return false;
  size_t count = (size - kSlideHeaderSize) / kSlideRecordSize;
  if (count > kMaxSlideRecords) count = kMaxSlideRecords;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = data + kSlideHeaderSize + i * kSlideRecordSize;
    const void* terminator = std::memchr(record, '\0', kSlideNameSize);
    if (!terminator || terminator == record) continue;
    records->push_back({std::string(reinterpret_cast<const char*>(record), static_cast<const uint8_t*>(terminator) - record),
                        LittleEndian32(record + kSlideNameSize)});
  }
  return true;
}

std::vector<uint8_t> SlideOrderBytes(const std::vector<SlideRecord>& records) {
  std::vector<uint8_t> bytes(kSlideHeaderSize, 0);
  PutLittle32(bytes.data(), kMagic);
  PutLittle32(bytes.data() + 4, kVersion);
  for (const SlideRecord& record : records) {
    if (!FitsSlideRecord(record.name)) continue;
    const size_t at = bytes.size();
    bytes.resize(at + kSlideRecordSize, 0);
    std::memcpy(bytes.data() + at, record.name.data(), record.name.size());
    PutLittle32(bytes.data() + at + kSlideNameSize, record.position);
  }
  return bytes;
}
