// The list itself: adding, removing, walking, selection and the sums the status bar shows.
#include <gtest/gtest.h>

#include "Cimage.h"
#include "thumb_list.h"
#include "thumb_list_builders.h"

namespace {

using Names = std::vector<std::string>;

TEST(ThumbItem, StartsEmptyWithNoIdAndNoThumbnail) {
  const CThumbItem item;
  EXPECT_EQ(item.name, "");
  EXPECT_EQ(item.sizeKB, 0);
  EXPECT_EQ(item.slidePos, 0u);
  EXPECT_EQ(item.id, -1);
  EXPECT_EQ(item.thumbnail, nullptr);
  EXPECT_EQ(item.next, nullptr);
  EXPECT_EQ(item.aux, nullptr);
  EXPECT_EQ(item.selected | item.savedSelected | item.quietOpen | item.needsStat | item.marked, 0);
}

TEST(ThumbItem, NewThumbnailReplacesTheOldOne) {
  CThumbItem item;
  Cimage* first = item.NewThumbnail();
  ASSERT_NE(first, nullptr);
  Cimage* second = item.NewThumbnail();  // the first is destroyed (the sanitizers see a leak otherwise)
  EXPECT_EQ(item.thumbnail, second);
  item.FreeThumbnail();
  EXPECT_EQ(item.thumbnail, nullptr);
  item.NewThumbnail();  // destroyed with the item
}

TEST(ThumbList, AddsAtTailAndHead) {
  CThumbList list;
  EXPECT_EQ(list.GetFirst(), nullptr);
  AddItem(list, "b");
  list.AddHead()->name = "a";
  AddItem(list, "c");
  EXPECT_EQ(NamesOf(list), (Names{"a", "b", "c"}));
  EXPECT_EQ(list.GetCount(), 3);

  CThumbList other;
  other.AddHead()->name = "only";  // the head of an empty list is also its tail
  AddItem(other, "after");
  EXPECT_EQ(NamesOf(other), (Names{"only", "after"}));
}

TEST(ThumbList, AppendItemTakesAnItemAndCutsItsOldLink) {
  CThumbList list;
  AddItem(list, "a");
  CThumbItem stray;
  CThumbItem* item = new CThumbItem;
  item->name = "b";
  item->next = &stray;
  EXPECT_EQ(list.AppendItem(item), 2);
  EXPECT_EQ(item->next, nullptr);
  AddItem(list, "c");
  EXPECT_EQ(NamesOf(list), (Names{"a", "b", "c"}));
}

TEST(ThumbList, RemoveUnlinksAndKeepsTheTail) {
  CThumbList list;
  AddItems(list, {"a", "b", "c"});
  CThumbItem* last = list.GetFirst()->next->next;
  list.Remove(last);
  EXPECT_EQ(list.GetCount(), 2);
  AddItem(list, "d");  // linked after "b", not after the destroyed "c"
  list.Remove(list.GetFirst());
  EXPECT_EQ(NamesOf(list), (Names{"b", "d"}));
  EXPECT_EQ(list.GetCount(), 2);
}

TEST(ThumbList, RemoveLeavesAnItemOfAnotherListAlone) {
  CThumbList list, other;
  AddItems(list, {"a", "b"});
  CThumbItem* foreign = AddItem(other, "x");
  list.Remove(foreign);
  list.Remove(nullptr);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(NamesOf(other), (Names{"x"}));  // still alive and linked (the sanitizers check)
  EXPECT_EQ(other.GetCount(), 1);
}

TEST(ThumbList, WalksGoOnSafelyAfterRemovals) {
  CThumbList list;
  AddItems(list, {"a", "b", "c", "d"});
  // Removing the item a walk returned.
  Names walked;
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) {
    walked.push_back(item->name);
    if (item->name == "b") list.Remove(item);
  }
  EXPECT_EQ(walked, (Names{"a", "b", "c", "d"}));
  // Removing the item the walk would return next.
  CThumbItem* first = list.GetFirst();
  list.Remove(first->next);
  EXPECT_EQ(list.GetNext()->name, "d");
  EXPECT_EQ(list.GetNext(), nullptr);
  // Removing selected items under a walk, and everything.
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) item->selected = 1;
  list.GetFirst();
  list.RemoveSelected();
  EXPECT_EQ(list.GetNext(), nullptr);
  AddItem(list, "e");
  list.GetFirst();
  list.RemoveAll();
  EXPECT_EQ(list.GetNext(), nullptr);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ThumbList, RemoveSelectedKeepsCountAndTail) {
  CThumbList list;
  AddItems(list, {"a", "b", "c", "d", "e"});
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext())
    item->selected = item->name == "a" || item->name == "c" || item->name == "e";
  list.RemoveSelected();
  EXPECT_EQ(list.GetCount(), 2);
  AddItem(list, "f");
  EXPECT_EQ(NamesOf(list), (Names{"b", "d", "f"}));
}

