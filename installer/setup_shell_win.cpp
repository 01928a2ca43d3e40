#include "setup_shell_win.h"

#include <shlobj.h>

std::string JoinPath(const std::string& a, const std::string& b) { return a + "\\" + b; }

bool GetSpecialFolderPath(int csidl, std::string& path) {
  LPITEMIDLIST location = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &location)) || !location) return false;
  char buffer[MAX_PATH] = {};
  const bool found = ::SHGetPathFromIDListA(location, buffer) && buffer[0];
  ::CoTaskMemFree(location);
  if (found) path = buffer;
  return found;
}

bool FileIsInUse(const std::string& path) {
  // Asking for delete access alone is not enough: a loaded DLL grants it and refuses only the
  // delete itself, so write access is asked for too, with every kind of sharing allowed.
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ::CloseHandle(file);
    return false;
  }
  const DWORD error = ::GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

std::string NormalisedPath(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  std::string result = length && length < MAX_PATH ? full : path;
  while (result.size() > 3 && (result.back() == '\\' || result.back() == '/')) result.pop_back();
  return result;
}

bool CreateShellLink(const std::string& target, const std::string& folder, const std::string& linkName,
                        const std::string& description) {
  const std::string linkPath = folder + linkName;
  ::DeleteFileA(linkPath.c_str());
  IShellLinkA* link = nullptr;
  HRESULT result =
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (FAILED(result)) return true;
  link->SetPath(target.c_str());
  link->SetDescription(description.c_str());
  IPersistFile* file = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(result)) {
    WCHAR widePath[MAX_PATH] = {};
    result = ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) ? file->Save(widePath, TRUE)
                                                                                        : E_INVALIDARG;
    file->Release();
  }
  link->Release();
  return SUCCEEDED(result);
}

std::string ShellLinkTarget(const std::string& linkPath) {
  IShellLinkA* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
    return "";
  char target[MAX_PATH] = {};
  IPersistFile* file = nullptr;
  WCHAR widePath[MAX_PATH] = {};
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) &&
        SUCCEEDED(file->Load(widePath, STGM_READ)))
      link->GetPath(target, MAX_PATH, nullptr, 0);
    file->Release();
  }
  link->Release();
  return target;
}
