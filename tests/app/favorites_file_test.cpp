// "favorites.txt" read and written byte for byte, with the lines no folder can have.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "favorites_file.h"
#include "temp_folder.h"

namespace {

using Folders = std::vector<std::string>;

struct ReadCase {
  const char* name;
  std::string bytes;
  Folders folders;
};

const std::string kLongest(kFavoriteLineLimit, 'x');
const std::string kTooLong(kFavoriteLineLimit + 1, 'y');

const ReadCase kReadCases[] = {
    {"CrLfLines", "C:\\Photos\r\nD:\\Scans\r\n", {"C:\\Photos", "D:\\Scans"}},
    {"BareLineFeedsAndCarriageReturns", "C:\\A\nC:\\B\rC:\\C", {"C:\\A", "C:\\B", "C:\\C"}},
    {"EmptyLinesLeftOut", "\r\n\r\nC:\\A\r\n\r\n", {"C:\\A"}},
    {"BlanksKept", " C:\\With Blank \r\n", {" C:\\With Blank "}},
    {"TheLongestLineKept", kLongest + "\r\nC:\\B\r\n", {kLongest, "C:\\B"}},
    {"ALongerLineLeftOutWholeAndTheRestKept", "C:\\A\r\n" + kTooLong + "\r\nC:\\B\r\n", {"C:\\A", "C:\\B"}},
    {"ALongerLastLineWithoutItsEnd", "C:\\A\r\n" + kTooLong, {"C:\\A"}},
    {"Empty", "", {}},
};

class FavoritesFileRead : public TempFolderTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(FavoritesFileRead, TakesEachLineThatNamesAFolder) {
  EXPECT_EQ(ReadFavorites(Make("favorites.txt", GetParam().bytes)), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(Lines, FavoritesFileRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

class FavoritesFile : public TempFolderTest {
 protected:
  std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
};

TEST_F(FavoritesFile, WritesEveryFolderWithCrLfAndReplacesWhatWasThere) {
  const std::string path = Make("favorites.txt", "C:\\Old\r\nC:\\Older\r\nC:\\Oldest\r\n");
  ASSERT_TRUE(WriteFavorites(path, {"D:\\New", "C:\\Photos\\2004"}));
  EXPECT_EQ(Bytes(path), "D:\\New\r\nC:\\Photos\\2004\r\n");
  EXPECT_EQ(ReadFavorites(path), (Folders{"D:\\New", "C:\\Photos\\2004"}));
  ASSERT_TRUE(WriteFavorites(path, {}));
  EXPECT_EQ(Bytes(path), "");
}

TEST_F(FavoritesFile, AMissingFileGivesNoFoldersAndAnUnwritableOneIsReported) {
  EXPECT_TRUE(ReadFavorites((folder_ / "none.txt").string()).empty());
  EXPECT_FALSE(WriteFavorites((folder_ / "no folder" / "favorites.txt").string(), {"C:\\A"}));
}

}  // namespace
