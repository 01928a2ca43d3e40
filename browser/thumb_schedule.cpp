#include "thumb_schedule.h"

#include <cstdint>

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

std::vector<CThumbItem*> NextThumbnailsToLoad(CThumbList& items, const ScheduleWindow& window, ScheduleCursor& cursor,
                                              size_t count,
                                              const std::function<platform::FileLookup(CThumbItem&)>& stat,
                                              const std::function<void(CThumbItem*)>& forget) {
  if (!cursor.known_ || cursor.listChanges_ != items.Changes()) {
    cursor.item_ = items.GetFirst();
    cursor.position_ = 1;
  }
  // The thumbnails that arrived since the last call move the cursor on.
  while (cursor.item_ && cursor.item_->thumbnail) {
    cursor.item_ = cursor.item_->next;
    ++cursor.position_;
  }
  cursor.known_ = true;

  std::vector<CThumbItem*> chosen;
  const int64_t firstVisible = window.firstVisible;
  const int64_t lastVisible = firstVisible + window.pageCount - 1;
  // Chooses from the positions first to last, passing over the visible ones when skipVisible (the
  // first walk took every one of them it could).
  const auto walk = [&](int64_t first, int64_t last, bool skipVisible) {
    int64_t position = cursor.position_;
    for (CThumbItem* item = cursor.item_; item && position <= last && chosen.size() < count;) {
      CThumbItem* const following = item->next;
      const bool inWindow = position >= firstVisible && position <= lastVisible;
      if (position >= first && !item->thumbnail && !(skipVisible && inWindow)) {
        if (item->needsStat && stat && stat(*item) == platform::FileLookup::kMissing) {
          // The successor now stands at this position.
          if (item == cursor.item_) cursor.item_ = following;
          if (forget) forget(item);
          items.Remove(item);
          item = following;
          continue;
        }
        chosen.push_back(item);
      }
      item = following;
      ++position;
    }
  };
  walk(firstVisible, lastVisible, false);
  if (window.preload) walk(1, INT64_MAX, true);
  cursor.listChanges_ = items.Changes();
  return chosen;
}
