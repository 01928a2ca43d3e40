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
