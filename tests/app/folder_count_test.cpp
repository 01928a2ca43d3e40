// Counting a folder tree on real folders: subfolders, files and bytes at every depth, files of
// 4 GB and more counted in full, and a count the user stops.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "folder_count.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FolderCount : public TempFolderTest {};

TEST_F(FolderCount, CountsEveryDepth) {
  fs::create_directories(folder_ / "a" / "b" / "c");
  fs::create_directories(folder_ / "d");
  Make("one.jpg", std::string(1000, 'x'));
  Make("a/two.jpg", std::string(24, 'x'));
  Make("a/b/c/three.jpg", "");
  FolderCounts counts;
  EXPECT_TRUE(CountFolderTree(folder_.string(), counts, [] { return false; }));
  EXPECT_EQ(counts.folders, 4);
  EXPECT_EQ(counts.files, 3);
  EXPECT_EQ(counts.bytes, 1024u);
}

TEST_F(FolderCount, FilesOfFourGigabytesCountInFull) {
  const uint64_t big = 5000000000ULL;
  // A sparse file: its length is set, nothing is written.
  fs::resize_file(Make("big.bin", ""), big);
  Make("small.bin", "12345");
  FolderCounts counts;
  EXPECT_TRUE(CountFolderTree(folder_.string(), counts, [] { return false; }));
  EXPECT_EQ(counts.files, 2);
  EXPECT_EQ(counts.bytes, big + 5);
}

TEST_F(FolderCount, StopsWhenCancelled) {
  fs::create_directories(folder_ / "a" / "b");
  for (int i = 0; i < 10; ++i) Make("a/b/" + std::to_string(i), "x");
  FolderCounts counts;
  int asked = 0;
  EXPECT_FALSE(CountFolderTree(folder_.string(), counts, [&] { return ++asked > 3; }));
  EXPECT_EQ(asked, 4);  // nothing is looked at after the answer
  EXPECT_LE(counts.files + counts.folders, 3);
}

TEST_F(FolderCount, MissingFolderCountsNothing) {
  FolderCounts counts;
  EXPECT_TRUE(CountFolderTree((folder_ / "missing").string(), counts, [] { return false; }));
  EXPECT_EQ(counts.files + counts.folders, 0);
}

}  // namespace
