#pragma once
// The walk of the keyword index's searches, compiles and key changes over a folder and every
// folder below it: depth first, without recursion, in the order the system lists each folder.
// Folders that are links elsewhere (junctions, symbolic links) are not entered, nor folders whose
// index path would not fit the system's path limit.
#include <functional>
#include <string>

struct KeyFolderWalk {
  // Called on reaching a folder; false: its sub-folders are not visited.
  std::function<bool(const std::string& folder)> enter;
  // Called after a folder's sub-folders (also when enter said no).
  std::function<void(const std::string& folder)> leave;
  // Polled before each folder; once true no further folder is entered, and the folders already
  // entered are left in order.
  std::function<bool()> stopped;
};

void WalkKeyFolders(const std::string& folder, const KeyFolderWalk& walk);
