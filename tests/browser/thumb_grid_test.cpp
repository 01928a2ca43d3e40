// The thumbnail view's geometry: cell layouts for every size and caption choice, the grid that
// fits a client area, the cell under a point, and the scroll bar's arithmetic, also for listings
// of more rows than the scroll bar has positions.
#include <gtest/gtest.h>

#include "thumb_grid.h"

namespace {

TEST(CellLayout, EdgesAndCaptionLinesFollowTheSettings) {
  const struct {
    int sizeType;
    bool name, date, size;
    int edge, cellWidth, cellHeight, nameY, dateY, sizeY;
  } rows[] = {
      {4, true, true, true, 40, 50, 50 + 3 * 14, 45, 59, 73},
      {4, false, false, false, 40, 50, 50, 45, 45, 45},  // captions off: edge + 10
      {0, true, false, true, 150, 160, 155 + 5 + 28, 155, 169, 169},
      {1, false, true, false, 120, 130, 125 + 14 + 5, 125, 125, 139},
      {2, true, true, true, 90, 100, 95 + 5 + 42, 95, 109, 123},
      {3, true, true, true, 60, 70, 65 + 5 + 42, 65, 79, 93},
      {5, true, true, true, 180, 190, 185 + 5 + 42, 185, 199, 213},
      {9, true, true, true, 180, 190, 185 + 5 + 42, 185, 199, 213},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.sizeType);
    const ThumbCellLayout layout = MakeCellLayout(row.sizeType, row.name, row.date, row.size);
    EXPECT_EQ(layout.edge, row.edge);
    EXPECT_EQ(layout.pad, 5);
    EXPECT_EQ(layout.frameInset, 3);
    EXPECT_EQ(layout.cellWidth, row.cellWidth);
    EXPECT_EQ(layout.cellHeight, row.cellHeight);
    EXPECT_EQ(layout.nameY, row.nameY);
    EXPECT_EQ(layout.dateY, row.dateY);
    EXPECT_EQ(layout.sizeY, row.sizeY);
  }
}

TEST(CellLayout, SizeStepsRunFromLargestToSmallestAndStopAtTheEnds) {
  EXPECT_EQ(LargerThumbnailSize(5), 5);
  EXPECT_EQ(LargerThumbnailSize(0), 5);
  EXPECT_EQ(LargerThumbnailSize(1), 0);
  EXPECT_EQ(LargerThumbnailSize(4), 3);
  EXPECT_EQ(SmallerThumbnailSize(5), 0);
  EXPECT_EQ(SmallerThumbnailSize(3), 4);
  EXPECT_EQ(SmallerThumbnailSize(4), 4);
  EXPECT_EQ(SmallerThumbnailSize(7), 0);  // 7 shows as 180, the largest
}

ThumbCellLayout Small() { return MakeCellLayout(4, false, false, false); }  // 50 × 50 cells, edge 40

TEST(Grid, CountsWholeColumnsAndRowsWhoseThumbnailIsVisible) {
  const ThumbCellLayout layout = Small();
  // 50 × 50 cells: 260 wide holds 5 columns; a row counts once its 40-pixel box is visible.
  ThumbGrid grid = MeasureGrid(layout, 260, 140, 16, 10);
  EXPECT_EQ(grid.columns, 5);
  EXPECT_EQ(grid.rows, 3);  // 140 - 40 + 50 = 150
  EXPECT_EQ(grid.pageCount, 15);
  EXPECT_EQ(grid.totalRows, 2);
  EXPECT_FALSE(grid.scrollBarShown);
  // One row tall: shown as long as the thumbnail box fits, captions cut off or not.
  EXPECT_EQ(MeasureGrid(MakeCellLayout(2, true, true, true), 500, 90, 16, 3).rows, 1);
  EXPECT_EQ(MeasureGrid(MakeCellLayout(2, true, true, true), 500, 89, 16, 3).rows, 0);
}

TEST(Grid, TheScrollBarTakesItsWidthOnlyWhenTheItemsDoNotFit) {
  const ThumbCellLayout layout = Small();
  ThumbGrid grid = MeasureGrid(layout, 260, 100, 16, 10);  // 5 × 2 hold all ten
  EXPECT_FALSE(grid.scrollBarShown);
  EXPECT_EQ(grid.columns, 5);
  grid = MeasureGrid(layout, 260, 100, 16, 11);
  EXPECT_TRUE(grid.scrollBarShown);
  EXPECT_EQ(grid.columns, 4);  // (260 - 16) / 50
  EXPECT_EQ(grid.totalRows, 3);
}

TEST(Grid, NarrowAndEmptyAreasHaveNoCells) {
  const ThumbGrid grid = MeasureGrid(Small(), 30, 20, 16, 100);
  EXPECT_EQ(grid.columns, 0);
  EXPECT_EQ(grid.rows, 0);
  EXPECT_EQ(grid.pageCount, 0);
  EXPECT_EQ(grid.totalRows, 0);
  EXPECT_EQ(LastPageFirst(grid, 100), 1);
}

