#include "key_index_file.h"

#include <cstdio>

#include "app_settings.h"
#include "file_system.h"
#include "stream_size.h"

namespace key_index_testing {
void (*beforeWriteStep)(int step) = nullptr;
}  // namespace key_index_testing

namespace {

// The file is written in blocks of this size, each write checked.
constexpr size_t kWriteBlock = 4096;

void Step(int* step) {
  if (key_index_testing::beforeWriteStep) key_index_testing::beforeWriteStep((*step)++);
}

void RestoreHiddenAttribute(const std::string& path) {
  platform::SetHiddenAttribute(path, g_settings.hiddenFiles.iif != 0);
}

// The file opened with mode, its hidden attribute cleared first and restored when it closes.
class IndexFile {
 public:
  IndexFile(const std::string& path, const char* mode) : path_(path) {
    platform::SetHiddenAttribute(path, false);
    file_ = std::fopen(path.c_str(), mode);
  }
  ~IndexFile() { Close(); }
  IndexFile(const IndexFile&) = delete;
  IndexFile& operator=(const IndexFile&) = delete;

  std::FILE* get() const { return file_; }
  bool Close() {
    if (!file_) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    RestoreHiddenAttribute(path_);
    return closed;
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

bool WriteTemporary(const std::string& path, const std::vector<uint8_t>& bytes, int* step) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = true;
  for (size_t at = 0; written && at < bytes.size(); at += kWriteBlock) {
    Step(step);
    const size_t length = bytes.size() - at < kWriteBlock ? bytes.size() - at : kWriteBlock;
    written = std::fwrite(bytes.data() + at, 1, length, file) == length;
  }
  Step(step);
  return std::fclose(file) == 0 && written;
}

}  // namespace

KeyFileLoad LoadKeyIndexFile(const std::string& path, bool withSummary, KeyIndexContents* contents) {
  if (!platform::FileExists(path)) return KeyFileLoad::kMissing;
  IndexFile file(path, "rb");
  if (!file.get()) return KeyFileLoad::kMissing;
  const int64_t size = platform::StreamSize(file.get());
  if (size < 0 || uint64_t(size) > SIZE_MAX || size > INT32_MAX) return KeyFileLoad::kForeign;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  const bool read = std::fseek(file.get(), 0, SEEK_SET) == 0 &&
                    std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  file.Close();
  if (!read) return KeyFileLoad::kMissing;
  return ParseKeyIndex(bytes.data(), bytes.size(), withSummary, contents) ? KeyFileLoad::kRead
                                                                          : KeyFileLoad::kForeign;
}

bool ReplaceKeyIndexFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  int step = 0;
  if (bytes.size() > size_t(INT32_MAX)) return false;
  if (platform::IsReadOnlyFile(path)) return false;
  const std::string temporary = platform::TemporaryNameBeside(path);
  if (temporary.empty()) return false;
  bool replaced = false;
  if (WriteTemporary(temporary, bytes, &step)) {
    Step(&step);
    platform::SetHiddenAttribute(path, false);
    replaced = platform::ReplaceFileWith(temporary, path);
  }
  if (!replaced) platform::RemoveFile(temporary);
  RestoreHiddenAttribute(path);
  return replaced;
}

bool DeleteKeyIndexFile(const std::string& path) {
  if (!platform::FileExists(path)) return true;
  if (platform::IsReadOnlyFile(path)) return false;
  platform::SetHiddenAttribute(path, false);
  if (platform::RemoveFile(path)) return true;
  RestoreHiddenAttribute(path);
  return false;
}

bool ClearKeyIndexSummary(const std::string& path) {
  if (!platform::FileExists(path)) return true;
  if (platform::IsReadOnlyFile(path)) return false;
  IndexFile file(path, "r+b");
  if (!file.get()) return false;
  uint8_t bytes[kKeyHeaderSize];
  IifHeader header;
  if (std::fread(bytes, 1, sizeof bytes, file.get()) != sizeof bytes || !DecodeIifHeader(bytes, sizeof bytes, &header))
    return true;  // not ours: nothing of it is touched
  if (!header.hasSummary && !header.summaryCount && !header.summary) return true;
  header.hasSummary = header.summaryCount = header.summary = 0;
  EncodeIifHeader(header, bytes);
  return std::fseek(file.get(), 0, SEEK_SET) == 0 && std::fwrite(bytes, 1, sizeof bytes, file.get()) == sizeof bytes &&
         file.Close();
}
