// Searching folder trees for keys, and the summaries that let a search stop early.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "key_test_support.h"
#include "name_node.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Stops the walk at the n-th question (never when n is 0).
class CancelAt : public KeyWalkObserver {
 public:
  explicit CancelAt(int n = 0) : left_(n) {}
  bool CancelRequested() override { return left_ > 0 && --left_ == 0; }
  void CompileReached(int position, const std::string& folder) override { reached.emplace_back(position, folder); }
  void SearchReached(const std::string& folder) override { searched.push_back(folder); }
  std::vector<std::pair<int, std::string>> reached;
  std::vector<std::string> searched;

 private:
  int left_;
};

class KeySearch : public TempFolderTest {
 protected:
  // Keys file name in folder with key, through an index of its own.
  void Key(const fs::path& folder, const std::string& name, const std::string& key) {
    fs::create_directories(folder);
    CKeyIndex writer;
    writer.SetFileKey(KeyItem(writer, key), (folder / name).string(), true);
    ASSERT_TRUE(writer.SaveFolder());
  }
  // The hits of the last search in list order, as paths below the test folder.
  std::vector<std::string> Hits() const {
    std::vector<std::string> paths;
    const std::string base = folder_.generic_string();
    for (const CNameNode* hit = index_.Results(); hit; hit = hit->next)
      paths.push_back((fs::path(hit->secondName) / hit->name).generic_string().substr(base.size() + 1));
    return paths;
  }
  std::vector<std::string> Search(const std::string& key) {
    index_.FreeResults();
    CancelAt never;
    index_.SearchKey(folder_.string(), KeyItem(index_, key), never);
    return Hits();
  }
  void Compile(KeyWalkObserver&& observer = CancelAt()) { index_.Compile(folder_.string(), observer); }

  CKeyIndex index_;
};

TEST_F(KeySearch, AParentKeyFindsFilesOfEveryKeyBelowItNewestFirst) {
  Key(folder_, "1.jpg", "People\\Anna");
  Key(folder_, "2.jpg", "People");
  Key(folder_, "3.jpg", "Places");
  Key(folder_ / "sub", "4.jpg", "People\\Anna\\Young");
  EXPECT_EQ(Search("People"), (std::vector<std::string>{"sub/4.jpg", "2.jpg", "1.jpg"}));
  EXPECT_EQ(Search("People\\Anna\\Young"), std::vector<std::string>{"sub/4.jpg"});
  EXPECT_TRUE(Search("people").empty()) << "keys are case-sensitive";
}

TEST_F(KeySearch, AScanWithoutKeyTeachesTheMasterTreeEveryFoldersKeys) {
  Key(folder_ / "a", "1.jpg", "X\\Y");
  Key(folder_ / "a" / "b", "2.jpg", "Z");
  CancelAt never;
  index_.SearchKey(folder_.string(), nullptr, never);
  EXPECT_EQ(index_.Results(), nullptr);
  EXPECT_NE(FindByPath(index_.MasterTree(), "X\\Y"), nullptr);
  EXPECT_NE(FindByPath(index_.MasterTree(), "Z"), nullptr);
}

TEST_F(KeySearch, ACompiledFolderIsSearchedThroughItsSummaryAlone) {
  Key(folder_, "top.jpg", "K");
  Key(folder_ / "a", "1.jpg", "K\\L");
  Key(folder_ / "a" / "b", "2.jpg", "K");
  Key(folder_ / "c", "3.jpg", "M");
  CancelAt observer;
  index_.Compile(folder_.string(), observer);
  EXPECT_EQ(Describe(ReadIndex(folder_).summary).size(), 3u);
  EXPECT_EQ(Describe(ReadIndex(folder_ / "a").summary), std::vector<std::string>{"b\\2.jpg::K"});
  EXPECT_TRUE(ReadIndex(folder_ / "a" / "b").summary.empty());
  EXPECT_EQ(observer.reached.back().first, 4) << "every folder's entries counted";

  // The sub-folders' own files no longer say so, but the summary is what the search reads.
  const std::vector<uint8_t> stale = FileBytes(IndexPath(folder_ / "a"));
  fs::remove(IndexPath(folder_ / "a" / "b"));
  fs::remove(IndexPath(folder_ / "a"));
  fs::remove(IndexPath(folder_ / "c"));
  std::vector<std::string> hits = Search("K");
  std::sort(hits.begin(), hits.end());
  EXPECT_EQ(hits, (std::vector<std::string>{"a/1.jpg", "a/b/2.jpg", "top.jpg"}));
  PutFileBytes(IndexPath(folder_ / "a"), stale);
  EXPECT_EQ(Search("M"), std::vector<std::string>{"c/3.jpg"});
  CancelAt searching;
  index_.SearchKey(folder_.string(), KeyItem(index_, "K"), searching);
  EXPECT_EQ(searching.searched, std::vector<std::string>{folder_.string()}) << "no folder below was opened";
}

