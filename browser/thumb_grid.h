#pragma once
// The thumbnail view's geometry: the cell of one thumbnail with its captions, the grid of cells
// that fits the client area, the cell under a point, and the scroll bar's arithmetic. Positions
// are 1-based places in the list; firstVisible is the one in the top-left cell.
#include <cstdint>

// The "Thumbnails" value "Thumbnail Size": 0 = 150, 1 = 120, 2 = 90, 3 = 60, 4 = 40, 5 or more =
// 180 pixels.
int ThumbnailEdgeForSize(int sizeType);
// The size type one step larger / smaller than sizeType (the same at either end).
int LargerThumbnailSize(int sizeType);
int SmallerThumbnailSize(int sizeType);

struct ThumbCellLayout {
  int edge = 0;
  int pad = 5;         // margin round the thumbnail box
  int frameInset = 3;  // inset of the selection frame
  int lineHeight = 14;
  int cellWidth = 0;
  int cellHeight = 0;
  int nameY = 0;  // tops of the three caption lines
  int dateY = 0;
  int sizeY = 0;
};

ThumbCellLayout MakeCellLayout(int sizeType, bool showName, bool showDate, bool showSize);

struct ThumbGrid {
  int columns = 0;
  int rows = 0;  // rows of which at least the thumbnail box is visible
  int pageCount = 0;
  int totalRows = 0;
  bool scrollBarShown = false;
};

// The grid for a client area: the scroll bar is shown when the items do not all fit without it,
// and then takes its width from the columns.
ThumbGrid MeasureGrid(const ThumbCellLayout& layout, int clientWidth, int clientHeight, int scrollBarWidth,
                      int itemCount);

// The position of the top-left cell on the last page: the last page is full. Never below 1.
int LastPageFirst(const ThumbGrid& grid, int itemCount);
// firstVisible brought into 1 .. LastPageFirst.
int ClampFirstVisible(int firstVisible, const ThumbGrid& grid, int itemCount);
bool IsVisiblePosition(int position, int firstVisible, const ThumbGrid& grid);

struct CellPoint {
  int x = 0;
  int y = 0;
};
// The top-left corner of a visible position's cell.
CellPoint CellOrigin(int position, int firstVisible, const ThumbGrid& grid, const ThumbCellLayout& layout);

// What a hit test needs to know of the item in a cell.
struct HitShape {
  bool selected = false;
  bool hasThumbnail = false;  // loaded, not failed
  int thumbWidth = 0;
  int thumbHeight = 0;
};

// The position under a client point, 0 for none: the cell must lie in the grid and hold an
// item. Unless anywhere is set, the pad margin of the cell hits nothing, and an unselected item
// with a thumbnail answers only for the columns of its thumbnail, from the thumbnail's top down
// to the cell's bottom margin. shapeAt gives the shape of the item at a position.
template <class ShapeAt>
int HitPosition(int x, int y, bool anywhere, int firstVisible, int itemCount, const ThumbGrid& grid,
                const ThumbCellLayout& layout, ShapeAt shapeAt);
bool PointHitsCell(int insideX, int insideY, bool anywhere, const ThumbCellLayout& layout, const HitShape& shape);

// The private scroll bar runs over 1 .. kScrollRange; its position stands for a row (and a
// fraction of one while the box is dragged).
constexpr int kScrollRange = 10000;

struct ScrollState {
  int firstVisible = 1;
  int scrollPos = 1;
  int pixelOffset = 0;  // sub-row offset while the box is dragged
  bool tracking = false;
};

enum class ScrollAction { kLineUp, kLineDown, kPageUp, kPageDown, kThumbPosition, kThumbTrack, kTop, kBottom, kEnd };

// The scroll box's size for the grid: rows of totalRows, at least 1.
int ScrollPage(const ThumbGrid& grid);
// The scroll position that shows firstVisible at the top.
int ScrollPosFor(int firstVisible, int itemCount);
// One scroll action; trackPos is the box position of kThumbTrack. Nothing happens without
// columns or with fewer items than columns.
void ApplyScroll(ScrollState& state, ScrollAction action, int trackPos, const ThumbGrid& grid,
                 const ThumbCellLayout& layout, int itemCount);

template <class ShapeAt>
int HitPosition(int x, int y, bool anywhere, int firstVisible, int itemCount, const ThumbGrid& grid,
                const ThumbCellLayout& layout, ShapeAt shapeAt) {
  if (x < 0 || y < 0 || layout.cellWidth <= 0 || layout.cellHeight <= 0) return 0;
  const int column = x / layout.cellWidth;
  const int row = y / layout.cellHeight;
  if (column >= grid.columns || row >= grid.rows) return 0;
  const int64_t position = int64_t(firstVisible) + int64_t(row) * grid.columns + column;
  if (position < 1 || position > itemCount) return 0;
  const HitShape shape = shapeAt(int(position));
  return PointHitsCell(x - column * layout.cellWidth, y - row * layout.cellHeight, anywhere, layout, shape)
             ? int(position)
             : 0;
}
