// File creation, folders, attributes, file stamps and drives on Win32.
#include <windows.h>

#include "file_system.h"

namespace platform {
namespace {

uint64_t FromFiletime(const FILETIME& t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// The root that GetDriveType and GetVolumeInformation take: "C:\" or "\\server\share\".
std::string RootOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + '\\';
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos) return std::string();
    const size_t share = path.find('\\', server + 1);
    return (share == std::string::npos ? path : path.substr(0, share)) + '\\';
  }
  return std::string();
}

}  // namespace

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

bool SetFileHidden(const std::string& path, bool hidden) {
  return ::SetFileAttributesA(path.c_str(), hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool FindFileStamp(const std::string& path, FileStamp* stamp) {
  if (path.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  stamp->size = uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
  stamp->creation = FromFiletime(found.ftCreationTime);
  stamp->lastWrite = FromFiletime(found.ftLastWriteTime);
  stamp->directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  stamp->hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  return true;
}

DriveInfo DescribeDrive(const std::string& path) {
  DriveInfo drive;
  const std::string root = RootOf(path);
  drive.type = int(::GetDriveTypeA(root.empty() ? nullptr : root.c_str()));
  char label[kMaxPath] = {};
  if (!root.empty() && ::GetVolumeInformationA(root.c_str(), label, DWORD(sizeof label), nullptr, nullptr, nullptr,
                                               nullptr, 0))
    drive.label = label;
  return drive;
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
