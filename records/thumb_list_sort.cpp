// Sorting the list: a stable merge sort, not a search tree over the items, since an unbalanced
// tree takes quadratic time on a list that is already in order (a folder listed by name).
#include <cstdlib>
#include <utility>
#include <vector>

#include "chain_merge_sort.h"
#include "thumb_list.h"

namespace {

bool HasOrder(int sortType) {
  return sortType == kSortByName || sortType == kSortByDate || sortType == kSortBySize || sortType == kSortBySlideOrder;
}

// 30 random bits from the C library's generator, which the program seeds at start-up; rand may
// give as few as 15 bits a call.
uint32_t Random30() { return (uint32_t(std::rand()) & 0x7FFF) << 15 | (uint32_t(std::rand()) & 0x7FFF); }

// A uniform choice among 0 .. n - 1 (n at most 2^30): values of the last, incomplete block of n
// are drawn again.
uint32_t RandomBelow(uint32_t n) {
  const uint32_t limit = (uint32_t(1) << 30) - (uint32_t(1) << 30) % n;
  uint32_t value = Random30();
  while (value >= limit) value = Random30();
  return value % n;
}

// Every order of the items equally likely (Fisher-Yates); the new head.
CThumbItem* ShuffleChain(CThumbItem* head) {
  std::vector<CThumbItem*> items;
  for (CThumbItem* at = head; at; at = at->next) items.push_back(at);
  for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[RandomBelow(uint32_t(i))]);
  for (size_t i = 0; i + 1 < items.size(); ++i) items[i]->next = items[i + 1];
  items.back()->next = nullptr;
  return items.front();
}

}  // namespace

void CThumbList::Sort(int sortType, bool descending, bool caseSensitive) {
  if (!head_) return;
  ++changes_;
  if (!HasOrder(sortType)) {
    head_ = ShuffleChain(head_);
  } else if (descending && sortType != kSortBySlideOrder) {
    head_ = SortChain(head_, [&](const CThumbItem& later, const CThumbItem& earlier) {
      return later.Compare(earlier, sortType, caseSensitive) == 1;
    });
  } else {
    head_ = SortChain(head_, [&](const CThumbItem& later, const CThumbItem& earlier) {
      return earlier.Compare(later, sortType, caseSensitive) == 1;
    });
  }
  tail_ = head_;
  while (tail_->next) tail_ = tail_->next;
}
