#pragma once
// Which thumbnail the view asks the loader for next: the first item without a thumbnail among
// the visible positions, then (with preload) the first one anywhere, in list order. Items listed
// from a keyword search carry no size yet; they are examined first, and dropped when their file
// is gone or under 1 KB.
#include <functional>
#include <string>

#include "thumb_list.h"

// Reads the item's size and times from its file when it is there, is not a folder, and is not
// hidden (unless showHidden).
void StatThumbItem(CThumbItem& item, bool showHidden);

struct ScheduleWindow {
  int firstVisible = 1;
  int pageCount = 0;
  bool preload = false;
};

// The next item to request, or null. stat examines an item whose size reads 0; an item that
// still needs its size afterwards is handed to forget and removed from items.
CThumbItem* NextThumbnailToLoad(CThumbList& items, const ScheduleWindow& window,
                                const std::function<void(CThumbItem&)>& stat,
                                const std::function<void(CThumbItem*)>& forget);
