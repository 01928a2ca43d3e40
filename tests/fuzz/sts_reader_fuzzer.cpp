// Feeds arbitrary bytes to the slide-order file reader. Odd first bytes put a valid header in
// front, so that most inputs reach the records. Every record read must fit a record, no more
// records may come out than whole records went in, and writing them back must read back the
// same.
// The reader is part of the program's library, which fuzz targets do not link: its one source
// file depends on nothing else and is compiled in here.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../../records/slide_order_records.cpp"

namespace {

const uint8_t kHeader[kSlideHeaderSize] = {0x13, 0x17, 0x00, 0x21, 0x01};

bool Same(const std::vector<SlideRecord>& a, const std::vector<SlideRecord>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].position != b[i].position) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> file;
  if (data[0] % 2) file.assign(kHeader, kHeader + sizeof kHeader);
  file.insert(file.end(), data + 1, data + size);

  std::vector<SlideRecord> records;
  if (!ParseSlideOrder(file.data(), file.size(), &records)) {
    if (!records.empty()) std::abort();
    return 0;
  }
  if (records.size() > (file.size() - kSlideHeaderSize) / kSlideRecordSize) std::abort();
  for (const SlideRecord& record : records)
    if (!FitsSlideRecord(record.name)) std::abort();

  const std::vector<uint8_t> written = SlideOrderBytes(records);
  if (written.size() != kSlideHeaderSize + records.size() * kSlideRecordSize) std::abort();
  std::vector<uint8_t> headerOf(written.begin(), written.begin() + kSlideHeaderSize);
  if (headerOf != std::vector<uint8_t>(kHeader, kHeader + sizeof kHeader)) std::abort();
  std::vector<SlideRecord> again;
  if (!ParseSlideOrder(written.data(), written.size(), &again) || !Same(again, records)) std::abort();
  return 0;
}
