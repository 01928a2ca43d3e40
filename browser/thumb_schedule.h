#pragma once
// Which thumbnail the view asks the loader for next: the first item without a thumbnail among
// the visible positions, then (with preload) the first one anywhere, in list order. Items listed
// from a keyword search carry no size yet; they are examined first, and dropped only when their
// file is gone: a file too small to count a kilobyte is still a hit, and one the system would not
// tell about (access denied, a network that does not answer) stays and is asked for, so that the
// loader shows what it can.
#include <functional>
#include <string>

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

// The next item to request, or null. stat examines an item that needs its size; one whose file
// is missing is handed to forget and removed from items.
CThumbItem* NextThumbnailToLoad(CThumbList& items, const ScheduleWindow& window,
                                const std::function<platform::FileLookup(CThumbItem&)>& stat,
                                const std::function<void(CThumbItem*)>& forget);
