// File tests and comparisons, on real files in a temporary folder.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "file_tests.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

using FileTests = TempFolderTest;

TEST_F(FileTests, FoldersFilesRootsAndWildcards) {
  const std::string file = Make("a.jpg", "x");
  const std::string folder = folder_.string();
  EXPECT_TRUE(IsPlainFile(file));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_TRUE(IsDirectory(folder));
  EXPECT_FALSE(IsPlainFile(folder));
  EXPECT_TRUE(IsDirectory(folder + std::string(1, fs::path::preferred_separator)));
  EXPECT_FALSE(IsPlainFile(file + std::string(1, fs::path::preferred_separator)));
  EXPECT_FALSE(IsPlainFile((folder_ / "*.jpg").string()));
  EXPECT_FALSE(IsDirectory((folder_ / "?").string()));
  EXPECT_FALSE(IsPlainFile((folder_ / "missing").string()));
  EXPECT_FALSE(IsDirectory(""));
#ifdef _WIN32
  EXPECT_TRUE(IsDirectory("C:\\"));
  EXPECT_TRUE(IsDirectory("C:"));
#else
  EXPECT_TRUE(IsDirectory("/"));
#endif
}

TEST_F(FileTests, LengthsAndComparisonsAtBlockBoundaries) {
  const std::string block(65536, 'b');
  const std::string a = Make("a", block), same = Make("same", block), longer = Make("longer", block + "!");
  const std::string lastDiffers = Make("last", block.substr(0, 65535) + "c");
  const std::string twoBlocks = Make("two", block + block), twoBlocksToo = Make("two2", block + block);
  EXPECT_EQ(GetFileLength(a), 65536);
  EXPECT_EQ(GetFileLength(longer), 65537);
  EXPECT_EQ(GetFileLength((folder_ / "missing").string()), 0);
  EXPECT_EQ(CompareFiles(a, a), 1);
  EXPECT_EQ(CompareFiles(a, same), 1);
  EXPECT_EQ(CompareFiles(a, longer), 0);
  EXPECT_EQ(CompareFiles(longer, a), 0);
  EXPECT_EQ(CompareFiles(a, lastDiffers), 0);
  EXPECT_EQ(CompareFiles(twoBlocks, twoBlocksToo), 1);
  EXPECT_EQ(CompareFiles(a, (folder_ / "missing").string()), 0);
  const std::string empty1 = Make("e1", ""), empty2 = Make("e2", "");
  EXPECT_EQ(CompareFiles(empty1, empty2), 1);
}

}  // namespace
