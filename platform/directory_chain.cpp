#include "file_system.h"

namespace platform {
namespace {

#if defined(_WIN32)
constexpr char kSeparators[] = "\\/";
#else
constexpr char kSeparators[] = "/";
#endif

// The part of a path that names where it starts and is never created: "C:", or "\\server\share".
size_t RootLength(const std::string& path) {
#if defined(_WIN32)
  if (path.size() >= 2 && path[1] == ':') return 2;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/')) {
    const size_t server = path.find_first_of(kSeparators, 2);
    const size_t share = server == std::string::npos ? server : path.find_first_of(kSeparators, server + 1);
    return share == std::string::npos ? path.size() : share;
  }
#endif
  (void)path;
  return 0;
}

bool IsSeparator(char c) { return std::string(kSeparators).find(c) != std::string::npos; }

// A path that says where it starts: a drive and its top folder, a share, or the POSIX root. Any
// other would be made below whatever the current drive and folder are ("\QuickWeb" at the top
// of the current drive).
bool IsFullPath(const std::string& path) {
  const size_t root = RootLength(path);
#if defined(_WIN32)
  if (root == 2) return path.size() == 2 || IsSeparator(path[2]);
  return root > 2;
#else
  return root == 0 && !path.empty() && IsSeparator(path[0]);
#endif
}

}  // namespace

bool CreateDirectoryChain(const std::string& path, std::string* failure) {
  const auto fail = [&](const std::string& why) {
    if (failure) *failure = "Unable to create the folder \"" + path + "\"" + why;
    return false;
  };
  if (path.empty()) return fail(".");
  if (!IsFullPath(path)) return fail(":\nit is not a full path.");
  for (size_t at = RootLength(path); at < path.size();) {
    size_t end = path.find_first_of(kSeparators, at);
    if (end == at) {
      ++at;
      continue;
    }
    if (end == std::string::npos) end = path.size();
    const std::string level = path.substr(0, end);
    const PathKind kind = KindOfPath(level);
    if (kind == PathKind::kFile) return fail(":\n\"" + level + "\" is a file.");
    // Someone else may make the same level at the same moment: what counts is that it is there.
    if (kind == PathKind::kMissing && !MakeFolder(level) && KindOfPath(level) != PathKind::kDirectory)
      return fail(".");
    at = end;
  }
  return KindOfPath(path) == PathKind::kDirectory || fail(".");
}

}  // namespace platform
