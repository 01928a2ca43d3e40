// The keyword index over real folders: keying, annotations, file operations, saving and the
// summaries of the folders above.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "key_test_support.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class KeyIndexFolders : public TempFolderTest {
 protected:
  std::string File(const fs::path& folder, const std::string& name) const { return (folder / name).string(); }
  CKeyIndex index_;
};

TEST_F(KeyIndexFolders, KeysAndAnnotationsAreSavedAndTheMasterTreeLearnsAFolderKeys) {
  index_.SetFileKey(KeyItem(index_, "People\\Anna"), File(folder_, "a.jpg"), true);
  index_.SetFileKey(KeyItem(index_, "Places"), File(folder_, "a.jpg"), true);
  index_.SetAnnotation(File(folder_, "b.jpg"), "at the lake");
  ASSERT_TRUE(index_.SaveFolder());

  const KeyIndexContents saved = ReadIndex(folder_);
  EXPECT_EQ(KeyPaths(saved.tree), (std::vector<std::string>{"People", "Places", "People\\Anna"}));
  EXPECT_EQ(Describe(saved.entries), (std::vector<std::string>{"a.jpg::People\\Anna|Places", "b.jpg:at the lake:"}));

  CKeyIndex fresh;
  std::string annotation;
  EXPECT_TRUE(fresh.GetAnnotation(File(folder_, "b.jpg"), &annotation));
  EXPECT_EQ(annotation, "at the lake");
  EXPECT_FALSE(fresh.GetAnnotation(File(folder_, "c.jpg"), &annotation));
  // The master tree learns each leaf's path in file order.
  EXPECT_EQ(KeyPaths(fresh.MasterTree()), (std::vector<std::string>{"Places", "People", "People\\Anna"}));
  EXPECT_TRUE(fresh.FileHasKey(KeyItem(fresh, "People"), File(folder_, "a.jpg"))) << "a key below counts";
  EXPECT_FALSE(fresh.FileHasKey(KeyItem(fresh, "People"), File(folder_, "b.jpg")));
  EXPECT_FALSE(fresh.FileHasKey(nullptr, File(folder_, "a.jpg")));
}

TEST_F(KeyIndexFolders, RemovingTheLastKeyAndAnnotationDeletesTheFile) {
  const CKeyIndex::TreeItem family = KeyItem(index_, "Family");
  index_.SetFileKey(KeyItem(index_, "Family\\Anna"), File(folder_, "a.jpg"), true);
  index_.SetAnnotation(File(folder_, "a.jpg"), "note");
  ASSERT_TRUE(index_.SaveFolder());
  ASSERT_TRUE(fs::exists(IndexPath(folder_)));

  index_.SetFileKey(family, File(folder_, "a.jpg"), false);  // takes the key below too
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), std::vector<std::string>{"a.jpg:note:"});
  EXPECT_TRUE(KeyPaths(ReadIndex(folder_).tree).empty()) << "keys no file uses are pruned";

  index_.SetAnnotation(File(folder_, "a.jpg"), "\r\n");
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_FALSE(fs::exists(IndexPath(folder_)));
  EXPECT_EQ(KeyPaths(index_.MasterTree()), (std::vector<std::string>{"Family", "Family\\Anna"}));
}

TEST_F(KeyIndexFolders, KeysAndFileNamesAreCaseSensitive) {
  index_.SetFileKey(KeyItem(index_, "Anna"), File(folder_, "a.jpg"), true);
  index_.SetFileKey(KeyItem(index_, "anna"), File(folder_, "A.jpg"), true);
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), (std::vector<std::string>{"a.jpg::Anna", "A.jpg::anna"}));
  EXPECT_FALSE(index_.FileHasKey(KeyItem(index_, "anna"), File(folder_, "a.jpg")));
}

