#pragma once
// Where the cache file of a folder lives: in the folder, or for CD-ROM, removable and network
// folders in a mirror of the folder below the "cachepath" setting.
#include <string>

#include "file_system.h"
#include "tnc_options.h"

// The folder below cachePath that stands for folder: for a network drive the folder's path
// without its drive; for a CD-ROM or removable disc the same below a folder named after its
// label ("nameless" without one), a label shorter than five characters being wrapped in
// underscores and run into the path ("_CD_Photos"). Empty when the label cannot name a folder
// (a separator in it, or "." or ".."). Paths with the Windows separator start with a drive or
// share prefix of two characters, which is left out.
std::string TncMirrorFolder(const std::string& cachePath, const std::string& folder, const platform::DriveInfo& drive,
                            char separator = platform::kPathSeparator);

struct TncPlace {
  enum class Kind { kDisabled, kFile, kUnavailable };
  Kind kind = Kind::kUnavailable;
  std::string path;           // the cache file, for kFile
  bool timesIgnored = false;  // a CD-ROM: entry times are not compared
  bool readOnly = false;      // a CD's own cache file, which is only read
};

// The desktop has no cache; nor does any folder while the cache is disabled. A mirror's folders
// are created as needed: when that fails, or a path would be too long, the place is
// kUnavailable and nothing is written.
TncPlace LocateTncFile(const std::string& folder, const platform::DriveInfo& drive, const TncOptions& options);
