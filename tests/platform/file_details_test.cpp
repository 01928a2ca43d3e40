// The file-system seam: new files, folder chains, subfolder lists, stamps and deny-write holds.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_system.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

using FileDetails = TempFolderTest;

TEST_F(FileDetails, ANewFileIsOnlyMadeWhereThereIsNone) {
  const std::string fresh = (folder_ / "fresh").string();
  EXPECT_TRUE(platform::CreateNewFile(fresh));
  EXPECT_EQ(fs::file_size(fresh), 0u);
  const std::string taken = Make("taken", "keep me");
  EXPECT_FALSE(platform::CreateNewFile(taken));
  EXPECT_EQ(fs::file_size(taken), 7u);
  EXPECT_FALSE(platform::CreateNewFile((folder_ / "missing" / "x").string()));
}

TEST_F(FileDetails, DirectoryChainsAreMadeLevelByLevel) {
  const fs::path deep = folder_ / "a" / "b" / "c";
  EXPECT_TRUE(platform::CreateDirectoryChain(deep.string()));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(platform::CreateDirectoryChain(deep.string() + std::string(1, platform::kPathSeparator)));
  EXPECT_TRUE(platform::CreateDirectoryChain(folder_.string()));
  Make("file", "x");
  EXPECT_FALSE(platform::CreateDirectoryChain((folder_ / "file" / "below").string()));
  EXPECT_FALSE(platform::CreateDirectoryChain(""));
  EXPECT_FALSE(platform::MakeFolder(deep.string()));
}

// A file where a folder of the chain should be stops the chain, names the file and leaves it as
// it was; nothing is made below it.
TEST_F(FileDetails, AFileInAFolderChainFailsWithAMessageNamingIt) {
  const std::string file = Make("file", "keep me");
  const std::string sep(1, platform::kPathSeparator);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {file, "Unable to create the folder \"" + file + "\":\n\"" + file + "\" is a file."},
      {file + sep + "below" + sep + "deeper",
       "Unable to create the folder \"" + file + sep + "below" + sep + "deeper\":\n\"" + file + "\" is a file."},
      {"", "Unable to create the folder \"\"."},
  };
  for (const auto& c : cases) {
    std::string failure;
    EXPECT_FALSE(platform::CreateDirectoryChain(c.path, &failure)) << c.path;
    EXPECT_EQ(failure, c.message);
  }
  EXPECT_EQ(platform::KindOfPath(file), platform::PathKind::kFile);
  EXPECT_EQ(fs::file_size(file), 7u);

  std::string untouched = "no failure";
  EXPECT_TRUE(platform::CreateDirectoryChain((folder_ / "x" / "y").string(), &untouched));
  EXPECT_EQ(untouched, "no failure");
}

// A path that does not say where it starts would be made below the current folder, or at the top
// of the current drive: refused, and nothing is made.
TEST_F(FileDetails, APathThatIsNotFullIsRefused) {
  const std::string relative = "vireldan-chain-relative";
  std::vector<std::string> paths = {relative, relative + std::string(1, platform::kPathSeparator) + "below"};
#if defined(_WIN32)
  paths.push_back("\\vireldan-chain-rooted");
  paths.push_back("/vireldan-chain-rooted");
  paths.push_back("C:vireldan-chain-relative");
#endif
  const auto removeAll = [&] {
    std::error_code ignored;
    for (const std::string& path : paths) fs::remove_all(path.substr(0, path.find_first_of("\\/", 1)), ignored);
  };
  removeAll();
  for (const std::string& path : paths) {
    std::string failure;
    EXPECT_FALSE(platform::CreateDirectoryChain(path, &failure)) << path;
    EXPECT_EQ(failure, "Unable to create the folder \"" + path + "\":\nit is not a full path.");
    EXPECT_EQ(platform::KindOfPath(path), platform::PathKind::kMissing) << path;
  }
  removeAll();
}

TEST_F(FileDetails, SubfoldersAreListedWithoutFilesOrDots) {
  fs::create_directories(folder_ / "one");
  fs::create_directories(folder_ / "two" / "inner");
  Make("file.jpg", "x");
  std::vector<std::string> names = platform::SubfolderNames(folder_.string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(platform::SubfolderNames((folder_ / "missing").string()).empty());
}

TEST_F(FileDetails, StampsTellSizeKindAndTimesWithoutWildcards) {
  const std::string file = Make("a.jpg", std::string(5000, 'x'));
  platform::FileStamp stamp;
  ASSERT_TRUE(platform::FindFileStamp(file, &stamp));
  EXPECT_EQ(stamp.size, 5000u);
  EXPECT_FALSE(stamp.directory);
  // 2001 and 2100 in 100-nanosecond units since 1601.
  EXPECT_GT(stamp.lastWrite, 126227808000000000ull);
  EXPECT_LT(stamp.lastWrite, 157766016000000000ull);
  ASSERT_TRUE(platform::FindFileStamp(folder_.string(), &stamp));
  EXPECT_TRUE(stamp.directory);
  EXPECT_FALSE(platform::FindFileStamp((folder_ / "*.jpg").string(), &stamp));
  EXPECT_FALSE(platform::FindFileStamp((folder_ / "missing").string(), &stamp));
}

TEST_F(FileDetails, AHoldIsTakenOnExistingFilesOnly) {
  platform::DenyWriteHold hold;
  EXPECT_EQ(hold.Take((folder_ / "missing").string()), platform::DenyWriteHold::Result::kFailed);
  EXPECT_FALSE(hold.IsHeld());
  const std::string file = Make("held", "x");
  EXPECT_EQ(hold.Take(file), platform::DenyWriteHold::Result::kHeld);
  EXPECT_TRUE(hold.IsHeld());
  std::ifstream reader(file);
  EXPECT_TRUE(reader.good()) << "readers are let in";
  hold.Release();
  EXPECT_FALSE(hold.IsHeld());
}

}  // namespace
