#pragma once
// Files opened for reading in a way that never stands in the user's way: while a picture is read
// (for its thumbnail, a preview, a print), it can still be renamed, moved, replaced, turned or
// sent to the recycle bin; the reader goes on reading what it opened.
#include <cstdio>
#include <string>

namespace platform {

// The file opened as fopen(path, "rb") would, but sharing deletion and renaming; null when it
// cannot be opened.
std::FILE* OpenForSharedReading(const std::string& path);

#if defined(_WIN32)
// The same, as a Win32 file handle (INVALID_HANDLE_VALUE on failure), for readers that take one.
void* OpenHandleForSharedReading(const std::string& path);
#endif

}  // namespace platform
