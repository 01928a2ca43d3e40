#include "image_listing.h"

#include <cstring>
#include <unordered_map>

#include "ascii_text.h"
#include "file_system.h"
#include "folder_entries.h"
#include "path_separators.h"
#include "picture_types.h"
#include "shortcut.h"

namespace {

// The masks are the picture types in listing order, then shortcuts.
constexpr int kMaskCount = kShortcutMask + 1;

bool MaskEnabled(int mask, const ListingOptions& options) {
  const bool enabled[kMaskCount] = {options.jpg, options.gif, options.bmp, options.tif,
                                    options.png, options.psd, options.pcx, options.lnk};
  return mask >= 0 && mask < kMaskCount && enabled[mask];
}

// As the system's "*.jpg" masks match: whatever follows the last dot.
int MaskOfName(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return -1;
  const std::string extension = name.substr(dot + 1);
  const platform::PictureType type = platform::PictureTypeOfExtension(extension);
  if (type != platform::PictureType::kNone) return int(type);
  return platform::AsciiUpper(extension) == "LNK" ? kShortcutMask : -1;
}

FILETIME ToFiletime(uint64_t units) {
  FILETIME time;
  time.dwLowDateTime = uint32_t(units);
  time.dwHighDateTime = uint32_t(units >> 32);
  return time;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The folder's listed files, grouped by mask in listing order, each group in the system's order.
std::vector<const platform::FolderEntry*> ListedEntries(const std::vector<platform::FolderEntry>& entries,
                                                         const std::string& folder, const ListingOptions& options,
                                                         const ShortcutResolver& resolve) {
  std::vector<const platform::FolderEntry*> groups[kMaskCount];
  for (const platform::FolderEntry& entry : entries) {
    if (entry.stamp.directory || (entry.stamp.hidden && !options.showHidden)) continue;
    const int mask = ListingMaskOf(entry.name, options);
    if (mask < 0) continue;
    if (mask == kShortcutMask) {
      std::string target;
      if (!resolve || !resolve(folder + entry.name, target) || !ShortcutTargetShown(target, options)) continue;
    }
    groups[mask].push_back(&entry);
  }
  std::vector<const platform::FolderEntry*> listed;
  for (const auto& group : groups) listed.insert(listed.end(), group.begin(), group.end());
  return listed;
}

CThumbItem* AppendEntry(CThumbList& items, const std::string& folder, const platform::FolderEntry& entry,
                        int& nextId) {
  CThumbItem* item = items.AddTail();
  if (!item) return nullptr;
  item->name = entry.name;
  item->folder = folder;
  item->id = nextId++;
  item->sizeKB = SizeInKB(entry.stamp.size);
  item->lastWrite = ToFiletime(entry.stamp.lastWrite);
  item->creation = ToFiletime(entry.stamp.creation);
  return item;
}

}  // namespace

int ListingMaskOf(const std::string& name, const ListingOptions& options) {
  const int mask = MaskOfName(name);
  return MaskEnabled(mask, options) ? mask : -1;
}

bool ShortcutTargetShown(const std::string& target, const ListingOptions& options) {
  const int mask = MaskOfName(target);
  return mask != kShortcutMask && MaskEnabled(mask, options);
}

ShortcutResolver SystemShortcutResolver() {
  return [](const std::string& shortcutPath, std::string& target) {
    target = shortcutPath;
    return platform::ResolveShortcutTarget(target);
  };
}

int32_t SizeInKB(uint64_t size) { return int32_t(uint32_t(size) >> 10); }

int AppendFolderFiles(CThumbList& items, const std::string& folder, const ListingOptions& options, int& nextId,
                      const ShortcutResolver& resolve) {
  const std::string prefix = platform::WithTrailingSeparator(folder);
  const std::vector<platform::FolderEntry> entries = platform::FolderEntries(prefix);
  int appended = 0;
  for (const platform::FolderEntry* entry : ListedEntries(entries, prefix, options, resolve))
    appended += AppendEntry(items, prefix, *entry, nextId) != nullptr;
  return appended;
}

int AppendFolderTree(CThumbList& items, const std::string& folder, const ListingOptions& options, int& nextId,
                     const ShortcutResolver& resolve, const std::function<bool()>& stop) {
  // Depth first without recursion: the folders still to list, the next one on top. Each folder's
  // subfolders go on in reverse so that the first comes off first.
  std::vector<std::string> pending{platform::WithTrailingSeparator(folder)};
  int appended = 0;
  while (!pending.empty()) {
    if (stop && stop()) break;
    const std::string current = pending.back();
    pending.pop_back();
    appended += AppendFolderFiles(items, current, options, nextId, resolve);
    const std::vector<platform::FolderEntry> entries = platform::FolderEntries(current);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
      if (!entry->stamp.directory || (entry->stamp.hidden && !options.showHidden)) continue;
      const std::string below = current + entry->name + platform::kPathSeparator;
      if (below.size() < platform::kMaxPath) pending.push_back(below);
    }
  }
  return appended;
}

RefreshOutcome RefreshFolderListing(CThumbList& items, const std::string& folder, const ListingOptions& options,
                                    int& nextId, int firstVisible, const ShortcutResolver& resolve,
                                    const std::function<void(CThumbItem*)>& forget) {
  const std::string prefix = platform::WithTrailingSeparator(folder);
  std::unordered_multimap<std::string, CThumbItem*> byName;
  byName.reserve(size_t(items.GetCount()));
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    item->seen = 0;
    byName.emplace(item->name, item);
  }

  RefreshOutcome outcome;
  const std::vector<platform::FolderEntry> entries = platform::FolderEntries(prefix);
  for (const platform::FolderEntry* entry : ListedEntries(entries, prefix, options, resolve)) {
    const int32_t sizeKB = SizeInKB(entry->stamp.size);
    const FILETIME lastWrite = ToFiletime(entry->stamp.lastWrite);
    CThumbItem* match = nullptr;
    const auto same = byName.equal_range(entry->name);
    for (auto at = same.first; at != same.second && !match; ++at) {
      CThumbItem* item = at->second;
      if (!item->seen && item->folder == prefix && item->sizeKB == sizeKB && SameTime(item->lastWrite, lastWrite))
        match = item;
    }
    if (!match && (match = AppendEntry(items, prefix, *entry, nextId)) != nullptr) ++outcome.added;
    if (match) match->seen = 1;
  }

  int position = 0;
  items.RemoveWhere([&](CThumbItem* item) {
    ++position;
    if (item->seen) return false;
    ++outcome.removed;
    if (position <= firstVisible) ++outcome.removedUpToFirst;
    if (forget) forget(item);
    return true;
  });
  return outcome;
}

bool ChangeAffectsListing(const std::vector<std::string>& names, const ListingOptions& options) {
  if (names.empty()) return true;
  for (const std::string& name : names) {
    bool nested = false;
    for (char c : name) nested = nested || platform::IsPathSeparator(c, '\\');
    if (!nested && ListingMaskOf(name, options) >= 0) return true;
  }
  return false;
}
