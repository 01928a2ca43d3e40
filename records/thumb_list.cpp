#include "thumb_list.h"

#include <new>

CThumbList::~CThumbList() { RemoveAll(); }

CThumbItem* CThumbList::GetFirst() {
  iterator_ = head_;
  return GetNext();
}

CThumbItem* CThumbList::GetNext() {
  CThumbItem* item = iterator_;
  if (item) iterator_ = item->next;
  return item;
}

CThumbItem* CThumbList::GetFirstSelected() {
  iterator_ = head_;
  return GetNextSelected();
}

CThumbItem* CThumbList::GetNextSelected() {
  CThumbItem* item = GetNext();
  while (item && !item->selected) item = GetNext();
  return item;
}

CThumbItem* CThumbList::Link(CThumbItem* item) {
  item->next = nullptr;
  if (tail_)
    tail_->next = item;
  else
    head_ = item;
  tail_ = item;
  ++count_;
  ++changes_;
  return item;
}

CThumbItem* CThumbList::AddTail() {
  CThumbItem* item = new (std::nothrow) CThumbItem;
  return item ? Link(item) : nullptr;
}

CThumbItem* CThumbList::AddHead() {
  CThumbItem* item = new (std::nothrow) CThumbItem;
  if (!item) return nullptr;
  item->next = head_;
  head_ = item;
  if (!tail_) tail_ = item;
  ++count_;
  ++changes_;
  return item;
}

int CThumbList::AppendItem(CThumbItem* item) {
  if (item) Link(item);
  return count_;
}

CThumbItem* CThumbList::Unlink(CThumbItem* previous, CThumbItem* item) {
  CThumbItem* following = item->next;
  if (previous)
    previous->next = following;
  else
    head_ = following;
  if (tail_ == item) tail_ = previous;
  // A walk that is about to reach this item goes on with its successor.
  if (iterator_ == item) iterator_ = following;
  --count_;
  ++changes_;
  delete item;
  return following;
}

void CThumbList::Remove(CThumbItem* item) {
  CThumbItem* previous = nullptr;
  for (CThumbItem* at = head_; at; previous = at, at = at->next)
    if (at == item) {
      Unlink(previous, at);
      return;
    }
}

void CThumbList::RemoveSelected() {
  RemoveWhere([](const CThumbItem* item) { return item->selected != 0; });
}

void CThumbList::RemoveAll() {
  while (head_) {
    CThumbItem* following = head_->next;
    delete head_;
    head_ = following;
  }
  tail_ = nullptr;
  iterator_ = nullptr;
  count_ = 0;
  ++changes_;
}

int CThumbList::CountSelected() const {
  int selected = 0;
  for (const CThumbItem* at = head_; at; at = at->next) selected += at->selected != 0;
  return selected;
}

int CThumbList::CountSelectedBefore(int n) const {
  int selected = 0;
  int position = 1;
  for (const CThumbItem* at = head_; at && position < n; at = at->next, ++position) selected += at->selected != 0;
  return selected;
}

int64_t CThumbList::GetTotalKB() const {
  int64_t total = 0;
  for (const CThumbItem* at = head_; at; at = at->next) total += at->sizeKB;
  return total;
}

int64_t CThumbList::GetSelectedKB() const {
  int64_t total = 0;
  for (const CThumbItem* at = head_; at; at = at->next)
    if (at->selected) total += at->sizeKB;
  return total;
}

void CThumbList::MarkSelected(bool on) {
  for (CThumbItem* at = head_; at; at = at->next) at->marked = on && at->selected != 0;
}

void CThumbList::SaveSelection() {
  if (CountSelected() == 0) return;
  for (CThumbItem* at = head_; at; at = at->next) {
    at->savedSelected = at->selected;
    at->selected = 0;
  }
}

void CThumbList::RestoreSelection() {
  for (CThumbItem* at = head_; at; at = at->next) at->selected = at->savedSelected;
}

CThumbItem* CThumbList::LinkAux() {
  for (CThumbItem* at = head_; at; at = at->next) at->aux = at->next;
  return head_;
}
