// Purging the cache files of a folder's subfolders.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "tnc_format.h"
#include "tnc_purge.h"
#include "tnc_test_support.h"

namespace {

namespace fs = std::filesystem;

class TncPurge : public TempFolderTest {
 protected:
  std::string Cache(const fs::path& folder) const { return (folder_ / folder / kTncFileName).string(); }
  void MakeCache(const fs::path& folder, int16_t locked = 0) const {
    fs::create_directories(folder_ / folder);
    PutFileBytes(Cache(folder), TncFileBytes({}, kTncVersion, locked));
  }
  bool Exists(const fs::path& folder) const { return fs::exists(Cache(folder)); }
  void Purge(bool answer) {
    PurgeSubfolderCaches(folder_.string(), options_, [&] {
      ++asked_;
      return answer;
    });
  }

  TncOptions options_;
  int asked_ = 0;
};

TEST_F(TncPurge, AFolderWithoutSubfoldersAsksNothing) {
  MakeCache("");
  Purge(true);
  EXPECT_EQ(asked_, 0);
  EXPECT_TRUE(Exists(""));
}

TEST_F(TncPurge, AnsweringNoKeepsEverything) {
  MakeCache("");
  MakeCache("a");
  Purge(false);
  EXPECT_EQ(asked_, 1);
  EXPECT_TRUE(Exists("a"));
}

TEST_F(TncPurge, YesPurgesEverySubfolderAllTheWayDownButNotTheFolderItself) {
  MakeCache("");
  MakeCache("a");
  MakeCache("a/b/c");
  MakeCache("d");
  fs::create_directories(folder_ / "empty");
  MakeCache("locked", 1);
  Purge(true);
  EXPECT_EQ(asked_, 1);
  EXPECT_TRUE(Exists(""));
  EXPECT_FALSE(Exists("a"));
  EXPECT_FALSE(Exists("a/b/c"));
  EXPECT_FALSE(Exists("d"));
  EXPECT_TRUE(Exists("locked"));
}

TEST_F(TncPurge, NothingIsPurgedWhileTheCacheIsReadOnly) {
  MakeCache("a");
  options_.cacheMode = kTncReadOnly;
  Purge(true);
  EXPECT_TRUE(Exists("a"));
}

}  // namespace