TEST(Grid, FirstVisibleStaysBetweenOneAndTheLastFullPage) {
  const ThumbGrid grid = MeasureGrid(Small(), 216, 100, 16, 23);  // 4 columns with the bar, 2 rows
  ASSERT_EQ(grid.columns, 4);
  EXPECT_EQ(LastPageFirst(grid, 23), 17);  // rows 5 and 6 of 6
  EXPECT_EQ(ClampFirstVisible(99, grid, 23), 17);
  EXPECT_EQ(ClampFirstVisible(-5, grid, 23), 1);
  EXPECT_EQ(ClampFirstVisible(9, grid, 23), 9);
  // Fewer items than a page: only the first position.
  EXPECT_EQ(ClampFirstVisible(5, MeasureGrid(Small(), 216, 100, 16, 6), 6), 1);
}

TEST(Grid, CellsRunLeftToRightThenTopToBottomFromFirstVisible) {
  const ThumbCellLayout layout = Small();
  const ThumbGrid grid = MeasureGrid(layout, 216, 100, 16, 30);
  EXPECT_TRUE(IsVisiblePosition(9, 9, grid));
  EXPECT_TRUE(IsVisiblePosition(16, 9, grid));
  EXPECT_FALSE(IsVisiblePosition(17, 9, grid));
  EXPECT_FALSE(IsVisiblePosition(8, 9, grid));
  const CellPoint origin = CellOrigin(14, 9, grid, layout);
  EXPECT_EQ(origin.x, 50);
  EXPECT_EQ(origin.y, 50);
}

struct HitCase {
  const char* what;
  int x, y;
  bool anywhere;
  HitShape shape;
  int position;
};

TEST(HitTest, MarginsAndTheSpaceBesideANarrowThumbnailHitNothingUnlessSelected) {
  const ThumbCellLayout layout = MakeCellLayout(4, true, false, false);  // 50 × 64, edge 40
  const ThumbGrid grid = MeasureGrid(layout, 216, 200, 16, 30);          // 4 columns, 3 rows
  HitShape portrait;
  portrait.hasThumbnail = true;
  portrait.thumbWidth = 20;
  portrait.thumbHeight = 40;
  HitShape landscape = portrait;
  landscape.thumbWidth = 40;
  landscape.thumbHeight = 20;  // bottom-aligned: rows 25 .. 44 of the cell
  HitShape selectedPortrait = portrait;
  selectedPortrait.selected = true;
  const HitCase rows[] = {
      {"inside the thumbnail of the second cell", 60, 20, false, portrait, 6},
      {"left pad margin", 52, 20, false, HitShape(), 0},
      {"top pad margin", 60, 3, false, HitShape(), 0},
      {"right pad margin", 96, 20, false, HitShape(), 0},
      {"beside a portrait thumbnail", 85, 20, false, portrait, 0},
      {"beside a selected portrait thumbnail", 85, 20, false, selectedPortrait, 6},
      {"above a landscape thumbnail", 60, 10, false, landscape, 0},
      {"on the caption below a thumbnail", 60, 50, false, landscape, 6},
      {"beside a thumbnail not loaded yet", 85, 20, false, HitShape(), 6},
      {"the margin, anywhere", 52, 2, true, HitShape(), 6},
      {"beyond the columns", 205, 20, false, HitShape(), 0},
      {"a cell after the last item", 60, 190, true, HitShape(), 0},
  };
  for (const HitCase& row : rows) {
    SCOPED_TRACE(row.what);
    const int firstVisible = row.y >= 128 ? 27 : 5;  // the third row from 27 lies past item 30
    EXPECT_EQ(HitPosition(row.x, row.y, row.anywhere, firstVisible, 30, grid, layout,
                          [&](int) { return row.shape; }),
              row.position);
  }
}

ThumbCellLayout Scrolling() { return MakeCellLayout(4, false, false, false); }

struct ScrollSetup {
  ThumbGrid grid;
  int count;
};

ScrollSetup Listing(int count, int columns, int rows) {
  const ThumbCellLayout layout = Scrolling();
  return ScrollSetup{MeasureGrid(layout, columns * 50 + 16, rows * 50, 16, count), count};
}

