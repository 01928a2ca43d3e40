#pragma once
// The walk that pre-builds "vireldan.tnc" in a folder and all its sub-folders, sub-folders first.
// Each cache is written whole to a temporary file beside it and moved over the old one in one
// step, so a stop, a failure or a killed process leaves the old cache as it was.
#include <functional>
#include <string>

#include "file_system.h"
#include "tnc_options.h"

class Cimage;

// What the walk shows as it goes, and whether it is to go on (the dialog's Stop).
class CacheBuildObserver {
 public:
  virtual ~CacheBuildObserver() = default;
  virtual void FolderStarted(const std::string& folder) = 0;
  virtual void FileStarted(const std::string& name) = 0;
  virtual void ThumbnailMade(Cimage& image) = 0;
  virtual bool KeepGoing() = 0;
};

struct CacheBuildReport {
  int cachesWritten = 0;
  int cachesRemoved = 0;      // folders without pictures whose old cache went
  int entries = 0;
  int unreadable = 0;         // pictures that would not load: no entry
  int lockedKept = 0;         // locked or read-only caches left as they were
  int failedFolders = 0;      // caches that could not be written: the old one kept
  int tooLong = 0;            // folders and files whose paths exceed the system's limit
  bool stopped = false;
};

// The drive a folder lies on, which decides where its cache goes.
using DriveLookup = std::function<platform::DriveInfo(const std::string& folder)>;

// Thumbnails are made for this edge, the one the browser shows by default.
constexpr int kBuilderEdge = 180;

// The options Thumbwell builds by: the program's own, except that caches are always built, and a
// CD-ROM's always go to the mirror below the cache folder (its own file cannot be written).
TncOptions BuilderOptions(TncOptions options);

CacheBuildReport BuildCaches(const std::string& folder, const TncOptions& options, const DriveLookup& drives,
                             CacheBuildObserver& observer);

// The closing report: what was done and what was left out.
std::string CacheBuildSummary(const CacheBuildReport& report);
