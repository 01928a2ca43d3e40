// The orders of the list: the comparison of two items, named cases, agreement with the search
// tree the program used to sort with, linear-logarithmic work on already sorted input, and the
// random order.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "chain_merge_sort.h"
#include "thumb_list.h"
#include "thumb_list_builders.h"

namespace {

using Names = std::vector<std::string>;

void Place(CThumbItem& item, const std::string& folder, const std::string& name) {
  item.folder = folder;
  item.name = name;
}

// Compare both ways: {a after b, b after a}.
std::pair<int, int> BothWays(const CThumbItem& a, const CThumbItem& b, int type, bool caseSensitive) {
  return {a.Compare(b, type, caseSensitive), b.Compare(a, type, caseSensitive)};
}

TEST(ThumbCompare, Names) {
  const struct {
    const char *folderA, *nameA, *folderB, *nameB;
    bool caseSensitive;
    std::pair<int, int> expected;
  } rows[] = {
      {"C:\\p\\", "abc", "C:\\p\\", "abcd", false, {0, 0}},          // a prefix counts as equal
      {"C:\\p\\", "abc", "C:\\p\\", "abc", true, {0, 0}},
      {"C:\\p\\", "\x80z", "C:\\p\\", "Az", false, {0, 1}},          // 0x80 and above before ASCII
      {"C:\\p\\", "a\xE9", "C:\\p\\", "a\x01", true, {0, 1}},
      {"C:\\p\\", "abc", "C:\\p\\", "ABD", false, {0, 1}},           // letters folded
      {"C:\\p\\", "abc", "C:\\p\\", "ABC", false, {0, 0}},
      {"C:\\p\\", "abc", "C:\\p\\", "ABD", true, {1, 0}},            // 'a' after 'A'
      {"C:\\p\\", "a_", "C:\\p\\", "A^", false, {1, 0}},             // only letters fold
      {"C:\\b\\", "a", "C:\\a\\", "z", false, {1, 0}},               // folders first
      {"C:\\A\\", "a", "C:\\a\\", "a", false, {0, 1}},               // folders always case-sensitive
      {"C:\\a\\b\\", "a", "C:\\a\\", "z", false, {1, 0}},            // a shorter folder first
  };
  for (const auto& row : rows) {
    CThumbItem a, b;
    Place(a, row.folderA, row.nameA);
    Place(b, row.folderB, row.nameB);
    EXPECT_EQ(BothWays(a, b, kSortByName, row.caseSensitive), row.expected) << row.nameA << " " << row.nameB;
  }
}

// The keys of one item.
struct Keys {
  uint32_t high, low;
  int32_t sizeKB;
  uint32_t slidePos;
  int id;
  void To(CThumbItem& item) const {
    item.lastWrite = {low, high};
    item.sizeKB = sizeKB;
    item.slidePos = slidePos;
    item.id = id;
  }
};

TEST(ThumbCompare, DatesSizesAndSlidePositions) {
  const struct {
    int type;
    Keys a, b;
    std::pair<int, int> expected;
  } rows[] = {
      {kSortByDate, {0x80000000, 0, 0, 0, 1}, {0x7FFFFFFF, 0xFFFFFFFF, 0, 0, 2}, {1, 0}},  // high half unsigned
      {kSortByDate, {5, 0x80000000, 0, 0, 1}, {5, 0x7FFFFFFF, 0, 0, 2}, {1, 0}},          // then low, unsigned
      {kSortByDate, {5, 6, 0, 0, 1}, {5, 6, 0, 0, 2}, {0, 1}},                            // equal: ids
      {kSortByDate, {5, 6, 0, 0, -1}, {5, 6, 0, 0, 3}, {0, 1}},                           // ids signed
      {kSortBySize, {0, 0, -1, 0, 1}, {0, 0, 0, 0, 2}, {0, 1}},                           // sizes signed
      {kSortBySize, {0, 0, 7, 0, 9}, {0, 0, 7, 0, 2}, {1, 0}},                            // equal: ids
      {kSortBySlideOrder, {0, 0, 0, 0x80000000, 1}, {0, 0, 0, 1, 2}, {1, 0}},             // unsigned
      {kSortBySlideOrder, {0, 0, 0, 3, 9}, {0, 0, 0, 3, 2}, {0, 0}},                      // equal, ids ignored
      {kSortRandom, {9, 9, 9, 9, 9}, {0, 0, 0, 0, 0}, {0, 0}},                            // no order
      {5, {9, 9, 9, 9, 9}, {0, 0, 0, 0, 0}, {0, 0}},
  };
  for (const auto& row : rows) {
    CThumbItem a, b;
    row.a.To(a);
    row.b.To(b);
    EXPECT_EQ(BothWays(a, b, row.type, false), row.expected) << "type " << row.type << " ids " << row.a.id;
  }
}

struct SortCase {
  const char* what;
  Names names;
  bool descending, caseSensitive;
  Names expected;
};

TEST(ThumbSort, ByName) {
  const SortCase cases[] = {
      {"a prefix keeps list order", {"abcd", "abc"}, false, false, {"abcd", "abc"}},
      {"a prefix keeps list order", {"abc", "abcd"}, false, false, {"abc", "abcd"}},
      {"descending too", {"abcd", "abc"}, true, false, {"abcd", "abc"}},
      {"descending too", {"abc", "abcd"}, true, false, {"abc", "abcd"}},
      {"high bytes first", {"apple", "\xE9t\xE9", "Zoo"}, false, false, {"\xE9t\xE9", "apple", "Zoo"}},
      {"case folded", {"b", "C", "a", "B"}, false, false, {"a", "b", "B", "C"}},
      {"case folded, descending", {"b", "C", "a", "B"}, true, false, {"C", "b", "B", "a"}},
      {"case kept", {"b", "C", "a", "B"}, false, true, {"B", "C", "a", "b"}},
      {"one item", {"x"}, true, false, {"x"}},
  };
  for (const SortCase& c : cases) {
    CThumbList list;
    AddItems(list, c.names).Sort(kSortByName, c.descending, c.caseSensitive);
    EXPECT_EQ(NamesOf(list), c.expected) << c.what;
    EXPECT_EQ(list.GetCount(), int(c.names.size()));
  }
  CThumbList empty;
  empty.Sort(kSortByName, false, false);
  EXPECT_EQ(empty.GetFirst(), nullptr);
}

TEST(ThumbSort, EqualTimesFallBackToIds) {
  for (const bool descending : {false, true}) {
    CThumbList list;
    for (int id : {3, 1, 4, 2}) AddItem(list, "x", id)->lastWrite = {7, 7};
    AddItem(list, "newer", 0)->lastWrite = {0, 8};
    list.Sort(kSortByDate, descending, false);
    const std::vector<int> expected = descending ? std::vector<int>{0, 4, 3, 2, 1} : std::vector<int>{1, 2, 3, 4, 0};
    EXPECT_EQ(IdsOf(list), expected);
  }
}

TEST(ThumbSort, SlideOrderIgnoresDescending) {
  CThumbList list;
  const uint32_t positions[] = {2, 0x80000000, 0, 2, 1};
  for (size_t i = 0; i < 5; ++i) AddItem(list, "x", int(i))->slidePos = positions[i];
  list.Sort(kSortBySlideOrder, true, false);
  EXPECT_EQ(IdsOf(list), (std::vector<int>{2, 4, 0, 3, 1}));  // equal positions keep list order
}

TEST(ThumbSort, KeepsTheTailForLaterAdditions) {
  CThumbList list;
  AddItems(list, {"b", "c", "a"}).Sort(kSortByName, false, false);
  AddItem(list, "0");
  EXPECT_EQ(NamesOf(list), (Names{"a", "b", "c", "0"}));
}

// The order an unbalanced search tree gives when the items are hung in list order: at each node
// Compare(node, new item) picks the side (1: left when ascending, right when descending), and
// the in-order walk is the result.
std::vector<int> TreeOrder(CThumbList& list, int type, bool descending, bool caseSensitive) {
  struct Node {
    const CThumbItem* item;
    int left = -1, right = -1;
  };
  std::vector<Node> nodes;
  for (const CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) {
    nodes.push_back({item});
    for (size_t at = 0; nodes.size() > 1;) {
      const bool after = nodes[at].item->Compare(*item, type, caseSensitive) == 1;
      const bool left = descending && type != kSortBySlideOrder ? !after : after;
      int& link = left ? nodes[at].left : nodes[at].right;
      if (link < 0) {
        link = int(nodes.size() - 1);
        break;
      }
      at = size_t(link);
    }
  }
  std::vector<int> ids;
  std::vector<int> pending;
  for (int at = nodes.empty() ? -1 : 0; at >= 0 || !pending.empty();) {
    if (at >= 0) {
      pending.push_back(at);
      at = nodes[size_t(at)].left;
    } else {
      at = pending.back();
      pending.pop_back();
      ids.push_back(nodes[size_t(at)].item->id);
      at = nodes[size_t(at)].right;
    }
  }
  return ids;
}

// Random items with few distinct keys, so that ties are common; unique ids in random order.
void FillRandom(CThumbList& list, std::mt19937& random, int count, bool distinctNames) {
  std::vector<int> ids(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) ids[size_t(i)] = i - count / 2;
  std::shuffle(ids.begin(), ids.end(), random);
  const char letters[] = {'a', 'B', 'b', 'z', '_', '\x80', '\xE9', '1'};
  for (int i = 0; i < count; ++i) {
    std::string name;
    for (int k = 0; k < 4; ++k) name += letters[random() % sizeof letters];
    // Names of one length: never one the start of another, so names order properly.
    if (distinctNames) name += std::to_string(1000 + i);
    CThumbItem* item = AddItem(list, name, ids[size_t(i)]);
    item->lastWrite = {uint32_t(random() % 3) * 0x80000000u, uint32_t(random() % 3)};
    item->sizeKB = int32_t(random() % 5) - 2;
    item->slidePos = uint32_t(random() % 4) * 0x55555555u;
  }
}

TEST(ThumbSort, AgreesWithTheSearchTreeWhereTheOrderIsProper) {
  std::mt19937 random(1234);
  for (int round = 0; round < 40; ++round) {
    for (const int type : {kSortByName, kSortByDate, kSortBySize, kSortBySlideOrder}) {
      for (const bool descending : {false, true}) {
        for (const bool caseSensitive : {false, true}) {
          // Names with ties: the tree turns equal names round when descending; this list keeps
          // them in list order, so that case only compares with distinct names.
          const bool distinctNames = type == kSortByName && descending;
          CThumbList list;
          FillRandom(list, random, 1 + round * 5, distinctNames);
          const std::vector<int> expected = TreeOrder(list, type, descending, caseSensitive);
          list.Sort(type, descending, caseSensitive);
          ASSERT_EQ(IdsOf(list), expected) << "type " << type << (descending ? " descending" : "")
                                           << (caseSensitive ? " case-sensitive" : "") << " round " << round;
        }
      }
    }
  }
}

TEST(ThumbSort, EqualNamesKeepListOrderDescending) {
  CThumbList list;
  const Names names = {"b", "A", "B", "a", "b"};
  for (size_t i = 0; i < names.size(); ++i) AddItem(list, names[i], int(i));
  list.Sort(kSortByName, true, false);
  EXPECT_EQ(IdsOf(list), (std::vector<int>{0, 2, 4, 1, 3}));
}

// Comparisons the list's merge sort makes on names in this order.
size_t ComparisonsToSort(const Names& names) {
  std::vector<CThumbItem> items(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    Place(items[i], "C:\\pictures\\", names[i]);
    items[i].next = i + 1 < names.size() ? &items[i + 1] : nullptr;
  }
  size_t comparisons = 0;
  const CThumbItem* head = SortChain(&items[0], [&](const CThumbItem& later, const CThumbItem& earlier) {
    ++comparisons;
    return earlier.Compare(later, kSortByName, false) == 1;
  });
  size_t count = 0;
  for (const CThumbItem* item = head; item; item = item->next, ++count) {
    if (item->next) {
      EXPECT_EQ(item->Compare(*item->next, kSortByName, false), 0);
    }
  }
  EXPECT_EQ(count, names.size());
  return comparisons;
}

TEST(ThumbSort, SortedNamesCostNoMoreThanShuffledOnes) {
  constexpr int kCount = 10000;
  Names sorted;
  for (int i = 0; i < kCount; ++i) sorted.push_back("IMG_" + std::to_string(100000 + i) + ".JPG");
  Names shuffled = sorted;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  const size_t onSorted = ComparisonsToSort(sorted), onShuffled = ComparisonsToSort(shuffled);
  const double bound = kCount * std::log2(double(kCount));  // a tree would need kCount^2 / 2 = 5e7
  EXPECT_LE(double(onSorted), bound);
  EXPECT_LE(double(onShuffled), bound);
  EXPECT_LE(onSorted, onShuffled);

  CThumbList list;
  AddItems(list, sorted).Sort(kSortByName, true, false);
  Names reversed(sorted.rbegin(), sorted.rend());
  EXPECT_EQ(NamesOf(list), reversed);
}

TEST(ThumbSort, RandomOrderIsAFairShuffle) {
  std::srand(99);
  std::map<Names, int> seen;
  constexpr int kRounds = 24000;
  for (int round = 0; round < kRounds; ++round) {
    CThumbList list;
    AddItems(list, {"a", "b", "c", "d"}).Sort(kSortRandom, false, false);
    ASSERT_EQ(list.GetCount(), 4);
    AddItem(list, "tail");
    Names names = NamesOf(list);
    ASSERT_EQ(names.back(), "tail");
    names.pop_back();
    ++seen[names];
  }
  ASSERT_EQ(seen.size(), 24u);  // every order of four
  for (const auto& order : seen) {
    EXPECT_GT(order.second, kRounds / 24 * 8 / 10);
    EXPECT_LT(order.second, kRounds / 24 * 12 / 10);
  }
}

}  // namespace
