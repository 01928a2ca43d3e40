#include "shell_path_rules.h"

#include "ascii_text.h"
#include "file_system.h"
#include "path_separators.h"

namespace {

using platform::IsAsciiLetter;

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// "C:" in either case: what is left of a drive path when its root backslash was cut.
bool IsBareDrive(const std::string& text) { return text.size() == 2 && IsAsciiLetter(text[0]) && text[1] == ':'; }

bool IsAnyDriveRoot(const std::string& text) {
  return text.size() == 3 && IsAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\';
}

}  // namespace

bool IsFileSystemParsePath(const std::string& parsePath) {
  if (parsePath.size() <= 2) return false;
  if (IsUpperLetter(parsePath[0]) && parsePath[1] == ':' && parsePath[2] == '\\') return true;
  // "\\server\...": the server name takes at least one character.
  return parsePath[0] == '\\' && parsePath[1] == '\\' && parsePath.find('\\', 3) != std::string::npos;
}

bool IsDriveRootPath(const std::string& parsePath) {
  return parsePath.size() == 3 && IsUpperLetter(parsePath[0]) && parsePath[1] == ':' && parsePath[2] == '\\';
}

std::string WithoutTrailingBackslash(const std::string& path) {
  return platform::WithoutTrailingSeparators(path, '\\', 0);
}

std::string LastPathComponent(const std::string& path) {
  const std::string text = WithoutTrailingBackslash(path);
  const size_t slash = text.find_last_of('\\');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool IsAcceptableFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    for (const char refused : std::string("\\/:*?\"<>|")) {
      if (c == refused) return false;
    }
  }
  return true;
}

std::vector<std::string> NearestPathCandidates(const std::string& path) {
  std::vector<std::string> candidates;
  std::string text = path;
  for (;;) {
    text = platform::WithoutTrailingSeparators(text, '\\', 3);
    // A missing folder right under a drive leaves the bare drive, whose root is still worth trying.
    if (IsBareDrive(text)) text += '\\';
    if (text.size() <= 2) break;
    if (text.size() < platform::kMaxPath) candidates.push_back(text);
    if (IsAnyDriveRoot(text)) break;
    const size_t cut = text.find_last_of('\\');
    if (cut == std::string::npos || cut == 0) break;
    text.erase(cut);
  }
  return candidates;
}

std::string DriveRootOfUnitMask(uint32_t unitMask) {
  for (int bit = 0; bit < 26; ++bit) {
    if (unitMask & (uint32_t(1) << bit)) return std::string(1, char('A' + bit)) + ":\\";
  }
  return std::string();
}

std::vector<std::string> DisplayPathComponents(const std::string& displayPath) {
  std::vector<std::string> components;
  size_t start = 0;
  for (size_t slash = displayPath.find('\\'); slash != std::string::npos; slash = displayPath.find('\\', start)) {
    components.push_back(displayPath.substr(start, slash - start));
    start = slash + 1;
  }
  return components;
}

bool IsFatFileSystemName(const std::string& fileSystemName) { return fileSystemName.compare(0, 3, "FAT") == 0; }
