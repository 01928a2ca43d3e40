// The string scanners and the path splitter.
#include <string>

#include <gtest/gtest.h>

#include "split_path.h"
#include "string_scanners.h"

namespace {

TEST(SplitPath, FolderAndNameAroundTheLastBackslash) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {{"C:\\a\\b.jpg", "C:\\a", "b.jpg"},
               {"C:\\b.jpg", "C:", "b.jpg"},
               {"b.jpg", "", "b.jpg"},
               {"C:\\a\\", "C:\\a", ""},
               {"\\\\server\\share\\c.gif", "\\\\server\\share", "c.gif"}};
  for (const auto& c : cases) {
    std::string folder = "stale", name = "stale";
    SplitPath(c.path, folder, name);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }
}

TEST(StringScanners, CopyStopsAtTheSetTheLimitOrTheBuffer) {
  char out[600];
  StrCopyUntil("key one;rest", out, sizeof out, ";,");
  EXPECT_STREQ(out, "key one");
  const std::string text(600, 'x');
  StrCopyUntil(text.c_str(), out, sizeof out, ";");
  EXPECT_EQ(std::string(out).size(), 500u);
  char small[8];
  StrCopyUntil("abcdefghijkl", small, sizeof small, "");
  EXPECT_STREQ(small, "abcdefg");
  StrCopyUntil("", small, sizeof small, ";");
  EXPECT_STREQ(small, "");
}

TEST(StringScanners, SkippingStopsAtTheEnd) {
  const char* text = "  \tword, next";
  EXPECT_STREQ(StrSkipAny(text, " \t"), "word, next");
  EXPECT_STREQ(StrSkipToAny(text, ","), ", next");
  EXPECT_EQ(*StrSkipToAny(text, ""), '\0');  // an empty set: straight to the end
  EXPECT_STREQ(StrSkipAny("", " "), "");
  EXPECT_STREQ(StrSkipAny("   ", " "), "");
}

TEST(StringScanners, SameNoCaseWantsTheFirstCharacterExact) {
  EXPECT_FALSE(StrSameNoCase("Tree", "tree"));
  EXPECT_TRUE(StrSameNoCase("TREE", "Tree"));
  EXPECT_TRUE(StrSameNoCase("Treehouse", "TrEE"));
  EXPECT_FALSE(StrSameNoCase("Tr", "Tree"));
  EXPECT_FALSE(StrSameNoCase("anything", ""));  // the first characters differ
  EXPECT_TRUE(StrSameNoCase("", ""));
  EXPECT_EQ(StrLength("hello"), 5);
  EXPECT_EQ(StrLength(""), 0);
}

}  // namespace
