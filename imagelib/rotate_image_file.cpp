// Turning or mirroring an image file on disk: without loss for JPEG files, by decoding and saving
// again for the others, keeping the file's times, with the old file put into the recycle bin.
#include <cstdio>
#include <string>

#include "Cimage.h"
#include "file_system.h"
#include "lossless_transform.h"
#include "rotate_by_decoding.h"
#include "rotation_temporary_name.h"
#include "shared_reading.h"
#include "whole_file.h"

namespace {

using ravelight::JpegTransform;

constexpr JpegTransform kTransformOf[] = {JpegTransform::kRotate90, JpegTransform::kRotate270,
                                          JpegTransform::kRotate180, JpegTransform::kFlipVertical,
                                          JpegTransform::kFlipHorizontal};

bool TurnLosslessly(const std::string& path, const std::string& temporary, JpegTransform transform) {
  FILE* from = platform::OpenForSharedReading(path);
  if (!from) return false;
  FILE* to = std::fopen(temporary.c_str(), "wb");
  bool turned = to && ravelight::TransformJpeg(from, to, transform);
  if (to) turned = std::fclose(to) == 0 && turned;
  std::fclose(from);
  return turned;
}

// Writes the picture at its own name, where no file stands now; nothing stays of a failed write.
bool WriteAtItsPlace(const std::string& path, const std::string& bytes) {
  if (platform::WriteWholeFile(path, bytes)) return true;
  platform::RemoveFile(path);
  return false;
}

// Swaps the finished temporary file in for the original, or removes it and leaves the original
// where it was. The move that may cross volumes happens first, beside the original; only a rename
// within its folder follows the recycle-bin step.
bool PutInPlace(const std::string& temporary, const std::string& path) {
  // Kept in memory as well: whoever clears leftovers beside a file (the view's cache, opened again
  // as the folder changes) may take the staged file in a moment nobody holds it, once the
  // original is in the recycle bin already.
  std::string turned;
  const bool read = platform::ReadWholeFile(temporary, turned) && !turned.empty();
  const std::string staged = platform::TemporaryNameBeside(path);
  if (!read || staged.empty() || !platform::MoveFileTo(temporary, staged)) {
    platform::RemoveFile(temporary);
    return false;
  }
  // Held open while the original goes to the recycle bin, which can take a while: a file in use is
  // passed over by the clearing of leftovers.
  std::FILE* held = std::fopen(staged.c_str(), "rb");
  const bool recycled = platform::SendToRecycleBin(path);
  if (held) std::fclose(held);
  if (!recycled) {
    platform::RemoveFile(staged);
    return false;
  }
  if (platform::ReplaceFileWith(staged, path)) return true;
  // Taken before it was held or between letting go of it and its rename: the turned picture comes
  // from memory instead.
  platform::RemoveFile(staged);
  return WriteAtItsPlace(path, turned);
}

}  // namespace

int Cimage::S_RotateImageFile(const char* path, int operation) {
  if (!path || operation < 1 || operation > 5) return 0;
  const std::string file = path;
  const std::string temporary = ravelight::RotationTemporaryName(file);
  if (temporary.empty()) return 0;
  platform::FileTimes times;
  const bool timed = platform::ReadFileTimes(file, &times);
  if (!TurnLosslessly(file, temporary, kTransformOf[operation - 1]) &&
      !ravelight::TurnByDecoding(file, temporary, operation)) {
    platform::RemoveFile(temporary);
    return 0;
  }
  if (!PutInPlace(temporary, file)) return 0;
  if (timed) platform::WriteFileTimes(file, times);
  return 1;
}
