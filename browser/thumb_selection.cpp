#include "thumb_selection.h"

#include <algorithm>
#include <cstdint>

bool ClickSelect(CThumbList& items, CThumbItem* clicked, CThumbItem*& anchor, ClickKeys keys, bool accumulate) {
  CThumbItem* const previousAnchor = anchor;
  anchor = clicked;
  if (!clicked) {
    if (!keys.ctrl) items.SaveSelection();
    return false;
  }
  if (keys.ctrl) {
    clicked->selected = !clicked->selected;
    return false;
  }
  if (keys.shift) {
    if (previousAnchor) {
      CThumbItem* walk = items.GetFirst();
      while (walk && walk != previousAnchor && walk != clicked) walk = items.GetNext();
      const CThumbItem* other = walk == clicked ? previousAnchor : clicked;
      // An anchor that left the list ends the range at the tail.
      for (; walk && walk != other; walk = items.GetNext()) walk->selected = 1;
    }
    clicked->selected = 1;
    return false;
  }
  if (!clicked->selected && !accumulate) items.SaveSelection();
  clicked->selected = 1;
  return true;
}

void SelectAllItems(CThumbList& items) {
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) item->selected = 1;
}

void InvertItemSelection(CThumbList& items) {
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) item->selected = !item->selected;
}

BandRect NormalisedBand(int x1, int y1, int x2, int y2) {
  return BandRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool BandTouches(const BandRect& band, int position, int firstVisible, const ThumbGrid& grid,
                 const ThumbCellLayout& layout) {
  if (!IsVisiblePosition(position, firstVisible, grid)) return false;
  const CellPoint origin = CellOrigin(position, firstVisible, grid, layout);
  return band.left < origin.x + layout.edge && origin.x < band.right && band.top < origin.y + layout.edge &&
         origin.y < band.bottom;
}

void SelectInBand(CThumbList& items, const BandRect& band, int firstVisible, const ThumbGrid& grid,
                  const ThumbCellLayout& layout) {
  int position = 1;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext(), ++position)
    if (BandTouches(band, position, firstVisible, grid, layout)) item->selected = 1;
}

ArrowMove MoveByArrow(ArrowKey key, int position, int count, int firstVisible, const ThumbGrid& grid) {
  ArrowMove move;
  const int columns = grid.columns;
  if (columns <= 0 || position < 1 || position > count) return move;
  const int64_t lastVisible = int64_t(firstVisible) + grid.pageCount - 1;
  switch (key) {
    case ArrowKey::kUp:
      if (position >= firstVisible && position < int64_t(firstVisible) + columns) move.scroll = ScrollFirst::kLineUp;
      if (position - columns >= 1) move.position = position - columns;
      break;
    case ArrowKey::kDown:
      if (position <= lastVisible && position > lastVisible - columns) move.scroll = ScrollFirst::kLineDown;
      if (int64_t(position) + columns <= count) move.position = position + columns;
      break;
    case ArrowKey::kLeft:
      if (position == 1) break;
      if (position > firstVisible && position <= lastVisible) {
        move.position = position - 1;
      } else if (position == firstVisible && firstVisible > columns) {
        move.scroll = ScrollFirst::kLineUp;
        move.position = position - 1;
      }
      break;
    case ArrowKey::kRight:
      if (position == count) break;
      if (position >= firstVisible && position < lastVisible) {
        move.position = position + 1;
      } else if (position == lastVisible) {
        move.scroll = ScrollFirst::kLineDown;
        move.position = position + 1;
      }
      break;
  }
  return move;
}

CThumbItem* SelectAdjacent(CThumbList& items, bool previous) {
  CThumbItem* head = items.GetFirst();
  if (!head) return nullptr;
  CThumbItem* current = items.GetFirstSelected();
  if (!current) current = head;
  CThumbItem* chosen = nullptr;
  if (previous) {
    // The predecessor, or the tail when current is the head.
    CThumbItem* last = nullptr;
    for (CThumbItem* walk = items.GetFirst(); walk; walk = items.GetNext()) {
      if (walk == current && last) {
        chosen = last;
        break;
      }
      last = walk;
    }
    if (!chosen) chosen = last;
  } else {
    chosen = current->next ? current->next : head;
  }
  items.SaveSelection();
  chosen->selected = 1;
  return chosen;
}

bool DropSelection(CThumbList& items, const CThumbItem* target, int sortType) {
  if (sortType != kSortBySlideOrder) return false;
  uint32_t next = 0;
  bool reached = false;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    reached = reached || item == target;
    if (!reached && !item->selected) item->slidePos = next++;
  }
  for (CThumbItem* item = items.GetFirstSelected(); item; item = items.GetNextSelected()) item->slidePos = next++;
  reached = false;
  for (CThumbItem* item = items.GetFirst(); target && item; item = items.GetNext()) {
    reached = reached || item == target;
    if (reached && !item->selected) item->slidePos = next++;
  }
  items.Sort(kSortBySlideOrder, false, false);
  return true;
}
