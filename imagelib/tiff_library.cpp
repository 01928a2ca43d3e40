#include "tiff_library.h"

#include <cstdarg>

#include "picture_limits.h"

namespace ravelight {
namespace {

// No single allocation larger than the reader's own raster of the largest picture the library accepts.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t{kMaxPicturePixels} * 4;

void Ignore(const char*, const char*, va_list) {}

// Static initialisation runs once even when two threads open their first TIFF together.
void SilenceMessages() {
  static const bool silenced = [] {
    TIFFSetErrorHandler(Ignore);
    TIFFSetWarningHandler(Ignore);
    return true;
  }();
  (void)silenced;
}

}  // namespace

TIFF* OpenTiffToRead(const char* path) {
  SilenceMessages();
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
  // Read, not mapped: a mapped file takes as much of a 32-bit process's address space as it is
  // long, and its pages count in the working set.
  TIFF* tif = TIFFOpenExt(path, "rm", options);
  TIFFOpenOptionsFree(options);
  return tif;
}

// The writer's buffers follow the picture in memory, which is already within the limits.
TIFF* OpenTiffToWrite(const char* path) {
  SilenceMessages();
  return TIFFOpen(path, "w");
}

}  // namespace ravelight
