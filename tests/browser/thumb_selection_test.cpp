// The thumbnail view's selection rules: clicks with Ctrl, Shift and accumulate, rubber bands,
// arrow keys over a grid, the adjacent item with wrap, and drops that set the slide order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "thumb_list_builders.h"
#include "thumb_selection.h"

namespace {

// Items named "a", "b", ... with the letters of selected selected.
void Build(CThumbList& list, int count, const std::string& selected = "") {
  for (int i = 0; i < count; ++i) {
    const std::string name(1, char('a' + i));
    AddItem(list, name)->selected = selected.find(name) != std::string::npos;
  }
}

CThumbItem* Named(CThumbList& list, char name) {
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext())
    if (item->name[0] == name) return item;
  return nullptr;
}

std::string SelectedNames(CThumbList& list) {
  std::string names;
  for (CThumbItem* item = list.GetFirstSelected(); item; item = list.GetNextSelected()) names += item->name;
  return names;
}

std::string Order(CThumbList& list) {
  std::string names;
  for (const std::string& name : NamesOf(list)) names += name;
  return names;
}

TEST(ThumbSelection, ClicksFollowCtrlShiftAndAccumulate) {
  const struct {
    const char* what;
    const char* before;
    char anchor;   // 0: none
    char clicked;  // 0: empty space
    bool ctrl, shift, accumulate;
    const char* after;
    bool preview;
  } cases[] = {
      {"plain click starts a new selection", "ac", 'a', 'd', false, false, false, "d", true},
      {"plain click on a selected item keeps the rest", "ac", 'a', 'c', false, false, false, "ac", true},
      {"accumulate adds unselected items", "ac", 'a', 'e', false, false, true, "ace", true},
      {"Ctrl adds an item", "a", 'a', 'c', true, false, false, "ac", false},
      {"Ctrl on a selected item deselects it", "ac", 'a', 'c', true, false, false, "a", false},
      {"Shift selects from the anchor on", "", 'b', 'e', false, true, false, "bcde", false},
      {"Shift works backwards too", "e", 'e', 'b', false, true, false, "bcde", false},
      {"Shift keeps what was selected", "g", 'b', 'd', false, true, false, "bcdg", false},
      {"Shift without an anchor selects only the item", "", 0, 'd', false, true, false, "d", false},
      {"empty space deselects all", "ac", 'a', 0, false, false, false, "", false},
      {"empty space with Ctrl keeps the selection", "ac", 'a', 0, true, false, false, "ac", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CThumbList list;
    Build(list, 8, c.before);
    CThumbItem* anchor = c.anchor ? Named(list, c.anchor) : nullptr;
    CThumbItem* clicked = c.clicked ? Named(list, c.clicked) : nullptr;
    EXPECT_EQ(ClickSelect(list, clicked, anchor, ClickKeys{c.ctrl, c.shift}, c.accumulate), c.preview);
    EXPECT_EQ(SelectedNames(list), c.after);
    EXPECT_EQ(anchor, clicked);
  }
}

TEST(ThumbSelection, APlainClickKeepsTheOldSelectionForReselect) {
  CThumbList list;
  Build(list, 5, "bd");
  CThumbItem* anchor = nullptr;
  ClickSelect(list, Named(list, 'a'), anchor, ClickKeys(), false);
  EXPECT_EQ(SelectedNames(list), "a");
  list.RestoreSelection();
  EXPECT_EQ(SelectedNames(list), "bd");
}

TEST(ThumbSelection, AllAndInvert) {
  CThumbList list;
  Build(list, 5, "bd");
  InvertItemSelection(list);
  EXPECT_EQ(SelectedNames(list), "ace");
  SelectAllItems(list);
  EXPECT_EQ(SelectedNames(list), "abcde");
}

// Cells of 50 x 64 (edge 40, names shown): three columns beside the scroll bar and two rows.
class Grid : public ::testing::Test {
 protected:
  Grid() : layout(MakeCellLayout(4, true, false, false)), grid(MeasureGrid(layout, 200, 130, 16, 12)) {}
  ThumbCellLayout layout;
  ThumbGrid grid;
};

TEST_F(Grid, ABandSelectsTheThumbnailBoxesItTouchesAndNeverDeselects) {
  ASSERT_EQ(layout.cellHeight, 64);
  ASSERT_EQ(grid.columns, 3);  // 12 items need the scroll bar
  ASSERT_EQ(grid.rows, 2);
  const struct {
    const char* what;
    BandRect band;
    const char* after;  // items e.. are at the top-left (firstVisible 5), "a" was selected before
  } cases[] = {
      {"one box", NormalisedBand(10, 10, 20, 20), "ae"},
      {"drawn backwards over two rows", NormalisedBand(60, 100, 45, 30), "afi"},
      {"the caption below a box is no hit", NormalisedBand(10, 45, 20, 60), "a"},
      {"the gap right of a box is no hit", NormalisedBand(41, 10, 49, 20), "a"},
      {"the whole page", NormalisedBand(0, 0, 200, 130), "aefghij"},
      {"outside the grid", NormalisedBand(160, 0, 199, 130), "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CThumbList list;
    Build(list, 12, "a");
    SelectInBand(list, c.band, 5, grid, layout);
    EXPECT_EQ(SelectedNames(list), c.after);
  }
}

TEST_F(Grid, ArrowsMoveByCellsAndRowsAndScrollAtThePageEdges) {
  const auto none = ScrollFirst::kNone, up = ScrollFirst::kLineUp, down = ScrollFirst::kLineDown;
  const struct {
    const char* what;
    ArrowKey key;
    int position, firstVisible;
    int to;
    ScrollFirst scroll;
  } cases[] = {
      {"Up a row", ArrowKey::kUp, 8, 4, 5, none},
      {"Up from the top row scrolls", ArrowKey::kUp, 5, 4, 2, up},
      {"Up from the first row stays", ArrowKey::kUp, 2, 1, 0, up},
      {"Down a row", ArrowKey::kDown, 2, 1, 5, none},
      {"Down from the last visible row scrolls", ArrowKey::kDown, 5, 1, 8, down},
      {"Down past the end stays", ArrowKey::kDown, 11, 7, 0, down},
      {"Left", ArrowKey::kLeft, 6, 4, 5, none},
      {"Left from the first cell with a row above scrolls", ArrowKey::kLeft, 4, 4, 3, up},
      {"Left on the head stays", ArrowKey::kLeft, 1, 1, 0, none},
      {"Left on an item off screen stays", ArrowKey::kLeft, 11, 1, 0, none},
      {"Right", ArrowKey::kRight, 5, 4, 6, none},
      {"Right from the last cell scrolls", ArrowKey::kRight, 9, 4, 10, down},
      {"Right on the last item stays", ArrowKey::kRight, 12, 7, 0, none},
      {"Right on an item off screen stays", ArrowKey::kRight, 2, 7, 0, none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ArrowMove move = MoveByArrow(c.key, c.position, 12, c.firstVisible, grid);
    EXPECT_EQ(move.position, c.to);
    EXPECT_EQ(move.scroll, c.scroll);
  }
}

TEST(ThumbSelection, TheAdjacentItemWrapsAtBothEnds) {
  const struct {
    bool previous;
    const char* before;
    const char* after;
  } cases[] = {
      {false, "b", "c"}, {false, "d", "a"}, {false, "", "b"}, {false, "bd", "c"},
      {true, "c", "b"},  {true, "a", "d"},  {true, "", "d"},
  };
  for (const auto& c : cases) {
    CThumbList list;
    Build(list, 4, c.before);
    CThumbItem* chosen = SelectAdjacent(list, c.previous);
    EXPECT_EQ(SelectedNames(list), c.after) << c.before << (c.previous ? " previous" : " next");
    EXPECT_EQ(chosen, Named(list, c.after[0]));
  }
  CThumbList empty;
  EXPECT_EQ(SelectAdjacent(empty, false), nullptr);
}

TEST(ThumbSelection, ADropRenumbersTheSlideOrderAroundTheTarget) {
  const struct {
    const char* what;
    const char* selected;
    char target;  // 0: after the last cell
    const char* order;
  } cases[] = {
      {"onto an unselected item", "be", 'd', "acbedf"},
      {"onto the head", "ef", 'a', "efabcd"},
      {"after the last cell", "ac", 0, "bdefac"},
      {"onto one of its own items", "bf", 'f', "acdebf"},
      {"onto its first item", "bf", 'b', "abfcde"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CThumbList list;
    Build(list, 6, c.selected);
    EXPECT_TRUE(DropSelection(list, c.target ? Named(list, c.target) : nullptr, kSortBySlideOrder));
    EXPECT_EQ(Order(list), c.order);
    uint32_t position = 0;
    for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) EXPECT_EQ(item->slidePos, position++);
  }
}

TEST(ThumbSelection, ADropInAnyOtherOrderChangesNothing) {
  for (const int sortType : {kSortByName, kSortByDate, kSortBySize, kSortRandom}) {
    CThumbList list;
    Build(list, 4, "cd");
    EXPECT_FALSE(DropSelection(list, Named(list, 'a'), sortType));
    EXPECT_EQ(Order(list), "abcd");
    for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) EXPECT_EQ(item->slidePos, 0u);
  }
}

}  // namespace
