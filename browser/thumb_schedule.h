#pragma once
// Which thumbnails the view asks the loader for next: the items without a thumbnail among the
// visible positions, then (with preload) the others, in list order. Items listed
// from a keyword search carry no size yet; they are examined first, and dropped only when their
// file is gone: a file too small to count a kilobyte is still a hit, and one the system would not
// tell about (access denied, a network that does not answer) stays and is asked for, so that the
// loader shows what it can.
#include <functional>
#include <string>
#include <vector>

#include "file_system.h"
#include "thumb_list.h"

// Reads the item's size and times from its file when it is there, is not a folder, and is not
// hidden (unless showHidden); a folder, or a hidden file not shown, counts as missing.
platform::FileLookup StatThumbItem(CThumbItem& item, bool showHidden);

struct ScheduleWindow {
  int firstVisible = 1;
  int pageCount = 0;
  bool preload = false;
};

// Where the search for items without a thumbnail may begin: no item before it lacks one. Kept
// from one request to the next, so that a large folder is not walked from its head for every
// thumbnail. It is trusted only while the list has not changed (items added, removed or
// reordered); whoever frees a thumbnail resets it.
class ScheduleCursor {
 public:
  void Reset() { known_ = false; }

 private:
  friend std::vector<CThumbItem*> NextThumbnailsToLoad(CThumbList&, const ScheduleWindow&, ScheduleCursor&, size_t,
                                                       const std::function<platform::FileLookup(CThumbItem&)>&,
                                                       const std::function<void(CThumbItem*)>&);
  bool known_ = false;
  uint32_t listChanges_ = 0;
  CThumbItem* item_ = nullptr;  // the first item without a thumbnail; null when none lacks one
  int position_ = 0;            // its 1-based position
};

// Up to count items to request, in the order to ask for them, each once. stat examines an item
// that needs its size; one whose file is missing is handed to forget and removed from items.
std::vector<CThumbItem*> NextThumbnailsToLoad(CThumbList& items, const ScheduleWindow& window, ScheduleCursor& cursor,
                                              size_t count,
                                              const std::function<platform::FileLookup(CThumbItem&)>& stat,
                                              const std::function<void(CThumbItem*)>& forget);
