#include "shared_reading.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

namespace platform {

// The C library's fopen shares reading and writing but not deletion, so that a rename or a move
// to the recycle bin of an open file fails with a sharing violation. The name goes through the
// wide call, as fopen's does, which takes paths that the ANSI call refuses for their length.
void* OpenHandleForSharedReading(const std::string& path) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return INVALID_HANDLE_VALUE;
  std::wstring wide(size_t(length), L'\0');
  if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length) != length) return INVALID_HANDLE_VALUE;
  return ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::FILE* OpenForSharedReading(const std::string& path) {
  const HANDLE file = OpenHandleForSharedReading(path);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (descriptor == -1) {
    ::CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = ::_fdopen(descriptor, "rb");
  if (!stream) ::_close(descriptor);  // closes the handle too
  return stream;
}

}  // namespace platform
