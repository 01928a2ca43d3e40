#pragma once
// Counting what a folder tree holds (subfolders, files, bytes) before it is deleted or shown in
// its properties. The walk can be cut short by the user: the cancel test is asked before each
// entry.
#include <cstdint>
#include <functional>
#include <string>

struct FolderCounts {
  int64_t folders = 0;
  int64_t files = 0;
  uint64_t bytes = 0;  // full 64-bit file sizes, so files of 4 GB and more count in full
};

// Adds what the folder holds, at every depth, to counts. Folders that are links elsewhere
// (junctions, symbolic links) count as folders but are not entered. False when cancelled()
// answered true, counts then being partial.
bool CountFolderTree(const std::string& folder, FolderCounts& counts, const std::function<bool()>& cancelled);
