#pragma once
// Purging cache files from a folder tree.
#include <functional>
#include <string>

#include "tnc_format.h"
#include "tnc_options.h"

// The header a file begins with, when it begins with a cache header of a known version.
bool ReadTncFileHeader(const std::string& path, TncHeader* header);

// The cache file is marked locked ("Cache Lock"): it is read, never changed, replaced or deleted.
// False when it cannot be read.
bool IsLockedTncFile(const std::string& path);

// Deletes "vireldan.tnc" in every folder below folder, all the way down. confirm is asked once,
// before the first subfolder (none: nothing is asked), and anything but yes ends the purge.
// Locked caches are kept, and nothing is deleted while the cache mode is read-only. The folder's
// own cache is left alone: it may be open, and it is the loader's to delete.
void PurgeSubfolderCaches(const std::string& folder, const TncOptions& options, const std::function<bool()>& confirm);
