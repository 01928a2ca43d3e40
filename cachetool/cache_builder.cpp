#include "cache_builder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "Cimage.h"
#include "byte_order.h"
#include "folder_entries.h"
#include "path_separators.h"
#include "picture_types.h"
#include "tnc_format.h"
#include "tnc_location.h"
#include "tnc_purge.h"

namespace {

// The pictures a cache holds, type by type in this order.
constexpr platform::PictureType kCachedTypes[] = {platform::PictureType::kJpeg, platform::PictureType::kGif,
                                                  platform::PictureType::kTiff, platform::PictureType::kBmp,
                                                  platform::PictureType::kPng,  platform::PictureType::kPcx,
                                                  platform::PictureType::kPsd};
constexpr int kBuilderQuality = 85;

bool FitsInPath(const std::string& path) { return path.size() < platform::kMaxPath; }

// A cache marked locked, or a file the user made read-only, is never replaced.
bool IsKeptAsItIs(const std::string& path) { return platform::IsReadOnlyFile(path) || IsLockedTncFile(path); }

// A temporary nobody has made or written for this long is no save still under way.
constexpr uint64_t kStaleLeftoverTicks = 24ull * 60 * 60 * platform::kFileTimeTicksPerSecond;

uint64_t NowTicks() {
  // File times count from 1601, the system clock from 1970.
  constexpr uint64_t kTicksFrom1601To1970 = 11644473600ull * platform::kFileTimeTicksPerSecond;
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  return kTicksFrom1601To1970 + uint64_t(std::chrono::duration_cast<std::chrono::seconds>(since1970).count()) *
                                    platform::kFileTimeTicksPerSecond;
}

// Vireldan's own saves go through temporaries of the same kind as a cache's, so one beside the
// cache may be a picture on its way: only a cut-short cache (nothing of the user's is in it) or a
// file nobody has touched for a day goes. A copy keeps its source's write time, so its creation
// time counts too.
bool IsDeadLeftover(const std::string& path, const platform::FileStamp& stamp) {
  TncHeader header;
  if (ReadTncFileHeader(path, &header)) return true;
  const uint64_t touched = std::max(stamp.creation, stamp.lastWrite), now = NowTicks();
  return touched < now && now - touched > kStaleLeftoverTicks;
}

class FolderBuild {
 public:
  FolderBuild(TncOptions options, const DriveLookup& drives, CacheBuildObserver& observer,
              CacheBuildReport& report)
      : options_(std::move(options)), drives_(drives), observer_(observer), report_(report) {}

  // False once stopped: the folders above then keep their caches.
  bool Build(const std::string& folder) {
    const std::vector<platform::FolderEntry> entries = platform::FolderEntries(folder);
    for (const auto& entry : entries) {
      if (!entry.stamp.directory || entry.isLink) continue;
      if (!observer_.KeepGoing()) return false;
      const std::string sub = folder + entry.name + platform::kPathSeparator;
      if (!FitsInPath(sub + kTncFileName)) {
        ++report_.tooLong;
        continue;
      }
      if (!Build(sub)) return false;
    }
    if (!observer_.KeepGoing()) return false;
    return WriteFolderCache(folder, entries);
  }

 private:
  bool WriteFolderCache(const std::string& folder, const std::vector<platform::FolderEntry>& entries) {
    observer_.FolderStarted(folder);
    const TncPlace place = LocateTncFile(folder, drives_(folder), options_);
    if (place.kind != TncPlace::Kind::kFile) {
      if (place.kind == TncPlace::Kind::kUnavailable) ++report_.failedFolders;
      return true;
    }
    if (IsKeptAsItIs(place.path)) {
      ++report_.lockedKept;
      return true;
    }
    // What a build killed in the middle left beside the cache goes first.
    platform::RemoveTemporariesBeside(place.path, IsDeadLeftover);
    const std::string temporary = platform::TemporaryNameBeside(place.path);
    if (temporary.empty() || !Cimage::OpenTNC(temporary.c_str(), "wb+")) {
      ++report_.failedFolders;
      return true;
    }
    TncHeader header;
    header.first = int32_t(kTncHeaderSize);
    uint8_t headerBytes[kTncHeaderSize];
    EncodeTncHeader(header, headerBytes);
    bool sound = Cimage::WriteTNC(headerBytes, 1, sizeof headerBytes) == sizeof headerBytes;
    int written = 0;
    for (const platform::PictureType type : kCachedTypes) {
      for (const auto& entry : entries) {
        if (!sound) break;
        if (entry.stamp.directory || platform::PictureTypeOfName(entry.name) != type) continue;
        if (!observer_.KeepGoing()) {
          Discard(temporary);
          return false;
        }
        sound = AddPicture(folder, entry, written);
      }
    }
    Cimage::CloseTNC();
    if (!sound) {
      ++report_.failedFolders;
      platform::RemoveFile(temporary);
    } else if (written == 0) {
      platform::RemoveFile(temporary);
      if (platform::FileExists(place.path) && platform::RemoveFile(place.path)) ++report_.cachesRemoved;
    } else if (platform::SetHiddenAttribute(temporary, options_.hideFile),
               platform::ReplaceFileWith(temporary, place.path)) {
      // The new cache came hidden or not as it is to be; the old one was never touched, so a
      // failed replace leaves it exactly as it was.
      ++report_.cachesWritten;
      report_.entries += written;
    } else {
      ++report_.failedFolders;
      platform::RemoveFile(temporary);
    }
    return true;
  }

