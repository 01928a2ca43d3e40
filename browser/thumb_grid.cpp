#include "thumb_grid.h"

#include <algorithm>

namespace {

// Size types from the largest edge to the smallest.
constexpr int kSizesByEdge[] = {5, 0, 1, 2, 3, 4};
constexpr int kSizeSteps = int(sizeof kSizesByEdge / sizeof kSizesByEdge[0]);

int StepOf(int sizeType) {
  const int type = std::clamp(sizeType, 0, 5);
  for (int step = 0; step < kSizeSteps; ++step)
    if (kSizesByEdge[step] == type) return step;
  return 0;
}

int Clamp64(int64_t value, int low, int high) { return int(std::clamp<int64_t>(value, low, high)); }

}  // namespace

int ThumbnailEdgeForSize(int sizeType) {
  switch (sizeType) {
    case 0: return 150;
    case 1: return 120;
    case 2: return 90;
    case 3: return 60;
    case 4: return 40;
    default: return sizeType < 0 ? 150 : 180;
  }
}

int LargerThumbnailSize(int sizeType) { return kSizesByEdge[std::max(StepOf(sizeType) - 1, 0)]; }

int SmallerThumbnailSize(int sizeType) { return kSizesByEdge[std::min(StepOf(sizeType) + 1, kSizeSteps - 1)]; }

ThumbCellLayout MakeCellLayout(int sizeType, bool showName, bool showDate, bool showSize) {
  ThumbCellLayout layout;
  layout.edge = ThumbnailEdgeForSize(sizeType);
  layout.cellWidth = layout.edge + 2 * layout.pad;
  layout.nameY = layout.edge + layout.pad;
  layout.dateY = showName ? layout.nameY + layout.lineHeight : layout.nameY;
  layout.sizeY = showDate ? layout.dateY + layout.lineHeight : layout.dateY;
  layout.cellHeight = layout.sizeY + layout.pad + (showSize ? layout.lineHeight : 0);
  return layout;
}

ThumbGrid MeasureGrid(const ThumbCellLayout& layout, int clientWidth, int clientHeight, int scrollBarWidth,
                      int itemCount) {
  ThumbGrid grid;
  if (layout.cellWidth <= 0 || layout.cellHeight <= 0) return grid;
  grid.rows = std::max(0, (clientHeight - layout.edge + layout.cellHeight) / layout.cellHeight);
  const int wideColumns = std::max(0, clientWidth / layout.cellWidth);
  grid.scrollBarShown = int64_t(itemCount) > int64_t(wideColumns) * grid.rows;
  grid.columns = grid.scrollBarShown ? std::max(0, (clientWidth - scrollBarWidth) / layout.cellWidth) : wideColumns;
  grid.pageCount = Clamp64(int64_t(grid.columns) * grid.rows, 0, INT32_MAX);
  grid.totalRows = grid.columns > 0 ? (std::max(itemCount, 0) + grid.columns - 1) / grid.columns : 0;
  return grid;
}

int LastPageFirst(const ThumbGrid& grid, int itemCount) {
  if (grid.columns <= 0 || itemCount <= grid.pageCount) return 1;
  return Clamp64((int64_t(grid.totalRows) - grid.rows) * grid.columns + 1, 1, std::max(itemCount, 1));
}

int ClampFirstVisible(int firstVisible, const ThumbGrid& grid, int itemCount) {
  return std::clamp(firstVisible, 1, LastPageFirst(grid, itemCount));
}

bool IsVisiblePosition(int position, int firstVisible, const ThumbGrid& grid) {
  return position >= firstVisible && int64_t(position) < int64_t(firstVisible) + grid.pageCount;
}

CellPoint CellOrigin(int position, int firstVisible, const ThumbGrid& grid, const ThumbCellLayout& layout) {
  if (grid.columns <= 0) return CellPoint();
  const int index = position - firstVisible;
  return CellPoint{(index % grid.columns) * layout.cellWidth, (index / grid.columns) * layout.cellHeight};
}

