// File creation, folders, file stamps and deny-write holds on Win32.
#include <windows.h>

#include "file_system.h"
#include "filetime.h"

namespace platform {

bool CreateNewFile(const std::string& path) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file != INVALID_HANDLE_VALUE && ::CloseHandle(file) != 0;
}

bool MakeFolder(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

FileLookup LookUpFileStamp(const std::string& path, FileStamp* stamp) {
  if (path.find_first_of("*?") != std::string::npos) return FileLookup::kMissing;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    switch (::GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_NO_MORE_FILES:
      case ERROR_INVALID_NAME:
        return FileLookup::kMissing;
      default:
        return FileLookup::kUnknown;
    }
  }
  ::FindClose(search);
  stamp->size = uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
  stamp->creation = FileTimeTicks(found.ftCreationTime);
  stamp->lastWrite = FileTimeTicks(found.ftLastWriteTime);
  stamp->directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  stamp->hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  return FileLookup::kFound;
}

DenyWriteHold::Result DenyWriteHold::Take(const std::string& path) {
  Release();
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? Result::kInUse : Result::kFailed;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  return Result::kHeld;
}

void DenyWriteHold::Release() {
  if (handle_ != kNone) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNone;
}

}  // namespace platform
