#pragma once
// The thumbnail view's selection rules, apart from the window: what a click with Ctrl or Shift
// does, what a rubber band takes, where the arrow keys move a single selection, which item is next
// or previous for the image windows, and how a dropped selection renumbers the slide order.
// "Deselecting all" keeps the selection for Reselect (CThumbList::SaveSelection).
#include "thumb_grid.h"
#include "thumb_list.h"

struct ClickKeys {
  bool ctrl = false;
  bool shift = false;
};

// A left click on clicked (null: on empty space), with the anchor of the previous click; the
// anchor becomes the clicked item. Ctrl flips the item; Shift selects from the first of anchor
// and item up to the other (only the item without an anchor); a plain click on an unselected item
// starts a new selection unless accumulate is on. On empty space, a click without Ctrl deselects
// all. True when the click may show the item in the preview (a plain click on an item).
bool ClickSelect(CThumbList& items, CThumbItem* clicked, CThumbItem*& anchor, ClickKeys keys, bool accumulate);

void SelectAllItems(CThumbList& items);
void InvertItemSelection(CThumbList& items);

// A rectangle in client coordinates, normalised (left <= right, top <= bottom).
struct BandRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
BandRect NormalisedBand(int x1, int y1, int x2, int y2);
// Whether the band touches the thumbnail box (the edge-sized square at the cell's origin) of the
// visible position.
bool BandTouches(const BandRect& band, int position, int firstVisible, const ThumbGrid& grid,
                 const ThumbCellLayout& layout);
// Selects every visible item whose thumbnail box the band touches; deselects nothing.
void SelectInBand(CThumbList& items, const BandRect& band, int firstVisible, const ThumbGrid& grid,
                  const ThumbCellLayout& layout);

enum class ArrowKey { kUp, kDown, kLeft, kRight };
enum class ScrollFirst { kNone, kLineUp, kLineDown };

struct ArrowMove {
  int position = 0;  // 1-based; 0 when the selection stays
  ScrollFirst scroll = ScrollFirst::kNone;  // the line scroll that brings it into view
};

// Where an arrow key moves the single selected item at position (1-based) of count items: Up and
// Down by a row, scrolling a line when it sits in the top / last visible row; Left and Right to
// the neighbour when it is on screen, scrolling a line first when the neighbour is the row
// above / below the page; nothing past either end of the list.
ArrowMove MoveByArrow(ArrowKey key, int position, int count, int firstVisible, const ThumbGrid& grid);

// The item after (or before) the first selected one, or the head when none is selected, wrapping
// round at either end; it becomes the only selection. Null on an empty list.
CThumbItem* SelectAdjacent(CThumbList& items, bool previous);

// A dragged selection dropped on target (null: after the last cell). Only the slide order
// (kSortBySlideOrder) is changed by a drop: the positions are renumbered from 0 with the
// unselected items before the target first, then the selection in list order, then the target
// and the unselected items after it (without a target, every unselected item first), and the
// list is sorted by them. True when the order changed (the caller records it).
bool DropSelection(CThumbList& items, const CThumbItem* target, int sortType);
