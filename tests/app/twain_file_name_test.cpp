// The numbered names scanned pictures are saved under.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "twain_file_name.h"

namespace {

struct NameCase {
  const char* name;
  std::set<std::string> taken;
  std::string prefix;
  int index;
  int format;
  std::string expected;
  int indexAfter;
};

const NameCase kCases[] = {
    {"FreeAtOnce", {}, "TWAIN", 1, 0, "TWAIN1.JPG", 2},
    {"PastTheTakenNumbers", {"TWAIN1.JPG", "TWAIN2.JPG"}, "TWAIN", 1, 0, "TWAIN3.JPG", 4},
    {"OnlyTheSameExtensionIsInTheWay", {"TWAIN1.GIF"}, "TWAIN", 1, 0, "TWAIN1.JPG", 2},
    {"Gif", {}, "scan", 7, 1, "scan7.GIF", 8},
    {"Png", {}, "scan", 0, 2, "scan0.PNG", 1},
    {"Bmp", {"scan5.BMP"}, "scan", 5, 3, "scan6.BMP", 7},
    {"AnyOtherFormatIsBmp", {}, "scan", 1, 9, "scan1.BMP", 2},
    {"NoPrefix", {"1.JPG"}, "", 1, 0, "2.JPG", 3},
    {"ANegativeIndexStartsAtNought", {}, "TWAIN", -5, 0, "TWAIN0.JPG", 1},
    {"TheLastNumberStaysTheNextIndex", {}, "TWAIN", kTwainIndexMaximum, 0, "TWAIN99999999.JPG", kTwainIndexMaximum},
    {"NoNumberLeft", {"TWAIN99999998.JPG", "TWAIN99999999.JPG"}, "TWAIN", 99999998, 0, "", 99999998},
    {"AStoredIndexPastTheLastNumber", {}, "TWAIN", INT_MAX, 0, "", INT_MAX},
};

class TwainFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(TwainFileName, TakesTheFirstFreeNumberAndCountsOnePast) {
  const NameCase& c = GetParam();
  int index = c.index;
  EXPECT_EQ(NextTwainFileName(c.prefix, index, c.format, [&](const std::string& name) { return c.taken.count(name) > 0; }),
            c.expected);
  EXPECT_EQ(index, c.indexAfter);
}

INSTANTIATE_TEST_SUITE_P(Names, TwainFileName, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
