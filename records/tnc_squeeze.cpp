#include "tnc_squeeze.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "file_system.h"
#include "tnc_matching.h"

namespace tnc_testing {
void (*beforeSqueezeStep)(int step) = nullptr;
}  // namespace tnc_testing

namespace {

int squeezeStep = 0;

// Marks the point before a step that changes a file.
void Step() {
  if (tnc_testing::beforeSqueezeStep) tnc_testing::beforeSqueezeStep(squeezeStep++);
}

struct KeptEntry {
  TncEntry entry;
  int64_t jpegFrom;
  int64_t jpegEnd;
};

// The image file the entry stands for is there, unchanged. Names that are not plain file names
// (a blanked entry's empty one, separators, wildcards) stand for nothing.
bool StillCurrent(TncEntry& entry, const std::string& folder, bool oldFormat) {
  const std::string name = TncEntryName(entry);
  if (name.empty() || name.find_first_of("\\/:*?") != std::string::npos) return false;
  const std::string path = folder + platform::kPathSeparator + name;
  platform::FileStamp stamp;
  if (path.size() >= platform::kMaxPath || !platform::FindFileStamp(path, &stamp) || stamp.directory) return false;
  if (TncSizeKB(stamp.size) != entry.sizeKB ||
      !TncTimesMatch(entry.time, platform::FileTimeFromTicks(oldFormat ? stamp.creation : stamp.lastWrite)))
    return false;
  if (oldFormat) entry.time = platform::FileTimeFromTicks(stamp.lastWrite);
  return true;
}

// The squeezed file, written step by step.
class SqueezedFile {
 public:
  explicit SqueezedFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
  ~SqueezedFile() { Close(); }
  SqueezedFile(const SqueezedFile&) = delete;
  SqueezedFile& operator=(const SqueezedFile&) = delete;

  bool Write(const void* data, size_t size) {
    Step();
    return file_ && std::fwrite(data, 1, size, file_) == size;
  }
  bool Copy(TncStream& from, int64_t offset, int64_t end) {
    std::vector<uint8_t> block(64 * 1024);
    for (; offset < end; offset += int64_t(block.size())) {
      if (end - offset < int64_t(block.size())) block.resize(size_t(end - offset));
      if (!from.ReadAt(offset, block.data(), block.size()) || !Write(block.data(), block.size())) return false;
    }
    return true;
  }
  bool Close() {
    if (!file_) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }
 private:
  std::FILE* file_;
};

bool WriteKept(TncStream& stream, const std::vector<KeptEntry>& kept, const std::string& path) {
  SqueezedFile out(path);
  TncHeader header;
  header.first = int32_t(kTncHeaderSize);
  uint8_t headerBytes[kTncHeaderSize];
  EncodeTncHeader(header, headerBytes);
  if (!out.Write(headerBytes, sizeof headerBytes)) return false;
  int64_t at = kTncHeaderSize;
  for (size_t i = 0; i < kept.size(); ++i) {
    const int64_t end = at + int64_t(kTncEntrySize) + (kept[i].jpegEnd - kept[i].jpegFrom);
    if (end > INT32_MAX) return false;
    TncEntry entry = kept[i].entry;
    entry.link = 0;
    entry.dataOffset = 0;
    entry.next = i + 1 < kept.size() ? int32_t(end) : 0;
    uint8_t bytes[kTncEntrySize];
    EncodeTncEntry(entry, bytes);
    if (!out.Write(bytes, sizeof bytes) || !out.Copy(stream, kept[i].jpegFrom, kept[i].jpegEnd)) return false;
    at = end;
  }
  Step();
  return out.Close();
}

}  // namespace

TncSqueezeOutcome SqueezeTncFile(TncStream& stream, const std::string& folder, bool hide) {
  squeezeStep = 0;
  const int64_t size = stream.Size();
  TncHeader header;
  if (size < int64_t(kTncEntrySize) || !ReadTncHeader(stream, &header)) return TncSqueezeOutcome::kSkipped;
  const std::string cachePath = stream.Path();
  const bool oldFormat = header.version == kTncOldVersion;
  const TncChain chain = ReadTncChain(stream, header.first);
  std::vector<KeptEntry> kept;
  for (size_t i = 0; i < chain.entries.size(); ++i) {
    KeptEntry candidate{chain.entries[i].entry, chain.entries[i].offset + int64_t(kTncEntrySize),
                        TncJpegEnd(chain, i, size)};
    if (StillCurrent(candidate.entry, folder, oldFormat)) kept.push_back(candidate);
  }

  if (kept.empty()) {
    stream.Close();
    return platform::RemoveFile(cachePath) ? TncSqueezeOutcome::kDeleted : TncSqueezeOutcome::kFailed;
  }
  const std::string squeezed = platform::TemporaryNameBeside(cachePath);
  const bool written = !squeezed.empty() && WriteKept(stream, kept, squeezed);
  stream.Close();
  bool replaced = false;
  if (written) {
    Step();
    platform::SetHiddenAttribute(cachePath, false);
    replaced = platform::ReplaceFileWith(squeezed, cachePath);
  }
  if (!replaced && !squeezed.empty()) platform::RemoveFile(squeezed);
  platform::SetHiddenAttribute(cachePath, hide);
  return replaced ? TncSqueezeOutcome::kSqueezed : TncSqueezeOutcome::kFailed;
}
