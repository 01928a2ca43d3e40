#pragma once
// Lists made for tests, and what they hold, read back in list order.
#include <algorithm>
#include <string>
#include <vector>

#include "thumb_list.h"

inline CThumbItem* AddItem(CThumbList& list, const std::string& name, int id = -1) {
  CThumbItem* item = list.AddTail();
  item->name = name;
  item->folder = "C:\\pictures\\";
  item->id = id;
  return item;
}

inline CThumbList& AddItems(CThumbList& list, const std::vector<std::string>& names) {
  for (const std::string& name : names) AddItem(list, name);
  return list;
}

inline std::vector<std::string> NamesOf(CThumbList& list) {
  std::vector<std::string> names;
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) names.push_back(item->name);
  return names;
}

inline std::vector<int> IdsOf(CThumbList& list) {
  std::vector<int> ids;
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) ids.push_back(item->id);
  return ids;
}

// Selects the items of those names and no other.
inline void SelectOnly(CThumbList& items, const std::vector<std::string>& names) {
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    item->selected = std::find(names.begin(), names.end(), item->name) != names.end();
}