TEST(Scroll, LineAndPageStepsStopAtTheEnds) {
  const ScrollSetup setup = Listing(100, 4, 3);  // 25 rows, 12 a page, last page from 89
  ASSERT_EQ(setup.grid.columns, 4);
  ScrollState state;
  ApplyScroll(state, ScrollAction::kLineDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 5);
  EXPECT_EQ(state.scrollPos, 400);
  ApplyScroll(state, ScrollAction::kPageDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 17);
  ApplyScroll(state, ScrollAction::kPageUp, 0, setup.grid, Scrolling(), setup.count);
  ApplyScroll(state, ScrollAction::kPageUp, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
  EXPECT_EQ(state.scrollPos, 1);
  state.firstVisible = 85;
  ApplyScroll(state, ScrollAction::kLineDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 89);  // the last page stays full
  ApplyScroll(state, ScrollAction::kLineDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 89);
  ApplyScroll(state, ScrollAction::kTop, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
  ApplyScroll(state, ScrollAction::kBottom, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 89);
  EXPECT_EQ(state.scrollPos, kScrollRange);
}

TEST(Scroll, ALineDownWithLessThanAPageOfItemsKeepsTheFirstItemOnTop) {
  // Five items in four columns and three rows: a wheel turn must not move the grid before item 1.
  const ScrollSetup setup = Listing(5, 4, 3);
  ScrollState state;
  ApplyScroll(state, ScrollAction::kLineDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
  ApplyScroll(state, ScrollAction::kPageDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
}

TEST(Scroll, FewerItemsThanColumnsDoNotScroll) {
  const ScrollSetup setup = Listing(3, 4, 3);
  ScrollState state;
  state.scrollPos = 7;
  ApplyScroll(state, ScrollAction::kBottom, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
  EXPECT_EQ(state.scrollPos, 7);
}

TEST(Scroll, DraggingMovesByPixelsAndReleasingSnapsToARow) {
  const ScrollSetup setup = Listing(100, 4, 3);  // 25 rows: 400 positions a row
  ScrollState state;
  ApplyScroll(state, ScrollAction::kThumbTrack, 1000, setup.grid, Scrolling(), setup.count);
  EXPECT_TRUE(state.tracking);
  EXPECT_EQ(state.firstVisible, 9);    // row 2.5
  EXPECT_EQ(state.pixelOffset, 25);    // half of a 50-pixel row
  ApplyScroll(state, ScrollAction::kThumbTrack, 1230, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 13);   // row 3.075
  EXPECT_EQ(state.pixelOffset, 3);
  // Released: row 3.075 rounds down, from six tenths on it rounds up.
  ApplyScroll(state, ScrollAction::kEnd, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_FALSE(state.tracking);
  EXPECT_EQ(state.pixelOffset, 0);
  EXPECT_EQ(state.firstVisible, 13);
  state.tracking = true;
  state.scrollPos = 1440;  // row 3.6
  ApplyScroll(state, ScrollAction::kThumbPosition, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 17);
  EXPECT_EQ(state.scrollPos, 1600);
  // Near the end the release shows the last full page.
  ApplyScroll(state, ScrollAction::kThumbTrack, 8900, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 89);
  EXPECT_EQ(state.pixelOffset, 0);
  ApplyScroll(state, ScrollAction::kThumbTrack, 1, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 1);
}

TEST(Scroll, MoreRowsThanScrollPositionsStayDefined) {
  // 30,000 rows of 4: fewer than one scroll position a row, where a per-row unit would be 0.
  const ScrollSetup setup = Listing(120000, 4, 3);
  ASSERT_EQ(setup.grid.totalRows, 30000);
  EXPECT_EQ(ScrollPage(setup.grid), 1);
  ScrollState state;
  ApplyScroll(state, ScrollAction::kThumbTrack, 5000, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 15000 * 4 + 1);
  ApplyScroll(state, ScrollAction::kEnd, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 15000 * 4 + 1);
  ApplyScroll(state, ScrollAction::kThumbTrack, kScrollRange, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, LastPageFirst(setup.grid, setup.count));
  ApplyScroll(state, ScrollAction::kLineDown, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, LastPageFirst(setup.grid, setup.count));
  EXPECT_EQ(state.scrollPos, 9999);
}

TEST(Scroll, PositionsOfHugeListingsDoNotOverflow) {
  // firstVisible × 10000 passes 32 bits from 214,749 items on.
  EXPECT_EQ(ScrollPosFor(1, 1000000), 1);
  EXPECT_EQ(ScrollPosFor(500001, 1000000), 5000);
  EXPECT_EQ(ScrollPosFor(1000000, 1000000), 9999);
  EXPECT_EQ(ScrollPosFor(5, 0), 1);
  const ScrollSetup setup = Listing(2000000, 4, 3);
  ScrollState state;
  ApplyScroll(state, ScrollAction::kBottom, 0, setup.grid, Scrolling(), setup.count);
  ApplyScroll(state, ScrollAction::kLineUp, 0, setup.grid, Scrolling(), setup.count);
  EXPECT_EQ(state.firstVisible, 2000000 - 12 + 1 - 4);
  EXPECT_EQ(state.scrollPos, 9999);
}

TEST(Scroll, ThePageSizeIsTheShareOfRowsShown) {
  EXPECT_EQ(ScrollPage(Listing(100, 4, 3).grid), 1200);
  EXPECT_EQ(ScrollPage(Listing(0, 4, 3).grid), 100);
}

}  // namespace
