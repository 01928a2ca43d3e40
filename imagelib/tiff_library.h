#pragma once
// libtiff reports problems through handlers that print by default, and it allocates whatever a
// file's header asks for. Every use of libtiff in the library opens its file through here.
// The first open silences libtiff's messages for the whole process: the handlers are
// process-wide, and nothing else in the process uses libtiff.
#include <tiffio.h>

namespace ravelight {

// Null when the file cannot be opened or is not a TIFF. Any single allocation libtiff makes for
// the file is capped, so a hostile header fails instead of exhausting a 32-bit process.
TIFF* OpenTiffToRead(const char* path);

// Null when the file cannot be created.
TIFF* OpenTiffToWrite(const char* path);

}  // namespace ravelight
