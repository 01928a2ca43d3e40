// Copies and moves built on the low steps, so that both systems share their guarantees:
// a target is either complete or as it was, and a source goes only once its bytes have arrived.
#include "file_system.h"

namespace platform {
namespace {

// Copies from into a temporary beside to and hands it to place; the temporary never outlives a
// failure.
template <typename Place>
bool CopyThroughTemporary(const std::string& from, const std::string& to, Place place) {
  const std::string temporary = TemporaryNameBeside(to);
  if (temporary.empty() || !CopyFileBytes(from, temporary)) return false;
  if (place(temporary, to)) return true;
  RemoveFile(temporary);
  return false;
}

}  // namespace

bool CopyFileTo(const std::string& from, const std::string& to) {
  return CopyThroughTemporary(from, to, MoveFileTo);
}

bool CopyFileOnto(const std::string& from, const std::string& to) {
  if (IsReadOnlyFile(to)) return false;
  return CopyThroughTemporary(from, to, ReplaceFileWith);
}

bool MoveFileTo(const std::string& from, const std::string& to) {
  switch (RenameOnVolume(from, to)) {
    case RenameResult::kRenamed:
      return true;
    case RenameResult::kFailed:
      return false;
    case RenameResult::kOtherVolume:
      break;
  }
  if (!CopyFileTo(from, to)) return false;
  // The source goes only once its copy would survive a power cut; else the copy goes again.
  if (FlushFileToDisk(to) && RemoveFile(from)) return true;
  RemoveFile(to);
  return false;
}

bool MoveFileOnto(const std::string& from, const std::string& to) {
  if (IsReadOnlyFile(to)) return false;
  // On one volume a rename replaces in one step; across volumes it fails and the bytes are copied.
  if (ReplaceFileWith(from, to)) return true;
  if (KindOfPath(from) != PathKind::kFile || !CopyFileOnto(from, to)) return false;
  return FlushFileToDisk(to) && RemoveFile(from);
}

}  // namespace platform
