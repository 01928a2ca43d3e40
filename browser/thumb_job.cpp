#include "thumb_job.h"

#include "Cimage.h"
#include "file_system.h"
#include "path_separators.h"
#include "thumb_decode.h"
#include "thumb_item.h"
#include "tnc_location.h"

namespace {

// Files up to this size are cached only with "dosmall" on: decoding them costs about as much as
// reading their thumbnails back.
constexpr int kSmallFileBytes = 5000;

}  // namespace

ThumbJob ThumbJobFor(const CThumbItem& item, int edge, const TncOptions& options, const platform::DriveInfo& drive,
                     bool cacheSmallFiles) {
  ThumbJob job;
  job.folder = platform::WithoutTrailingSeparators(item.folder);
  job.file.name = item.name;
  job.file.sizeKB = item.sizeKB;
  job.file.lastWrite = item.lastWrite;
  job.file.creation = item.creation;
  job.id = item.id;
  job.edge = edge;
  job.options = options;
  job.drive = drive;
  job.cacheSmallFiles = cacheSmallFiles;
  return job;
}

void UseCacheOf(ThumbnailCache& cache, const ThumbJob& job) {
  cache.SetOptions(job.options);
  const bool disabled = job.options.cacheMode == kTncDisabled;
  if (!disabled && job.folder == cache.Folder()) return;
  cache.UseFolder(job.folder, job.drive, job.edge);
}

ThumbOutcome MakeThumbnail(ThumbnailCache& cache, const ThumbJob& job, bool mayDecode, Cimage& image) {
  UseCacheOf(cache, job);
  if (job.options.cacheMode != kTncDisabled && cache.Load(job.file, job.edge, image)) return ThumbOutcome::kFromCache;
  if (!mayDecode) {
    image.DeleteImage();
    return ThumbOutcome::kDiscarded;
  }
  DecodeThumbnail(job.folder + platform::kPathSeparator + job.file.name, job.edge, image);
  if (job.options.cacheMode == kTncAutomatic && (job.cacheSmallFiles || image.m_fileSize > kSmallFileBytes))
    cache.Add(job.file, job.edge, image);
  return ThumbOutcome::kDecoded;
}
