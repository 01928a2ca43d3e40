#pragma once
// The entries of one folder in one pass: for folder walks and for the thumbnail listing. Win32 in
// the product, POSIX in the native tree.
#include <functional>
#include <string>
#include <vector>

#include "file_system.h"

namespace platform {

struct FolderEntry {
  std::string name;
  FileStamp stamp;  // size (the full 64 bits; 0 for folders), times, folder and hidden flags
  // A folder that is a link elsewhere (a junction, a symbolic link): a walk must not go into it,
  // or it may count, or loop through, what lies outside the tree.
  bool isLink = false;
};

// Calls visit for every entry of the folder except "." and "..", in the order the system lists
// them, until visit returns false. False when the folder cannot be listed.
bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit);

// Every entry of the folder, files and folders; empty when it cannot be read.
std::vector<FolderEntry> FolderEntries(const std::string& folder);

}  // namespace platform