bool PointHitsCell(int insideX, int insideY, bool anywhere, const ThumbCellLayout& layout, const HitShape& shape) {
  if (anywhere) return true;
  const int right = layout.cellWidth - layout.pad;
  const int bottom = layout.cellHeight - layout.pad;
  if (insideX < layout.pad || insideY < layout.pad || insideX >= right || insideY >= bottom) return false;
  if (shape.selected || !shape.hasThumbnail) return true;
  const int thumbTop = layout.pad + layout.edge - shape.thumbHeight;
  return insideX < layout.pad + shape.thumbWidth && insideY >= thumbTop;
}

int ScrollPage(const ThumbGrid& grid) {
  if (grid.totalRows < 1) return 100;
  return Clamp64(int64_t(grid.rows) * kScrollRange / grid.totalRows, 1, kScrollRange);
}

int ScrollPosFor(int firstVisible, int itemCount) {
  if (itemCount <= 0) return 1;
  return Clamp64((int64_t(firstVisible) - 1) * kScrollRange / itemCount, 1, kScrollRange);
}

// Scroll positions are mapped onto rows exactly, in 64 bits: position p stands for row
// p × totalRows / kScrollRange, so that any number of rows keeps a defined mapping.
void ApplyScroll(ScrollState& state, ScrollAction action, int trackPos, const ThumbGrid& grid,
                 const ThumbCellLayout& layout, int itemCount) {
  if (grid.columns <= 0 || itemCount < grid.columns) return;
  const int64_t rowsTotal = grid.totalRows;
  const int64_t hiddenRows = std::max<int64_t>(rowsTotal - grid.rows, 0);
  const int lastFirst = LastPageFirst(grid, itemCount);
  const auto firstOfRow = [&](int64_t row) { return Clamp64(row * grid.columns + 1, 1, lastFirst); };
  state.pixelOffset = 0;

  if (state.tracking && action != ScrollAction::kThumbTrack) {
    // The box was released: snap to a whole row, rounding up from six tenths of a row.
    const int64_t scaled = int64_t(state.scrollPos) * rowsTotal;
    if (scaled >= (hiddenRows - 1) * kScrollRange + kScrollRange * 7 / 10)
      state.firstVisible = lastFirst;
    else if (state.scrollPos <= 1)
      state.firstVisible = 1;
    else
      state.firstVisible = firstOfRow((scaled + kScrollRange * 4 / 10) / kScrollRange);
    state.tracking = false;
  }

  int64_t first = state.firstVisible;
  switch (action) {
    case ScrollAction::kLineUp:
    case ScrollAction::kPageUp:
      first -= action == ScrollAction::kLineUp ? grid.columns : std::max(grid.pageCount, 1);
      state.firstVisible = int(std::max<int64_t>(first, 1));
      state.scrollPos = ScrollPosFor(state.firstVisible, itemCount);
      break;
    case ScrollAction::kLineDown:
    case ScrollAction::kPageDown:
      first += action == ScrollAction::kLineDown ? grid.columns : std::max(grid.pageCount, 1);
      if (int64_t(itemCount) - first + 1 < grid.pageCount) first = lastFirst;
      state.firstVisible = Clamp64(first, 1, lastFirst);
      state.scrollPos = ScrollPosFor(state.firstVisible, itemCount);
      break;
    case ScrollAction::kThumbPosition:
      state.tracking = false;
      state.scrollPos = ScrollPosFor(state.firstVisible, itemCount);
      break;
    case ScrollAction::kThumbTrack: {
      state.scrollPos = std::clamp(trackPos, 1, kScrollRange);
      state.tracking = true;
      const int64_t scaled = int64_t(state.scrollPos) * rowsTotal;
      if (scaled >= hiddenRows * kScrollRange) {
        state.firstVisible = lastFirst;
      } else if (state.scrollPos <= 1) {
        state.firstVisible = 1;
      } else {
        state.firstVisible = firstOfRow(scaled / kScrollRange);
        state.pixelOffset = int(scaled % kScrollRange * layout.cellHeight / kScrollRange);
      }
      break;
    }
    case ScrollAction::kTop:
      state.firstVisible = 1;
      state.scrollPos = 1;
      break;
    case ScrollAction::kBottom:
      state.scrollPos = kScrollRange;
      state.firstVisible = lastFirst;
      break;
    case ScrollAction::kEnd:
      break;
  }
}
