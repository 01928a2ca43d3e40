#include "tnc_location.h"

#include "ascii_text.h"
#include "path_separators.h"
#include "tnc_format.h"

namespace {

using platform::WithoutTrailingSeparators;

bool NamesAFolder(const std::string& label, char separator) {
  return label.find_first_of(std::string(1, separator) + "/:") == std::string::npos && label != "." &&
         label != "..";
}

bool UsesMirror(const platform::DriveInfo& drive, const TncOptions& options, const std::string& ownFile) {
  switch (drive.type) {
    case platform::kDriveRemote: return true;
    case platform::kDriveRemovable: return options.cacheRemovable;
    case platform::kDriveCdRom:
      return options.cacheCds && (!options.useCdCache || !platform::FileExists(ownFile));
    default: return false;
  }
}

// Room for a path and its terminator in the system's path buffers.
bool FitsInPath(const std::string& path) { return path.size() < platform::kMaxPath; }

}  // namespace

std::string TncMirrorFolder(const std::string& cachePath, const std::string& folder, const platform::DriveInfo& drive,
                            char separator) {
  std::string rest = separator == '\\' && folder.size() >= 2 ? folder.substr(2) : folder;
  rest.erase(0, rest.find_first_not_of(std::string(1, separator) + "/"));
  std::string mirror = WithoutTrailingSeparators(cachePath, separator) + separator;
  if (drive.type != platform::kDriveRemote) {
    const std::string label = drive.label.empty() ? "nameless" : drive.label;
    if (!NamesAFolder(label, separator)) return std::string();
    mirror += label.size() < 5 ? "_" + label + "_" : label + separator;
  }
  return WithoutTrailingSeparators(mirror + rest, separator);
}

TncPlace LocateTncFile(const std::string& folderPath, const platform::DriveInfo& drive, const TncOptions& options) {
  TncPlace place;
  const std::string folder = WithoutTrailingSeparators(folderPath);
  if (options.cacheMode == kTncDisabled ||
      platform::AsciiUpper(folder) == platform::AsciiUpper(WithoutTrailingSeparators(options.desktopFolder))) {
    place.kind = TncPlace::Kind::kDisabled;
    return place;
  }
  place.timesIgnored = drive.type == platform::kDriveCdRom;
  const std::string ownFile = folder + platform::kPathSeparator + kTncFileName;
  if (!FitsInPath(ownFile)) return place;
  if (!UsesMirror(drive, options, ownFile)) {
    place.kind = TncPlace::Kind::kFile;
    place.path = ownFile;
    place.readOnly = place.timesIgnored;
    return place;
  }
  if (options.cachePath.empty()) return place;
  const std::string mirror = TncMirrorFolder(options.cachePath, folder, drive);
  const std::string mirrorFile = mirror + platform::kPathSeparator + kTncFileName;
  if (mirror.empty() || !FitsInPath(mirrorFile) || !platform::CreateDirectoryChain(mirror)) return place;
  place.kind = TncPlace::Kind::kFile;
  place.path = mirrorFile;
  return place;
}
