#include "transfer_paths.h"

#include "file_system.h"
#include "path_separators.h"

namespace {

// ASCII letters in lower case, and every separator the system takes written as its own.
std::string LowerWithOneSeparator(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (platform::IsPathSeparator(c)) c = platform::kPathSeparator;
  }
  return text;
}

}  // namespace

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return platform::WithTrailingSeparator(folder) + name;
}

std::string ComparableFolder(const std::string& path) {
  // A drive root keeps its separator: "C:" alone would be that drive's current folder.
  const size_t shortest = path.size() > 1 && path[1] == ':' ? 3 : 1;
  return LowerWithOneSeparator(platform::WithoutTrailingSeparators(platform::LongPathName(path), platform::kPathSeparator, shortest));
}

bool IsSameFolder(const std::string& a, const std::string& b) { return ComparableFolder(a) == ComparableFolder(b); }

bool IsSameOrInside(const std::string& folder, const std::string& path) {
  return IsSameOrInsideComparable(ComparableFolder(folder), ComparableFolder(path));
}

std::string ComparableName(const std::string& comparableFolder, const std::string& name) {
  return PathInFolder(comparableFolder, LowerWithOneSeparator(name));
}

bool IsSameOrInsideComparable(const std::string& outer, const std::string& inner) {
  if (inner.compare(0, outer.size(), outer) != 0) return false;
  // "C:\photos" holds "C:\photos\2001" but not "C:\photos2001".
  return inner.size() == outer.size() || platform::IsPathSeparator(outer.back()) ||
         platform::IsPathSeparator(inner[outer.size()]);
}

std::string SuffixedName(const std::string& fileName, int number) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return std::string();
  return fileName.substr(0, dot) + "_" + std::to_string(number) + fileName.substr(dot);
}

std::string FileShortcutName(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(0, dot) + ".lnk";
}

std::string FolderShortcutName(const std::string& folderName) {
  return folderName.substr(0, folderName.rfind('.')) + ".lnk";
}
