#include "thumbnail_cache.h"

#include <algorithm>

#include "Cimage.h"
#include "byte_order.h"
#include "path_separators.h"
#include "tnc_location.h"
#include "tnc_squeeze.h"

namespace {

constexpr size_t kLimitedEntries = 1000;
constexpr int kSqueezePercent = 16;
constexpr int kFitMode = 2;

bool HasPicture(const Cimage& image) {
  return !image.m_loadError && image.m_pixels && image.m_width > 0 && image.m_height > 0;
}

int ClampStale(int64_t stale) { return int(std::clamp<int64_t>(stale, 0, kTncMaxStale)); }

}  // namespace

void ThumbnailCache::UseFolder(const std::string& folderPath, const platform::DriveInfo& drive, int edge) {
  if (options_.cacheMode == kTncDisabled) {
    Close();
    status_ = TncStatus::kDisabled;
    return;
  }
  const std::string folder = platform::WithoutTrailingSeparators(folderPath);
  if (!folder_.empty() && folder == folder_) return;
  Leave();
  Open(folder, drive, edge);
}

void ThumbnailCache::Open(const std::string& folder, const platform::DriveInfo& drive, int edge) {
  folder_ = folder;
  edge_ = edge;
  const TncPlace place = LocateTncFile(folder, drive, options_);
  path_ = place.path;
  timesIgnored_ = place.timesIgnored;
  readOnly_ = place.readOnly || options_.cacheMode == kTncReadOnly;
  if (place.kind != TncPlace::Kind::kFile) {
    status_ = place.kind == TncPlace::Kind::kDisabled ? TncStatus::kDisabled : TncStatus::kNoFile;
    fileSizeKB_ = 0;
    return;
  }
  platform::FileStamp stamp;
  fileSizeKB_ = platform::FindFileStamp(path_, &stamp) ? TncSizeKB(stamp.size) : 0;
  status_ = TncStatus::kNormal;
  switch (stream_.Open(path_, !readOnly_)) {
    case TncStream::Opened::kMissing:
      // The first thumbnail added creates the file.
      status_ = TncStatus::kNoFile;
      writable_ = !readOnly_;
      return;
    case TncStream::Opened::kReadOnly:
      if (!readOnly_) status_ = TncStatus::kReadOnly;
      readOnly_ = true;
      break;
    case TncStream::Opened::kWritable:
      writable_ = true;
      break;
  }
  ReadEntries();
  // A squeeze cut short leaves its new file beside the cache; whoever may write the cache clears
  // such leftovers away, and nobody else does.
  if (stream_.IsOpen() && MayChange()) platform::RemoveTemporariesBeside(path_);
}

void ThumbnailCache::ReadEntries() {
  TncHeader header;
  if (!ReadTncHeader(stream_, &header)) {
    // Not a cache this program can read. A writable one is replaced by the thumbnails to come.
    stream_.Close();
    status_ = TncStatus::kNoFile;
    if (writable_ && !platform::RemoveFile(path_)) writable_ = false;
    return;
  }
  oldFormat_ = header.version == kTncOldVersion;
  locked_ = header.locked != 0;
  if (locked_) status_ = TncStatus::kLocked;
  storedStale_ = header.stale;
  stale_ = ClampStale(header.stale);
  TncReadAhead ahead(stream_);
  TncChain chain = ReadTncChain(ahead, header.first);
  entries_.reserve(chain.entries.size());
  for (const TncEntryAt& entry : chain.entries) Remember(entry);
  lastEntryOffset_ = entries_.empty() ? 0 : entries_.back().offset;
  sameEdge_ = int(std::count_if(entries_.begin(), entries_.end(),
                                [this](const TncEntryAt& e) { return e.entry.edge == edge_; }));
  if (chain.broken && MayChange()) {
    // The chain ends at the last good entry, so that appends link on from there.
    uint8_t none[4] = {};
    const int64_t link = lastEntryOffset_ ? lastEntryOffset_ + kTncNextInEntry : kTncFirstAt;
    Write([&] { return stream_.WriteAt(link, none, sizeof none); });
  }
}

// Writes are allowed by how the file was opened, by the lock, and by the cache mode, which the
// user may have changed since.
bool ThumbnailCache::MayChange() const {
  return writable_ && !locked_ && options_.cacheMode == kTncAutomatic;
}

void ThumbnailCache::Leave() {
  if (stream_.IsOpen() && ShouldSqueeze())
    Squeeze();
  else
    Close();
  stale_ = 0;
  squeezeRequested_ = false;
}

bool ThumbnailCache::ShouldSqueeze() const {
  if (entries_.empty()) return false;
  return squeezeRequested_ || !options_.deferSqueeze || oldFormat_ ||
         int64_t(stale_.load()) * 100 / int64_t(entries_.size()) >= kSqueezePercent;
}