TEST_F(KeyIndexFolders, AnnotationsKeep255CharactersWithoutTrailingLineEnds) {
  const struct {
    std::string given;
    std::string kept;
  } cases[] = {
      {std::string(300, 'x') + "\r\n", std::string(255, 'x')},
      {std::string(253, 'y') + "\r\n\r\n", std::string(253, 'y')},
      {"line\r\n", "line"},
      {"\r\n\n", ""},
  };
  for (const auto& annotation : cases) {
    index_.SetAnnotation(File(folder_, "a.jpg"), annotation.given);
    std::string read;
    ASSERT_TRUE(index_.GetAnnotation(File(folder_, "a.jpg"), &read));
    EXPECT_EQ(read, annotation.kept);
  }
}

TEST_F(KeyIndexFolders, FileOperationsCarryKeysAndAnnotationsAlong) {
  const fs::path other = folder_ / "other";
  fs::create_directories(other);
  index_.SetFileKey(KeyItem(index_, "K\\One"), File(folder_, "a.jpg"), true);
  index_.SetFileKey(KeyItem(index_, "K\\Two"), File(folder_, "a.jpg"), true);
  index_.SetAnnotation(File(folder_, "a.jpg"), "kept");
  index_.SetFileKey(KeyItem(index_, "L"), File(folder_, "b.jpg"), true);

  index_.CopyFileKeys(File(folder_, "a.jpg"), File(other, "copy.jpg"));
  index_.CopyFileKeys(File(folder_, "a.jpg"), File(folder_, "twin.jpg"));
  index_.MoveFileKeys(File(folder_, "b.jpg"), File(other, "b.jpg"));
  index_.RenameFile(folder_.string(), "twin.jpg", "renamed.jpg");
  ASSERT_TRUE(index_.SaveFolder());
  ASSERT_TRUE(index_.SaveSecondFolder());

  EXPECT_EQ(Describe(ReadIndex(folder_).entries),
            (std::vector<std::string>{"a.jpg:kept:K\\One|K\\Two", "renamed.jpg:kept:K\\Two|K\\One"}));
  EXPECT_EQ(Describe(ReadIndex(other).entries),
            (std::vector<std::string>{"copy.jpg:kept:K\\Two|K\\One", "b.jpg::L"}));
  EXPECT_EQ(KeyPaths(ReadIndex(other).tree), (std::vector<std::string>{"L", "K", "K\\One", "K\\Two"}));

  index_.RemoveFile(File(other, "b.jpg"));
  index_.RemoveFile(File(other, "copy.jpg"));
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_FALSE(fs::exists(IndexPath(other)));
}

TEST_F(KeyIndexFolders, TheSecondSlotsChangesReachAFolderOpenedAfterIt) {
  const fs::path other = folder_ / "other";
  fs::create_directories(other);
  index_.SetFileKey(KeyItem(index_, "K"), File(folder_, "a.jpg"), true);
  index_.CopyFileKeys(File(folder_, "a.jpg"), File(other, "a.jpg"));
  EXPECT_TRUE(index_.FileHasKey(KeyItem(index_, "K"), File(other, "a.jpg")));
  index_.Clear();
  EXPECT_EQ(Describe(ReadIndex(other).entries), std::vector<std::string>{"a.jpg::K"});
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), std::vector<std::string>{"a.jpg::K"});
}

TEST_F(KeyIndexFolders, SavingInvalidatesTheSummariesOfEveryFolderAbove) {
  const fs::path middle = folder_ / "middle", inner = middle / "inner";
  fs::create_directories(inner);
  KeyIndexContents summarised;
  CKeyNode* key = FindOrInsertPath(summarised.tree, "K");
  summarised.entries.push_back({"own.jpg", "", {{key}}});
  summarised.summary.push_back({"x\\below.jpg", "", {{key}}});
  const std::vector<uint8_t> withSummary = KeyIndexBytes(summarised, true);
  PutFileBytes(IndexPath(folder_), withSummary);
  PutFileBytes(IndexPath(middle), withSummary);
  std::vector<uint8_t> foreign = withSummary;
  foreign[4] = 99;  // another version: not ours to patch
  PutFileBytes(IndexPath(inner), foreign);

  index_.SetFileKey(KeyItem(index_, "K"), File(inner / "deeper", "a.jpg"), true);
  fs::create_directories(inner / "deeper");
  ASSERT_TRUE(index_.SaveFolder());

  EXPECT_EQ(FileBytes(IndexPath(inner)), foreign);
  for (const fs::path& above : {middle, folder_}) {
    const std::vector<uint8_t> bytes = FileBytes(IndexPath(above));
    IifHeader header;
    ASSERT_TRUE(DecodeIifHeader(bytes.data(), bytes.size(), &header));
    EXPECT_EQ(header.hasSummary, 0);
    EXPECT_EQ(header.summaryCount, 0);
    EXPECT_EQ(header.summary, 0);
    EXPECT_EQ(header.entries, 32 + 44);
    EXPECT_TRUE(std::equal(bytes.begin() + 32, bytes.end(), withSummary.begin() + 32)) << "only the header changes";
  }
}

