#include "slide_order_file.h"

#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app_settings.h"
#include "file_system.h"
#include "slide_order_records.h"
#include "stream_size.h"
#include "thumb_list.h"

namespace {

void RestoreHiddenAttribute(const std::string& path) {
  platform::SetHiddenAttribute(path, g_settings.hiddenFiles.sts != 0);
}

// The file's records; false when it cannot be read or is no slide-order file. Only as many bytes
// as kMaxSlideRecords records take are read.
bool LoadRecords(const std::string& path, std::vector<SlideRecord>* records) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  const int64_t size = platform::StreamSize(file);
  const int64_t limit = int64_t(kSlideHeaderSize + kMaxSlideRecords * kSlideRecordSize);
  std::vector<uint8_t> bytes(size_t(size < 0 ? 0 : size < limit ? size : limit));
  const bool read = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0 &&
                    std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  std::fclose(file);
  return read && ParseSlideOrder(bytes.data(), bytes.size(), records);
}

// A name that stands for a file of the folder: no folder parts, and such a file exists.
bool IsFileInFolder(const std::string& folder, const std::string& name) {
  return name.find_first_of("\\/:") == std::string::npos &&
         platform::KindOfPath(folder + name) == platform::PathKind::kFile;
}

// Appends the records of path that name files of the folder not listed, each name once with its
// last position (the one a reader would take).
void KeepUnlistedRecords(const std::string& path, const std::string& folder,
                         const std::unordered_set<std::string>& listed, std::vector<SlideRecord>* records) {
  std::vector<SlideRecord> old;
  if (!LoadRecords(path, &old)) return;
  std::unordered_map<std::string, size_t> kept;
  for (const SlideRecord& record : old) {
    if (listed.count(record.name)) continue;
    const auto found = kept.find(record.name);
    if (found != kept.end()) {
      (*records)[found->second].position = record.position;
    } else if (IsFileInFolder(folder, record.name)) {
      kept.emplace(record.name, records->size());
      records->push_back(record);
    }
  }
}

}  // namespace

bool ReadSlideOrder(const std::string& folder, CThumbList& items) {
  const std::string path = folder + kSlideOrderFileName;
  if (!platform::FileExists(path)) return false;
  platform::SetHiddenAttribute(path, false);
  std::vector<SlideRecord> records;
  const bool valid = LoadRecords(path, &records);
  RestoreHiddenAttribute(path);
  if (!valid) return false;
  // One look-up a record, so that a large folder is not read in records x items steps.
  std::unordered_map<std::string, CThumbItem*> byName;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) byName.emplace(item->name, item);
  for (const SlideRecord& record : records) {
    const auto found = byName.find(record.name);
    if (found != byName.end()) found->second->slidePos = record.position;
  }
  return true;
}

bool WriteSlideOrder(const std::string& folder, CThumbList& items) {
  const std::string path = folder + kSlideOrderFileName;
  std::vector<SlideRecord> records;
  std::unordered_set<std::string> listed;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    records.push_back({item->name, item->slidePos});
    listed.insert(item->name);
  }
  const bool existed = platform::FileExists(path);
  if (existed) {
    platform::SetHiddenAttribute(path, false);
    KeepUnlistedRecords(path, folder, listed, &records);
  }
  const std::vector<uint8_t> bytes = SlideOrderBytes(records);
  const bool written = platform::ReplaceFileContents(path, bytes.data(), bytes.size());
  if (written || existed) RestoreHiddenAttribute(path);
  return written;
}
