// The INI-file profile: defaults, numbers, and a save that never leaves a half-written file.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "ini_profile.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class IniProfileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = (folder_ / "Vireldan.ini").string();
  }
  std::string path_;
};

TEST_F(IniProfileTest, MissingFileAndValuesGiveTheDefaults) {
  IniProfile profile(path_);
  EXPECT_EQ(profile.GetInt("Main Options", "tipnum", 1), 1);
  EXPECT_EQ(profile.GetString("Main Options", "mainpath", "c:\\"), "c:\\");
  EXPECT_TRUE(profile.Flush());  // nothing written: nothing to save
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniProfileTest, WrittenValuesComeBackAfterASave) {
  {
    IniProfile profile(path_);
    profile.WriteInt("Frame Layout", "top", -4);
    profile.WriteInt("CreateIndex", "color", 0xFFFFFF);
    profile.WriteString("Capture", "prefix", " Capture ");
    profile.WriteString("Batch Print", "bp_string", "line one\r\nline two");
    ASSERT_TRUE(profile.Flush());
  }
  IniProfile profile(path_);
  EXPECT_EQ(profile.GetInt("Frame Layout", "top", 0), -4);
  EXPECT_EQ(profile.GetInt("CreateIndex", "color", 0), 0xFFFFFF);
  EXPECT_EQ(profile.GetString("Capture", "prefix", ""), " Capture ");
  EXPECT_EQ(profile.GetString("Batch Print", "bp_string", ""), "line one\r\nline two");
}

TEST_F(IniProfileTest, NumbersThatAreNotNumbersGiveTheDefault) {
  std::ofstream(path_) << "[S]\na=12abc\nb=abc\nc=99999999999\nd= -7\n";
  IniProfile profile(path_);
  EXPECT_EQ(profile.GetInt("S", "a", 5), 12);
  EXPECT_EQ(profile.GetInt("S", "b", 5), 5);
  EXPECT_EQ(profile.GetInt("S", "c", 5), 5);
  EXPECT_EQ(profile.GetInt("S", "d", 5), -7);
}

TEST_F(IniProfileTest, ASaveThatCannotReplaceTheFileFailsAndLeavesNothingBehind) {
  // A folder in the place of the file: the new text is written beside it but cannot be swapped in.
  fs::create_directories(fs::path(path_) / "occupied");
  IniProfile profile(path_);
  profile.WriteInt("S", "value", 2);
  EXPECT_FALSE(profile.Flush());
  EXPECT_TRUE(fs::is_directory(path_));
  size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) entries += entry.path() != fs::path(path_);
  EXPECT_EQ(entries, 0u);
}

}  // namespace
