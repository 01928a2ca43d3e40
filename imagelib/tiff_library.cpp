#include "tiff_library.h"

#include <cstdarg>

#include "picture_limits.h"
#include "shared_reading.h"

#if defined(_WIN32)
#include <windows.h>
#endif

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
#if defined(_WIN32)
  // libtiff's own open shares no deletion, so a TIFF being read could not be renamed or recycled
  // meanwhile; it takes a handle opened as the other readers open their files. Windows' handles
  // fit in 32 bits, which is how libtiff's Win32 port passes them.
  TIFF* tif = nullptr;
  const HANDLE file = platform::OpenHandleForSharedReading(path);
  if (file != INVALID_HANDLE_VALUE) {
    tif = TIFFFdOpenExt(static_cast<int>(reinterpret_cast<intptr_t>(file)), path, "rm", options);
    if (!tif) ::CloseHandle(file);
  }
#else
  TIFF* tif = TIFFOpenExt(path, "rm", options);
#endif
  TIFFOpenOptionsFree(options);
  return tif;
}

// The writer's buffers follow the picture in memory, which is already within the limits.
TIFF* OpenTiffToWrite(const char* path) {
  SilenceMessages();
  return TIFFOpen(path, "w");
}

}  // namespace ravelight
