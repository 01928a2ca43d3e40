#pragma once
// The entries of one folder, for walks over folder trees. Win32 in the product, POSIX in the
// native tree.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  // A folder that is a link elsewhere (a junction, a symbolic link): a walk must not go into it,
  // or it may count, or loop through, what lies outside the tree.
  bool isLink = false;
  uint64_t size = 0;  // the file's full 64-bit length; 0 for folders
};

// Calls visit for every entry of the folder except "." and "..", until visit returns false.
// False when the folder cannot be listed.
bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit);

// The separator between a folder and its entries' names.
constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

}  // namespace platform