void ThumbnailCache::Squeeze() {
  if (!stream_.IsOpen() || !MayChange() || timesIgnored_) {
    Close();
    return;
  }
  switch (SqueezeTncFile(stream_, folder_, options_.hideFile)) {
    case TncSqueezeOutcome::kSkipped:
      Close();
      return;
    case TncSqueezeOutcome::kSqueezed:
      status_ = TncStatus::kNormal;
      break;
    case TncSqueezeOutcome::kDeleted:
      status_ = TncStatus::kNoFile;
      fileSizeKB_ = 0;
      break;
    case TncSqueezeOutcome::kFailed:
      status_ = TncStatus::kError;
      break;
  }
  stale_ = 0;
  Forget();
}

void ThumbnailCache::Close() {
  CloseFile(true);
  Forget();
}

void ThumbnailCache::CloseFile(bool writeStale) {
  if (!stream_.IsOpen()) return;
  const bool ours = writable_;
  const int stale = stale_;
  if (writeStale && MayChange() && stale != storedStale_) {
    const uint8_t bytes[2] = {uint8_t(stale), uint8_t(stale >> 8)};
    Write([&] { return stream_.WriteAt(kTncStaleAt, bytes, sizeof bytes); });
  }
  stream_.Close();
  if (ours) platform::SetHiddenAttribute(path_, options_.hideFile);
}

void ThumbnailCache::Forget() {
  folder_.clear();
  entries_.clear();
  byName_.clear();
  lastEntryOffset_ = 0;
  writable_ = readOnly_ = locked_ = timesIgnored_ = oldFormat_ = false;
  storedStale_ = 0;
  sameEdge_ = hits_ = 0;
}

// The file is closed without another write and nothing more is written in this folder; the
// folder stays current, so that the next requests in it do not try again.
void ThumbnailCache::Fail() {
  stream_.Close();
  entries_.clear();
  byName_.clear();
  lastEntryOffset_ = 0;
  writable_ = false;
  sameEdge_ = hits_ = 0;
  status_ = TncStatus::kError;
}

template <typename Writes>
bool ThumbnailCache::Write(Writes writes) {
  if (!stream_.BeginWrite() || !writes() || !stream_.Flush()) {
    Fail();
    return false;
  }
  switch (stream_.EndWrite()) {
    case TncStream::Resumed::kWritable:
      return true;
    case TncStream::Resumed::kReadOnly:
      // Another program took the file between the write and the hold: it is read-only now.
      writable_ = false;
      readOnly_ = true;
      status_ = TncStatus::kReadOnly;
      return true;
    case TncStream::Resumed::kClosed:
      break;
  }
  Fail();
  return false;
}

bool ThumbnailCache::Load(const TncRequest& file, int edge, Cimage& image) {
  if (!stream_.IsOpen()) return false;
  const auto named = byName_.find(file.name);
  if (named == byName_.end()) return false;
  for (auto at = named->second.rbegin(); at != named->second.rend(); ++at) {
    TncEntryAt& found = entries_[*at];
    if (!TncEntryMatches(found.entry, file, edge, timesIgnored_, oldFormat_)) continue;
    bool decoded = false;
    if (stream_.SeekTo(found.offset + int64_t(kTncEntrySize))) {
      image.LoadTNC(edge);
      if (HasPicture(image)) image.ReSample(edge, edge, kFitMode);
      decoded = HasPicture(image);
    }
    if (!decoded) {
      Blank(found);
      NoteStale(1);
      return false;
    }
    image.m_origHeight = found.entry.imageHeight;
    image.m_origWidth = found.entry.imageWidth;
    ++hits_;
    return true;
  }
  return false;
}

bool ThumbnailCache::Add(const TncRequest& file, int edge, Cimage& image) {
  if (folder_.empty() || !MayChange() || !HasPicture(image) ||
      !TncNameCanMatch(file.name) || (options_.limit && entries_.size() > kLimitedEntries))
    return false;
  TncEntry entry;
  entry.sizeKB = file.sizeKB;
  entry.time = oldFormat_ ? file.creation : file.lastWrite;
  entry.edge = edge;
  entry.imageHeight = image.m_origHeight;
  entry.imageWidth = image.m_origWidth;
  SetTncEntryName(entry, file.name);
  if (!(stream_.IsOpen() ? Append(entry, image) : Create(entry, image))) return false;
  if (edge == edge_) ++sameEdge_;
  return true;
}

