#include "saver_playlist.h"

#include "image_listing.h"
#include "slide_order_file.h"

std::vector<std::string> SaverPlaylist(const std::string& folder) {
  CThumbList items;
  int nextId = 1;
  AppendFolderFiles(items, folder, ListingOptions(), nextId, SystemShortcutResolver());
  items.Sort(ReadSlideOrder(folder, items) ? kSortBySlideOrder : kSortByName, false, false);
  std::vector<std::string> paths;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) paths.push_back(folder + item->name);
  return paths;
}
