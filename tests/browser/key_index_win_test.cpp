// What the keyword index does with Windows' own things: shortcuts, read-only and hidden index
// files, and drive roots.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "key_test_support.h"
#include "shell_shortcuts.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class KeyIndexWindows : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ::CoInitialize(nullptr);
  }
  void TearDown() override {
    g_settings.hiddenFiles.iif = 0;
    ::SetFileAttributesA(IndexPath(folder_).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::CoUninitialize();
    TempFolderTest::TearDown();
  }
  DWORD Attributes() const { return ::GetFileAttributesA(IndexPath(folder_).c_str()); }
  std::string File(const std::string& name) const { return (folder_ / name).string(); }
  CKeyIndex index_;
};

TEST_F(KeyIndexWindows, AKeyOnAShortcutLandsOnItsTargetUnderItsLongName) {
  const fs::path targets = folder_ / "long folder name";
  fs::create_directories(targets);
  const std::string target = Make("long folder name/target picture.jpg", "jpeg");
  ASSERT_TRUE(SUCCEEDED(CreateShortcut(fs::path(target).make_preferred().string(), File("picture.lnk"), "")));
  index_.SetFileKey(KeyItem(index_, "K"), File("picture.lnk"), true);
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(Describe(ReadIndex(targets).entries), std::vector<std::string>{"target picture.jpg::K"});
  EXPECT_FALSE(fs::exists(IndexPath(folder_)));
  EXPECT_TRUE(index_.FileHasKey(KeyItem(index_, "K"), File("picture.lnk"))) << "the shortcut has its target's keys";
}

TEST_F(KeyIndexWindows, AReadOnlyIndexIsNeitherReplacedNorDeletedAndTheChangesWait) {
  index_.SetAnnotation(File("a.jpg"), "first");
  ASSERT_TRUE(index_.SaveFolder());
  const std::vector<uint8_t> before = FileBytes(IndexPath(folder_));
  ASSERT_TRUE(::SetFileAttributesA(IndexPath(folder_).c_str(), FILE_ATTRIBUTE_READONLY));

  for (const char* change : {"second", ""}) {  // a rewrite, then a deletion of the emptied index
    SCOPED_TRACE(change);
    index_.SetAnnotation(File("a.jpg"), change);
    EXPECT_FALSE(index_.SaveFolder());
    EXPECT_TRUE(index_.WriteErrorOccurred());
    EXPECT_EQ(FileBytes(IndexPath(folder_)), before);
    index_.ClearWriteError();
  }
  EXPECT_STREQ(kKeyIndexWriteErrorMessage,
               "An error occurred writing to an index file - vireldan.iif\nBe sure they are not marked Read Only");

  ::SetFileAttributesA(IndexPath(folder_).c_str(), FILE_ATTRIBUTE_NORMAL);
  index_.SetAnnotation(File("b.jpg"), "kept");
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), std::vector<std::string>{"b.jpg:kept:"});
}

TEST_F(KeyIndexWindows, TheIndexIsHiddenWhenTheSettingSaysSoAndAHiddenIndexIsRewritten) {
  g_settings.hiddenFiles.iif = 1;
  index_.SetAnnotation(File("a.jpg"), "one");
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_TRUE(Attributes() & FILE_ATTRIBUTE_HIDDEN);
  index_.SetAnnotation(File("a.jpg"), "two");
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_TRUE(Attributes() & FILE_ATTRIBUTE_HIDDEN);
  g_settings.hiddenFiles.iif = 0;
  std::string annotation;
  ASSERT_TRUE(index_.GetAnnotation(File("a.jpg"), &annotation));
  EXPECT_EQ(annotation, "two");
  EXPECT_FALSE(Attributes() & FILE_ATTRIBUTE_HIDDEN) << "reading follows the setting too";
}

TEST_F(KeyIndexWindows, SummariesAreInvalidatedUpToTheDriveRoot) {
  const std::string drive = folder_.string().substr(0, 2);  // "C:"
  const std::string rootIndex = drive + "\\" + kKeyIndexFileName;
  if (fs::exists(rootIndex)) GTEST_SKIP() << "the drive root has an index of its own";
  KeyIndexContents summarised;
  CKeyNode* key = FindOrInsertPath(summarised.tree, "K");
  summarised.summary.push_back({"x\\below.jpg", "", {{key}}});
  PutFileBytes(rootIndex, KeyIndexBytes(summarised, true));
  PutFileBytes(IndexPath(folder_), KeyIndexBytes(summarised, true));

  fs::create_directories(folder_ / "sub");
  index_.SetAnnotation((folder_ / "sub" / "a.jpg").string(), "note");
  ASSERT_TRUE(index_.SaveFolder());
  for (const std::string& path : {rootIndex, IndexPath(folder_)}) {
    SCOPED_TRACE(path);
    const std::vector<uint8_t> bytes = FileBytes(path);
    IifHeader header;
    ASSERT_TRUE(DecodeIifHeader(bytes.data(), bytes.size(), &header));
    EXPECT_EQ(header.hasSummary, 0);
    EXPECT_EQ(header.summary, 0);
  }
  fs::remove(rootIndex);
}

}  // namespace
