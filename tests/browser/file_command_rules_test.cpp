// The rules behind the thumbnail view's file commands that need no window: names from a rename
// pattern, the kept extension, the shell's path lists, and where pasted thumbnails go in a slide
// order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "path_list.h"
#include "rename_pattern.h"
#include "slide_order_paste.h"
#include "thumb_list_builders.h"

namespace {

TEST(RenamePattern, NamesFromPatterns) {
  const struct {
    const char* pattern;
    const char* oldName;
    int number, count;
    const char* expected;
  } cases[] = {
      {"word#", "IMG_0001.JPG", 1, 120, "word001"},
      {"word#", "IMG_0120.JPG", 120, 120, "word120"},
      {"*_#", "beach.jpg", 1, 5, "beach_01"},
      {"*_#", "cat.dog.jpg", 5, 5, "cat.dog_05"},
      {"#-*", "beach.jpg", 3, 5, "03-beach"},
      {"holiday", "x.jpg", 7, 99, "holiday07"},
      {"holiday", "x.jpg", 7, 100, "holiday007"},
      {"*", "x.jpg", 1, 2, "x"},
      {"# and #", "x.jpg", 2, 2, "02 and #"},
      {"*#", "a#b.jpg", 4, 5, "a#b04"},
      {"#*", "a*b.jpg", 4, 5, "04a*b"},
      {"n#", "noext", 1000, 200, "n1000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PatternName(c.pattern, c.oldName, c.number, c.count), c.expected) << c.pattern << " " << c.oldName;
}

TEST(RenamePattern, RenamedFileKeepsItsLowerCaseExtension) {
  const struct {
    const char* typed;
    const char* oldName;
    const char* expected;
  } cases[] = {
      {"sunset.png", "IMG_1.JPG", "sunset.jpg"},
      {"sunset", "IMG_1.JPG", "sunset.jpg"},
      {"a.b.c", "x.Tif", "a.b.tif"},
      {"plain", "README", "plain"},
      {"word001", "photo.jpeg", "word001.jpeg"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithOldExtension(c.typed, c.oldName), c.expected) << c.typed;
}

TEST(PathList, DoubleNulListsRoundTrip) {
  const std::vector<std::string> paths = {"C:\\a\\one.jpg", "C:\\a\\two words.jpg"};
  const std::string list = DoubleNulList(paths);
  EXPECT_EQ(list, std::string("C:\\a\\one.jpg\0C:\\a\\two words.jpg\0\0", 33));
  EXPECT_EQ(PathsOfDoubleNulList(list), paths);
  EXPECT_EQ(DoubleNulList({}), std::string(1, '\0'));
  EXPECT_TRUE(PathsOfDoubleNulList(std::string(1, '\0')).empty());
  EXPECT_TRUE(PathsOfDoubleNulList("").empty());
  // A last path without its NUL is not taken.
  EXPECT_EQ(PathsOfDoubleNulList(std::string("a\0b", 3)), std::vector<std::string>{"a"});
}

TEST(SlideOrderPaste, MarkedItemsGoBeforeTheTarget) {
  const struct {
    const char* marked;
    char target;  // 0: none
    const char* order;
  } cases[] = {
      {"de", 'b', "adebcf"},
      {"ab", 'e', "cdabef"},
      {"cf", 'a', "cfabde"},
      {"b", 'b', "abcdef"},   // the target itself marked
      {"bd", 'c', "abdcef"},  // marked on both sides of the target
      {"ac", 0, "bdefac"},
      {"", 'c', "abcdef"},
  };
  for (const auto& c : cases) {
    CThumbList list;
    AddItems(list, {"a", "b", "c", "d", "e", "f"});
    const CThumbItem* target = nullptr;
    for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) {
      item->marked = std::string(c.marked).find(item->name) != std::string::npos;
      if (item->name[0] == c.target) target = item;
    }
    PlaceMarkedBefore(list, target);
    list.Sort(kSortBySlideOrder, false, false);
    std::string order;
    for (const std::string& name : NamesOf(list)) order += name;
    EXPECT_EQ(order, c.order) << c.marked << " before " << c.target;
  }
}

}  // namespace