TEST(ThumbList, SelectedWalkLeavesTheIteratorBehindTheItemReturned) {
  CThumbList list;
  AddItems(list, {"a", "b", "c", "d"});
  list.GetFirst()->next->selected = 1;
  list.GetFirst()->next->next->next->selected = 1;
  EXPECT_EQ(list.GetFirstSelected()->name, "b");
  EXPECT_EQ(list.GetNext()->name, "c");
  EXPECT_EQ(list.GetNextSelected()->name, "d");
  EXPECT_EQ(list.GetNextSelected(), nullptr);
  CThumbList none;
  AddItems(none, {"a"});
  EXPECT_EQ(none.GetFirstSelected(), nullptr);
}

TEST(ThumbList, CountsAndSumsSelection) {
  CThumbList list;
  const struct {
    int sizeKB, selected;
  } rows[] = {{10, 1}, {20, 0}, {2000000000, 1}, {2000000000, 0}, {5, 1}};
  for (const auto& row : rows) {
    CThumbItem* item = AddItem(list, "x");
    item->sizeKB = row.sizeKB;
    item->selected = row.selected;
  }
  EXPECT_EQ(list.CountSelected(), 3);
  EXPECT_EQ(list.GetTotalKB(), 4000000035);  // past 32 bits without overflowing
  EXPECT_EQ(list.GetSelectedKB(), 2000000015);
  const int before[] = {0, 0, 1, 1, 2, 2, 3, 3};  // CountSelectedBefore(0 .. 7)
  for (int n = 0; n < 8; ++n) EXPECT_EQ(list.CountSelectedBefore(n), before[n]) << n;
}

TEST(ThumbList, MarksFollowTheSelection) {
  CThumbList list;
  AddItems(list, {"a", "b"});
  list.GetFirst()->selected = 1;
  list.MarkSelected(true);
  EXPECT_EQ(list.GetFirst()->marked, 1);
  EXPECT_EQ(list.GetNext()->marked, 0);
  list.MarkSelected(false);
  EXPECT_EQ(list.GetFirst()->marked, 0);
}

TEST(ThumbList, SaveSelectionWithNothingSelectedKeepsTheOlderSavedState) {
  CThumbList list;
  AddItems(list, {"a", "b", "c"});
  list.GetFirst()->next->selected = 1;
  list.SaveSelection();
  EXPECT_EQ(list.CountSelected(), 0);
  list.SaveSelection();  // nothing selected: changes nothing
  list.RestoreSelection();
  CThumbItem* a = list.GetFirst();
  CThumbItem* b = list.GetNext();
  EXPECT_EQ(a->selected, 0);
  EXPECT_EQ(b->selected, 1);
  EXPECT_EQ(b->savedSelected, 1);
}

TEST(ThumbList, LinkAuxCopiesTheNextLinks) {
  CThumbList list;
  EXPECT_EQ(list.LinkAux(), nullptr);
  AddItems(list, {"a", "b"});
  CThumbItem* head = list.LinkAux();
  EXPECT_EQ(head->aux, head->next);
  EXPECT_EQ(head->next->aux, nullptr);
}

}  // namespace
