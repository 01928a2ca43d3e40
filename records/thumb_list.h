#pragma once
// The program's list of image files: the thumbnail view's items and open queue, the slideshow's
// playlist. Singly linked, with one built-in iterator shared by GetNext and GetNextSelected (one
// walk at a time). The list owns its items. User-interface thread only.
#include <cstdint>

#include "thumb_item.h"

class CThumbList {
 public:
  CThumbList() = default;
  ~CThumbList();
  CThumbList(const CThumbList&) = delete;
  CThumbList& operator=(const CThumbList&) = delete;

  // The first item, with the iterator set to its successor; null when empty.
  CThumbItem* GetFirst();
  // The iterator's item, advancing the iterator; null at the end.
  CThumbItem* GetNext();
  // The same over selected items; the iterator is left on the successor of the item returned.
  CThumbItem* GetFirstSelected();
  CThumbItem* GetNextSelected();
  int GetCount() const { return count_; }
  // Counts every change of the items or their order (adding, removing, sorting): a pointer or
  // position kept across calls is good only while this stays the same.
  uint32_t Changes() const { return changes_; }

  // A new item at the tail / head; null when there is no memory.
  CThumbItem* AddTail();
  CThumbItem* AddHead();
  // Takes an item made by the caller into the list, at the tail; the new count.
  int AppendItem(CThumbItem* item);
  // Unlinks and destroys the item; an item that is not in this list is left alone.
  void Remove(CThumbItem* item);
  void RemoveSelected();
  void RemoveAll();
  // Unlinks and destroys, in one pass, every item for which remove(item) is true (asked of each
  // item in list order, before it goes); the number removed.
  template <class Predicate>
  int RemoveWhere(Predicate remove);

  int CountSelected() const;
  // Selected items among the items at the 1-based positions 1 to n - 1.
  int CountSelectedBefore(int n) const;
  int64_t GetTotalKB() const;
  int64_t GetSelectedKB() const;
  // on: every item is marked when it is selected, else unmarked; off: every item is unmarked.
  void MarkSelected(bool on);
  // Keeps the selection and clears it, but only when something is selected (so that
  // RestoreSelection still brings back the selection kept earlier).
  void SaveSelection();
  void RestoreSelection();
  // aux := next for every item; the head.
  CThumbItem* LinkAux();

  // Reorders the items by the sort type (kSortByName and its neighbours in thumb_item.h); items
  // of equal keys keep their list order. Slide order is always ascending; the random order, and
  // any type without an order, shuffles.
  void Sort(int sortType, bool descending, bool caseSensitive);

 private:
  CThumbItem* Link(CThumbItem* item);  // at the tail
  // Unlinks the item after previous (the head when previous is null) and destroys it; the
  // successor.
  CThumbItem* Unlink(CThumbItem* previous, CThumbItem* item);

  CThumbItem* head_ = nullptr;
  CThumbItem* tail_ = nullptr;  // kept so that listing a folder item by item stays linear
  int count_ = 0;
  uint32_t changes_ = 0;
  CThumbItem* iterator_ = nullptr;
};

template <class Predicate>
int CThumbList::RemoveWhere(Predicate remove) {
  int removed = 0;
  CThumbItem* previous = nullptr;
  for (CThumbItem* at = head_; at;) {
    if (remove(at)) {
      at = Unlink(previous, at);
      ++removed;
    } else {
      previous = at;
      at = at->next;
    }
  }
  return removed;
}
