// The series part of file names, in both trees: which part of a name counts, and which series
// Auto Sort gives a subfolder of their own.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "name_prefix.h"

namespace {

struct PrefixCase {
  const char* name;
  const char* prefix;
  size_t start;
};

const PrefixCase kPrefixes[] = {
    {"IMG_0001.jpg", "IMG_", 0},
    {"DSC00012.JPG", "DSC", 0},
    {"Holiday 2003 01.jpg", "Holiday ", 0},
    {"2003-05-01 001.jpg", "2003", 0},       // a lone '-' is no series: the leading digits are
    {"20030501.jpg", "20030501", 0},
    {"a1234.jpg", "a1234", 0},               // one letter and the digits after it
    {"x.jpg", "x", 0},
    {"12ab_cd.jpg", "ab_cd", 2},             // a run of letters wins over leading digits
    {"#5a.jpg", "#5", 0},                    // one letter after a second-place digit
    {".hidden", "", 0},                      // a dot before any letter: nothing
    {"1.2abc.jpg", "1", 0},
    {"ab", "a", 0},                          // the last character is never looked at
    {"a", "", 0},
    {"", "", 0},
    {"%%%", "", 0},
    {"\xC4pfel 01.jpg", "pfel ", 1},         // only ASCII letters count
};

TEST(NamePrefix, TakesTheSeriesPartOfTheName) {
  for (const PrefixCase& c : kPrefixes) {
    const NamePrefix prefix = GetNamePrefix(c.name);
    EXPECT_EQ(prefix.Text(c.name), c.prefix) << c.name;
    EXPECT_EQ(prefix.start, c.start) << c.name;
  }
}

TEST(NamePrefix, MatchesTheSameTextAtTheSamePlace) {
  const std::string name = "12ab_cd.jpg";
  const NamePrefix prefix = GetNamePrefix(name);
  EXPECT_TRUE(prefix.Matches(name, "99ab_cd7.png"));
  EXPECT_FALSE(prefix.Matches(name, "ab_cd.jpg"));  // same text, another place
  EXPECT_FALSE(prefix.Matches(name, "12ab_"));      // too short to hold it
}

std::vector<std::string> Series(const std::string& prefix, int count, int first = 1) {
  std::vector<std::string> names;
  for (int n = first; n < first + count; ++n) names.push_back(prefix + std::to_string(1000 + n) + ".jpg");
  return names;
}

std::vector<std::string> Joined(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct GroupCase {
  const char* what;
  std::vector<std::string> names;
  std::vector<std::string> folders;     // the groups kept, in order
  std::vector<size_t> firstMembers;     // the first member index of each
};

TEST(AutoSortGroups, KeepsSeriesOfSixToTwoHundred) {
  const std::vector<GroupCase> cases = {
      {"no files", {}, {}, {}},
      {"five are too few", Series("IMG_", 5), {}, {}},
      {"six are enough", Series("IMG_", 6), {"IMG_"}, {0}},
      {"two hundred are enough", Series("DSC", 200), {"DSC"}, {0}},
      {"two hundred and one are too many", Series("DSC", 201), {}, {}},
      {"interleaved series", Joined({Series("IMG_", 6), Series("DSC", 7), Series("IMG_", 1, 50)}), {"IMG_", "DSC"}, {0, 6}},
      // The first name decides: its last character is not part of the series.
      {"the first name's prefix", Joined({{"abcdef"}, Series("abcdef", 6)}), {"abcde"}, {0}},
      {"trailing spaces leave the folder name",
       Joined({Series("Trip ", 6)}), {"Trip"}, {0}},
      {"names without a series", {"%1", "%2", "%3", "%4", "%5", "%6", "%7"}, {}, {}},
  };
  for (const GroupCase& c : cases) {
    const std::vector<AutoSortGroup> groups = AutoSortGroups(c.names);
    ASSERT_EQ(groups.size(), c.folders.size()) << c.what;
    for (size_t at = 0; at < groups.size(); ++at) {
      EXPECT_EQ(groups[at].folder, c.folders[at]) << c.what;
      EXPECT_EQ(groups[at].members.front(), c.firstMembers[at]) << c.what;
    }
  }
}

TEST(AutoSortGroups, GroupsEveryMemberOnceInListOrder) {
  const std::vector<std::string> names = Joined({Series("IMG_", 6), Series("DSC", 7), Series("IMG_", 2, 50)});
  const std::vector<AutoSortGroup> groups = AutoSortGroups(names);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].members, (std::vector<size_t>{0, 1, 2, 3, 4, 5, 13, 14}));
  EXPECT_EQ(groups[1].members, (std::vector<size_t>{6, 7, 8, 9, 10, 11, 12}));
}

}  // namespace