bool ThumbnailCache::Create(const TncEntry& entry, Cimage& image) {
  if (!stream_.CreateNew(path_)) {
    Fail();
    return false;
  }
  TncHeader header;
  header.first = int32_t(kTncHeaderSize);
  uint8_t headerBytes[kTncHeaderSize], entryBytes[kTncEntrySize];
  EncodeTncHeader(header, headerBytes);
  EncodeTncEntry(entry, entryBytes);
  status_ = TncStatus::kNewFile;
  const bool written = Write([&] {
    if (!stream_.WriteAt(0, headerBytes, sizeof headerBytes) || !stream_.WriteAt(kTncHeaderSize, entryBytes, sizeof entryBytes))
      return false;
    image.SaveTNC(TncJpegQuality(options_.cacheQuality));
    return !image.m_saveError;
  });
  if (!written) {
    platform::RemoveFile(path_);  // made just now: nobody's thumbnails are in it
    return false;
  }
  oldFormat_ = locked_ = false;
  storedStale_ = 0;
  Remember(TncEntryAt{entry, int32_t(kTncHeaderSize)});
  lastEntryOffset_ = int32_t(kTncHeaderSize);
  return true;
}

// The entry and its JPEG go to the end of the file first, and only then does the last entry
// link to them: a write cut short leaves the chain as it was.
bool ThumbnailCache::Append(const TncEntry& entry, Cimage& image) {
  int32_t at = 0;
  const bool written = Write([&] {
    const int64_t end = stream_.Size();
    if (end < int64_t(kTncHeaderSize) || end > INT32_MAX - int64_t(kTncEntrySize)) return false;
    at = int32_t(end);
    uint8_t bytes[kTncEntrySize], link[4];
    EncodeTncEntry(entry, bytes);
    if (!stream_.WriteAt(at, bytes, sizeof bytes)) return false;
    image.SaveTNC(TncJpegQuality(options_.cacheQuality));
    if (image.m_saveError || !stream_.Flush()) return false;
    ravelight::PutLittle32(link, uint32_t(at));
    return stream_.WriteAt(lastEntryOffset_ ? lastEntryOffset_ + kTncNextInEntry : kTncFirstAt, link, sizeof link);
  });
  if (!written) return false;
  Remember(TncEntryAt{entry, at});
  lastEntryOffset_ = at;
  return true;
}

// A blanked entry stays listed under its old name; it no longer matches.
void ThumbnailCache::Remember(TncEntryAt entry) {
  byName_[TncEntryName(entry.entry)].push_back(entries_.size());
  entries_.push_back(std::move(entry));
}

// Only the time and the first byte of the name change; the link to the next entry is not
// written, so a torn write cannot break the chain.
void ThumbnailCache::Blank(TncEntryAt& found) {
  BlankTncEntry(found.entry);
  if (!MayChange()) return;
  uint8_t bytes[kTncEntrySize];
  EncodeTncEntry(found.entry, bytes);
  const int64_t from = found.offset + kTncTimeInEntry;
  Write([&] { return stream_.WriteAt(from, bytes + kTncTimeInEntry, kTncNameInEntry + 1 - kTncTimeInEntry); });
}

void ThumbnailCache::Invalidate(const TncRequest& file) {
  if (folder_.empty() || options_.cacheMode == kTncDisabled) return;
  for (size_t i = 0; i < entries_.size() && stream_.IsOpen(); ++i)
    if (TncEntryMatches(entries_[i].entry, file, 0, timesIgnored_, oldFormat_)) Blank(entries_[i]);
  Squeeze();
}

bool ThumbnailCache::ToggleLock() {
  if (!stream_.IsOpen() || !writable_ || options_.cacheMode != kTncAutomatic) {
    locked_ = false;
    return false;
  }
  const bool lock = !locked_;
  const int stale = stale_;
  const uint8_t bytes[4] = {uint8_t(lock ? 1 : 0), 0, uint8_t(stale), uint8_t(stale >> 8)};
  if (!Write([&] { return stream_.WriteAt(kTncLockedAt, bytes, sizeof bytes); })) return false;
  locked_ = lock;
  storedStale_ = stale;
  if (status_ != TncStatus::kReadOnly) status_ = lock ? TncStatus::kLocked : TncStatus::kNormal;
  return locked_;
}

bool ThumbnailCache::Delete() {
  if (folder_.empty() || path_.empty() || readOnly_ || locked_ || options_.cacheMode == kTncReadOnly) return false;
  CloseFile(false);
  const bool gone = platform::RemoveFile(path_) || !platform::FileExists(path_);
  Forget();
  status_ = TncStatus::kNoFile;
  fileSizeKB_ = 0;
  return gone;
}

void ThumbnailCache::NoteStale(int count) {
  if (count == -1) {
    squeezeRequested_ = true;
    return;
  }
  int stale = stale_;
  while (!stale_.compare_exchange_weak(stale, ClampStale(int64_t{stale} + count))) {
  }
}

TncInfo ThumbnailCache::Info() const {
  TncInfo info;
  info.status = status_;
  info.entries = int(entries_.size());
  info.sameEdge = sameEdge_;
  info.hits = hits_;
  info.fileSizeKB = fileSizeKB_;
  info.locked = locked_;
  return info;
}
