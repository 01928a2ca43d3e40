#include "thumb_schedule.h"

#include "file_system.h"
#include "image_listing.h"

platform::FileLookup StatThumbItem(CThumbItem& item, bool showHidden) {
  platform::FileStamp stamp;
  const platform::FileLookup found = platform::LookUpFileStamp(item.folder + item.name, &stamp);
  if (found != platform::FileLookup::kFound) return found;
  if (stamp.directory || (stamp.hidden && !showHidden)) return platform::FileLookup::kMissing;
  item.sizeKB = SizeInKB(stamp.size);
  item.lastWrite.dwLowDateTime = uint32_t(stamp.lastWrite);
  item.lastWrite.dwHighDateTime = uint32_t(stamp.lastWrite >> 32);
  item.creation.dwLowDateTime = uint32_t(stamp.creation);
  item.creation.dwHighDateTime = uint32_t(stamp.creation >> 32);
  item.needsStat = 0;
  return found;
}

namespace {

// One walk over the items; visibleOnly limits it to the visible positions.
CThumbItem* FirstWanted(CThumbList& items, const ScheduleWindow& window, bool visibleOnly,
                        const std::function<platform::FileLookup(CThumbItem&)>& stat,
                        const std::function<void(CThumbItem*)>& forget) {
  const int64_t lastVisible = int64_t(window.firstVisible) + window.pageCount - 1;
  int position = 0;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    ++position;
    if (visibleOnly && position > lastVisible) break;
    if (item->thumbnail || (visibleOnly && position < window.firstVisible)) continue;
    if (!item->needsStat || !stat || stat(*item) != platform::FileLookup::kMissing) return item;
    // The list's walk goes on with the successor, which now stands at this position.
    if (forget) forget(item);
    items.Remove(item);
    --position;
  }
  return nullptr;
}

}  // namespace

CThumbItem* NextThumbnailToLoad(CThumbList& items, const ScheduleWindow& window,
                                const std::function<platform::FileLookup(CThumbItem&)>& stat,
                                const std::function<void(CThumbItem*)>& forget) {
  CThumbItem* item = FirstWanted(items, window, true, stat, forget);
  if (!item && window.preload) item = FirstWanted(items, window, false, stat, forget);
  return item;
}
