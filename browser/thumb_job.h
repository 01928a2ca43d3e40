#pragma once
// One piece of work for the thumbnail loader thread, with everything it needs copied from the
// user-interface thread when it is asked for, so that the loader reads nothing that thread may
// change meanwhile; and how a thumbnail is made: from the folder's cache when it holds one, else
// by decoding the file at the thumbnail size and adding the result to the cache.
#include <string>

#include "file_system.h"
#include "thumbnail_cache.h"

class CThumbItem;
class Cimage;

struct ThumbJob {
  std::string folder;  // without a trailing separator
  TncRequest file;
  int id = 0;    // the requesting item's
  int edge = 0;  // the thumbnail edge asked for (an invalidation's blanks entries of every edge)
  TncOptions options;
  platform::DriveInfo drive;  // what the folder lies on, as recorded when it was chosen
  bool cacheSmallFiles = false;  // "Thumbnails" dosmall: files of 5000 bytes or less are cached too
};

ThumbJob ThumbJobFor(const CThumbItem& item, int edge, const TncOptions& options, const platform::DriveInfo& drive,
                     bool cacheSmallFiles);

enum class ThumbOutcome {
  kFromCache,
  kDecoded,    // also when the file could not be decoded: the image's flags tell
  kDiscarded,  // not in the cache, and decoding was not allowed
};

// Makes the job's folder the cache's current one (nothing while the cache is disabled).
void UseCacheOf(ThumbnailCache& cache, const ThumbJob& job);

// The job's thumbnail in image, fitted into edge x edge.
ThumbOutcome MakeThumbnail(ThumbnailCache& cache, const ThumbJob& job, bool mayDecode, Cimage& image);
