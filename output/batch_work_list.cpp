#include "batch_work_list.h"

BatchWorkList::BatchWorkList(const std::vector<std::string>& listed) : entries_(listed.rbegin(), listed.rend()) {}

void BatchWorkList::Prepend(const std::string& path) { entries_.insert(entries_.begin(), path); }
