#include "batch_work_list.h"

#include "thumb_list.h"

BatchWorkList::BatchWorkList(const std::vector<std::string>& listed) : entries_(listed.rbegin(), listed.rend()) {}

void BatchWorkList::Prepend(const std::string& path) { entries_.insert(entries_.begin(), path); }

BatchWorkList BuildWorkList(CThumbList& items) {
  BatchWorkList list;
  for (CThumbItem* item = items.GetFirstSelected(); item; item = items.GetNextSelected())
    list.Prepend(item->folder + item->name);
  return list;
}