TEST_F(KeySearch, ASubTreeOf20000EntriesGetsNoSummaryAndPassesNothingUp) {
  KeyIndexContents big;
  CKeyNode* key = FindOrInsertPath(big.tree, "K");
  for (int i = 0; i < 20000; ++i) big.entries.push_back({std::to_string(i) + ".jpg", "", {{key}}});
  fs::create_directories(folder_ / "mid" / "big");
  PutFileBytes(IndexPath(folder_ / "mid" / "big"), KeyIndexBytes(big, false));
  big.entries.resize(19998);
  fs::create_directories(folder_ / "edge" / "full");
  PutFileBytes(IndexPath(folder_ / "edge" / "full"), KeyIndexBytes(big, false));
  Key(folder_ / "small", "s.jpg", "K");

  Compile();
  EXPECT_TRUE(ReadIndex(folder_ / "mid").summary.empty());
  KeyIndexContents top = ReadIndex(folder_);
  EXPECT_EQ(top.summary.size(), 19999u) << "up to 19999 entries make a summary";
  EXPECT_TRUE(FindEntry(top.summary, "small\\s.jpg"));
  EXPECT_TRUE(FindEntry(top.summary, "edge\\full\\0.jpg"));
  EXPECT_FALSE(FindEntry(top.summary, "mid\\big\\0.jpg"));
}

TEST_F(KeySearch, ACancelledCompileWritesNoSummary) {
  Key(folder_ / "a", "1.jpg", "K");
  Key(folder_ / "a" / "b", "2.jpg", "K");
  Compile(CancelAt(3));
  EXPECT_TRUE(ReadIndex(folder_).summary.empty());
  EXPECT_TRUE(ReadIndex(folder_ / "a").summary.empty());
}

TEST_F(KeySearch, WalksSkipLinkedFoldersAndFoldersBeyondThePathLimit) {
  Key(folder_ / "elsewhere", "1.jpg", "K");
  fs::create_directories(folder_ / "tree");
  // Where the system cannot make links (Wine), the walk is checked on the deep folder alone.
  std::error_code noLinks;
  fs::create_directory_symlink(folder_ / "elsewhere", folder_ / "tree" / "link", noLinks);
  fs::create_directory_symlink(folder_ / "tree", folder_ / "tree" / "loop", noLinks);
  // 247 characters: a folder Windows can make and remove, whose index path reaches the limit.
  const fs::path deep = folder_ / "tree" / std::string(246 - (folder_ / "tree").string().size(), 'd');
  std::error_code tooLong;
  fs::create_directories(deep, tooLong);  // the index there is too long a path for the program to write
  if (tooLong) GTEST_SKIP() << "the system makes no folders this deep";
  KeyIndexContents keyed;
  keyed.entries.push_back({"2.jpg", "", {{FindOrInsertPath(keyed.tree, "K")}}});
  PutFileBytes(IndexPath(deep), KeyIndexBytes(keyed, false));
  index_.FreeResults();
  CancelAt never;
  index_.SearchKey((folder_ / "tree").string(), KeyItem(index_, "K"), never);
  EXPECT_EQ(index_.Results(), nullptr);
}

TEST_F(KeySearch, KeysRenameAndVanishInEveryFolderBelow) {
  Key(folder_, "1.jpg", "K\\Old");
  Key(folder_ / "a", "2.jpg", "K\\Old\\Deep");
  Key(folder_ / "a", "3.jpg", "K\\Other");
  CancelAt never;
  index_.RenameKeyInFolders(folder_.string(), KeyItem(index_, "K\\Old"), "New", never);
  EXPECT_EQ(Describe(ReadIndex(folder_ / "a").entries),
            (std::vector<std::string>{"2.jpg::K\\New\\Deep", "3.jpg::K\\Other"}));
  EXPECT_NE(FindByPath(index_.MasterTree(), "K\\New"), nullptr);

  index_.DeleteKey(KeyItem(index_, "K\\New"), folder_.string(), never);
  EXPECT_FALSE(fs::exists(IndexPath(folder_)));
  EXPECT_EQ(Describe(ReadIndex(folder_ / "a").entries), std::vector<std::string>{"3.jpg::K\\Other"});
  EXPECT_EQ(FindByPath(index_.MasterTree(), "K\\New"), nullptr);
}

}  // namespace
