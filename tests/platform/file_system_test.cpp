// The file-system seam: temporary names beside a file, and replacing a file in one step.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "file_system.h"

namespace {

namespace fs = std::filesystem;

class FileSystemSeam : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vireldan-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
};

TEST_F(FileSystemSeam, TemporaryNamesAreFreshAndInTheSameFolder) {
  const std::string target = Write("picture.jpg", "old");
  const std::string first = platform::TemporaryNameBeside(target);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(fs::path(first).parent_path(), fs::path(target).parent_path());
  EXPECT_FALSE(fs::exists(first));
  Write(fs::path(first).filename().string(), "taken");
  const std::string second = platform::TemporaryNameBeside(target);
  EXPECT_NE(second, first);
  EXPECT_LT(second.size(), platform::kMaxPath);
}

TEST_F(FileSystemSeam, NoTemporaryNameWhenTheFolderAloneFillsAPath) {
  const std::string deep = std::string(250, 'd') + "/picture.jpg";
  EXPECT_EQ(platform::TemporaryNameBeside(deep), "");
}

TEST_F(FileSystemSeam, ReplacingSwapsInTheNewFileOrLeavesBothAlone) {
  const std::string target = Write("picture.jpg", "old");
  const std::string fresh = Write("fresh.tmp", "new");
  ASSERT_TRUE(platform::ReplaceFileWith(fresh, target));
  EXPECT_EQ(Read(target), "new");
  EXPECT_FALSE(platform::FileExists(fresh));

  const std::string missing = (folder_ / "missing.tmp").string();
  EXPECT_FALSE(platform::ReplaceFileWith(missing, target));
  EXPECT_EQ(Read(target), "new");
  EXPECT_TRUE(platform::RemoveFile(target));
  EXPECT_FALSE(platform::FileExists(target));
  EXPECT_FALSE(platform::RemoveFile(target));
}

}  // namespace
