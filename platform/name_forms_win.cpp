#include "name_forms.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string FullPathName(const std::string& path) {
  const DWORD needed = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::string full(needed, '\0');
  const DWORD length = ::GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

std::string NameAsUtf8(const std::string& name) {
  if (name.empty()) return name;
  const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, name.data(), int(name.size()), nullptr, 0);
  if (wideLength <= 0) return name;
  std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
  ::MultiByteToWideChar(CP_ACP, 0, name.data(), int(name.size()), wide.data(), wideLength);
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return name;
  std::string utf8(size_t(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
  return utf8;
}

}  // namespace platform
