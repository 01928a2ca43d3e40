#pragma once
// A fresh folder for each test, named after it and removed afterwards, for tests on real files.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("vireldan-" + std::string(test->test_suite_name()) + "-" + test->name());
    MakeWritable();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    MakeWritable();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // A file in the folder with the given bytes; its path.
  std::string Make(const std::string& name, const std::string& bytes) const {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::filesystem::path folder_;

 private:
  // Files copied from the read-only corpus stay read-only, which Windows will not delete.
  void MakeWritable() const {
    std::error_code ignored;
    for (auto entry = std::filesystem::recursive_directory_iterator(folder_, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored))
      std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ignored);
  }
};
