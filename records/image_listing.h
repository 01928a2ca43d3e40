#pragma once
// Which files of a folder the thumbnail view lists, and the listing itself: a folder's image
// files of the enabled types (the "File Options" switches), each type's files after the previous
// type's; a subfolder tree depth first; and a refresh that brings a listing in line with the
// folder, matching items by name in one pass. Folders end in a separator.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "thumb_list.h"

struct ListingOptions {
  bool jpg = true, gif = true, bmp = true, tif = true, png = true, psd = true, pcx = true, lnk = false;
  bool showHidden = false;
};

// The mask a file name falls under, in listing order (0 for the JPEG masks first), or -1 when the
// listing leaves it out. The extension after the last dot decides, in any case of letters.
int ListingMaskOf(const std::string& name, const ListingOptions& options);
constexpr int kShortcutMask = 7;
// A shortcut is listed when its target's extension is an image type that is shown.
bool ShortcutTargetShown(const std::string& target, const ListingOptions& options);
// The target of a shortcut, or false; the Win32 shell resolves it, elsewhere nothing does.
using ShortcutResolver = std::function<bool(const std::string& shortcutPath, std::string& target)>;
ShortcutResolver SystemShortcutResolver();

// An item's size in KB: the low 32 bits of the size, shifted right by 10.
int32_t SizeInKB(uint64_t size);

// Appends the folder's listed files to items with ids from nextId on; the number appended.
int AppendFolderFiles(CThumbList& items, const std::string& folder, const ListingOptions& options, int& nextId,
                      const ShortcutResolver& resolve);

// Appends the files of folder and of every folder below it, depth first, in the system's order
// of each folder (hidden folders only with showHidden); stop() is asked between folders and ends
// the walk, keeping what was found.
int AppendFolderTree(CThumbList& items, const std::string& folder, const ListingOptions& options, int& nextId,
                     const ShortcutResolver& resolve, const std::function<bool()>& stop);

struct RefreshOutcome {
  int added = 0;
  int removed = 0;
  int removedUpToFirst = 0;  // removed items at or before firstVisible
};

// Brings items in line with the folder: an item stays when a file of its name, folder, size and
// time is there; a file without such an item (new or changed) is appended as a new item; items
// without a file are removed, each first handed to forget. Linear in files plus items.
RefreshOutcome RefreshFolderListing(CThumbList& items, const std::string& folder, const ListingOptions& options,
                                    int& nextId, int firstVisible, const ShortcutResolver& resolve,
                                    const std::function<void(CThumbItem*)>& forget);

// Whether the names a change notification reported (relative to the watched folder) can alter
// the listing: only a listed type directly in the folder can. The program's own side files
// ("vireldan.tnc", "vireldan.sts", "vireldan.iif" and their temporary files) cannot. No names at
// all (the system lost count) means anything may have changed.
bool ChangeAffectsListing(const std::vector<std::string>& names, const ListingOptions& options);