  static void Discard(const std::string& temporary) {
    Cimage::CloseTNC();
    platform::RemoveFile(temporary);
  }

  // False when the cache cannot be written on; a picture that cannot be read is only left out.
  bool AddPicture(const std::string& folder, const platform::FolderEntry& file, int& written) {
    const std::string path = folder + file.name;
    TncEntry entry;
    if (!FitsInPath(path) || !SetTncEntryName(entry, file.name)) {
      ++report_.tooLong;
      return true;
    }
    observer_.FileStarted(file.name);
    Cimage image;
    image.LoadImageA(path.c_str(), kBuilderEdge, kBuilderEdge, 1);
    if (!image.m_valid || image.m_loadError || !image.m_pixels) {
      ++report_.unreadable;
      return true;
    }
    observer_.ThumbnailMade(image);
    if (Cimage::SeekTNC(0, SEEK_END) != 0) return false;
    const long at = Cimage::TellTNC();
    entry.dataOffset = int32_t(at + long(kTncEntrySize));
    entry.sizeKB = TncSizeKB(file.stamp.size);
    entry.time = platform::FileTimeFromTicks(file.stamp.lastWrite);
    entry.edge = kBuilderEdge;
    entry.imageHeight = image.m_origHeight;
    entry.imageWidth = image.m_origWidth;
    uint8_t bytes[kTncEntrySize];
    EncodeTncEntry(entry, bytes);
    if (Cimage::WriteTNC(bytes, 1, sizeof bytes) != sizeof bytes) return false;
    image.SaveTNC(kBuilderQuality);
    if (image.m_saveError) return false;
    if (written > 0) {
      uint8_t link[4];
      ravelight::PutLittle32(link, uint32_t(at));
      if (Cimage::SeekTNC(lastEntry_ + kTncNextInEntry, SEEK_SET) != 0 || Cimage::WriteTNC(link, 1, 4) != 4)
        return false;
    }
    lastEntry_ = at;
    ++written;
    return true;
  }

  const TncOptions options_;
  const DriveLookup& drives_;
  CacheBuildObserver& observer_;
  CacheBuildReport& report_;
  long lastEntry_ = 0;
};

}  // namespace

TncOptions BuilderOptions(TncOptions options) {
  options.cacheMode = kTncAutomatic;
  options.cacheCds = true;
  options.useCdCache = false;
  return options;
}

CacheBuildReport BuildCaches(const std::string& folder, const TncOptions& options, const DriveLookup& drives,
                             CacheBuildObserver& observer) {
  CacheBuildReport report;
  std::string start = folder;
  if (start.empty() || start.back() != platform::kPathSeparator) start += platform::kPathSeparator;
  FolderBuild build(BuilderOptions(options), drives, observer, report);
  report.stopped = !build.Build(start);
  return report;
}

std::string CacheBuildSummary(const CacheBuildReport& report) {
  std::string text = (report.stopped ? "Stopped. " : "Done. ") + std::to_string(report.cachesWritten) +
                     " caches written with " + std::to_string(report.entries) + " thumbnails";
  const struct {
    int count;
    const char* what;
  } notes[] = {{report.cachesRemoved, " old caches removed"},
               {report.unreadable, " pictures could not be read"},
               {report.lockedKept, " locked caches kept"},
               {report.failedFolders, " folders could not be written"},
               {report.tooLong, " paths too long were skipped"}};
  for (const auto& note : notes)
    if (note.count) text += ", " + std::to_string(note.count) + note.what;
  return text + ".";
}