TEST_F(KeyIndexFolders, AFileOfAnotherKindIsLeftAloneUntilItsKeysChange) {
  const std::vector<uint8_t> foreign = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'n', 'd', 'e', 'x'};
  PutFileBytes(IndexPath(folder_), foreign);
  std::string annotation;
  EXPECT_FALSE(index_.GetAnnotation(File(folder_, "a.jpg"), &annotation));
  index_.SetFileKey(KeyItem(index_, "K"), File(folder_, "a.jpg"), false);
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(FileBytes(IndexPath(folder_)), foreign);

  index_.SetFileKey(KeyItem(index_, "K"), File(folder_, "a.jpg"), true);
  ASSERT_TRUE(index_.SaveFolder());
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), std::vector<std::string>{"a.jpg::K"});
}

TEST_F(KeyIndexFolders, AFailedSaveKeepsTheChangesAndReportsIt) {
  fs::create_directories(IndexPath(folder_));  // a folder where the file should go: no write can succeed
  index_.SetAnnotation(File(folder_, "a.jpg"), "note");
  EXPECT_FALSE(index_.SaveFolder());
  EXPECT_TRUE(index_.WriteErrorOccurred());
  fs::remove(IndexPath(folder_));
  EXPECT_TRUE(index_.SaveFolder()) << "the slot kept its changes for the next save";
  EXPECT_EQ(Describe(ReadIndex(folder_).entries), std::vector<std::string>{"a.jpg:note:"});
}

TEST_F(KeyIndexFolders, TheStartupKeyFileHoldsTheMasterTree) {
  const std::string path = File(folder_, kStartupKeyFileName);
  KeyItem(index_, "B\\B1");
  KeyItem(index_, "A");
  ASSERT_TRUE(index_.SaveKeyTreeFile(path));
  const std::vector<uint8_t> bytes = FileBytes(path);
  ASSERT_EQ(bytes.size(), 32u + 3 * 44);
  const uint8_t header[32] = {0x54, 0xBC, 0x19, 0x15, 100, 0, 0, 0, 32};
  EXPECT_TRUE(std::equal(header, header + 32, bytes.begin()));

  CKeyIndex loaded;
  loaded.LoadKeyTreeFile(path);
  EXPECT_EQ(KeyPaths(loaded.MasterTree()), (std::vector<std::string>{"B", "A", "B\\B1"}));
  PutFileBytes(path, {1, 2, 3});
  loaded.LoadKeyTreeFile(path);
  EXPECT_TRUE(loaded.MasterTree().Empty());
  loaded.LoadKeyTreeFile(File(folder_, "missing.iif"));
  EXPECT_TRUE(loaded.MasterTree().Empty());

  CKeyIndex empty;
  ASSERT_TRUE(empty.SaveKeyTreeFile(path));
  std::vector<uint8_t> bare(header, header + 32);
  bare[8] = 0;  // no key tree
  EXPECT_EQ(FileBytes(path), bare);
}

TEST_F(KeyIndexFolders, KeyPathsFitTheirBuffer) {
  std::string deep = "k";
  for (int level = 0; level < 3000; ++level) deep += "\\k";
  EXPECT_EQ(index_.GetKeyPath(KeyItem(index_, "A\\B")), "A\\B");
  EXPECT_EQ(index_.GetKeyPath(KeyItem(index_, deep)).size(), CKeyIndex::kKeyPathSize - 1);
  EXPECT_EQ(index_.GetKeyPath(nullptr), "");
}

}  // namespace
