// Transfers that only Windows can show: across two drives, onto a file another handle holds open,
// and folders named by their short names.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "file_inventory.h"
#include "file_transfer.h"
#include "scripted_transfer_host.h"
#include "temp_folder.h"
#include "transfer_paths.h"

namespace {

// The test's folder on drive C: (the prefix's own) and a second one on drive Z: (the root of the
// host's file system in a Wine prefix).
class TwoDrives : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    if (::GetFileAttributesA("Z:\\tmp") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no second drive Z:";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    other_ = std::string("Z:\\tmp\\transfer-") + test->name();
    std::filesystem::remove_all(other_);
    std::filesystem::create_directories(other_);
    ASSERT_EQ(std::toupper(static_cast<unsigned char>(Root()[0])), 'C');
  }
  void TearDown() override {
    std::error_code ignored;
    if (!other_.empty()) std::filesystem::remove_all(other_, ignored);
    TempFolderTest::TearDown();
  }
  std::string Root() const { return folder_.string(); }

  std::string other_;
};

TEST_F(TwoDrives, MovesAndCopiesAcrossDrivesKeepEveryFile) {
  struct Case {
    const char* name;
    bool move;
    FileLayout here, there;
    CollisionChoice answer;
    FileLayout hereAfter, thereAfter;
    std::set<std::string> replaced;
  };
  const Case cases[] = {
      {"move", true, {{"a.jpg", "A"}, {"b.jpg", "B"}}, {}, CollisionChoice::kSkip, {}, {{"a.jpg", "A"}, {"b.jpg", "B"}}},
      {"move replacing", true, {{"a.jpg", "A"}}, {{"a.jpg", "old"}}, CollisionChoice::kReplace, {}, {{"a.jpg", "A"}},
       {"old"}},
      {"move suffixing", true, {{"a.jpg", "A"}}, {{"a.jpg", "old"}}, CollisionChoice::kSuffix, {},
       {{"a.jpg", "old"}, {"a_1.jpg", "A"}}},
      {"copy replacing", false, {{"a.jpg", "A"}}, {{"a.jpg", "old"}}, CollisionChoice::kReplace, {{"a.jpg", "A"}},
       {{"a.jpg", "A"}}, {"old"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_);
    std::filesystem::remove_all(other_);
    WriteLayout(Root(), c.here);
    WriteLayout(other_, c.there);
    const std::vector<FileLayout> before = {ReadLayout(Root()), ReadLayout(other_)};
    ScriptedTransferHost host;
    host.collisionAnswers.push_back(c.answer);
    std::vector<std::string> sources;
    for (const auto& entry : c.here) sources.push_back(PathBelow(Root(), entry.first));
    FileTransfer transfer(host);
    if (c.move)
      transfer.MoveFiles(sources, other_, nullptr);
    else
      transfer.CopyFiles(sources, other_, nullptr);
    EXPECT_EQ(ReadLayout(Root()), c.hereAfter);
    EXPECT_EQ(ReadLayout(other_), c.thereAfter);
    EXPECT_TRUE(host.questions.empty());
    ExpectInventoryKept(before, {ReadLayout(Root()), ReadLayout(other_)},
                        c.move ? TransferKind::kMove : TransferKind::kCopy, c.replaced);
  }
}

using HeldFiles = TempFolderTest;

// A file another program holds open without sharing can be neither replaced nor moved away: the
// user is asked whether to go on, and both files stay as they were.
TEST_F(HeldFiles, AHeldFileStaysAsItWas) {
  struct Case {
    const char* name;
    bool move;
    const char* held;
    CollisionChoice answer;
    const char* question;
  };
  const Case cases[] = {
      {"move onto a held target", true, "dst\\a.jpg", CollisionChoice::kReplace,
       "Error moving file\na.jpg\nContinue attempting move?"},
      {"copy onto a held target", false, "dst\\a.jpg", CollisionChoice::kReplace,
       "Error copying file\na.jpg\nContinue attempting copy?"},
      {"move of a held source", true, "src\\a.jpg", CollisionChoice::kReplace,
       "Error moving file\na.jpg\nContinue attempting move?"},
  };
  const std::string root = folder_.string();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_);
    WriteLayout(root, {{"src/a.jpg", "A"}, {"dst/a.jpg", "old"}});
    const FileLayout before = ReadLayout(root);
    const HANDLE hold = ::CreateFileA((root + "\\" + c.held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    ScriptedTransferHost host;
    host.collisionAnswers.push_back(c.answer);
    host.yesNoAnswers.push_back(true);
    FileTransfer transfer(host);
    if (c.move)
      transfer.MoveFiles({root + "\\src\\a.jpg"}, root + "\\dst", nullptr);
    else
      transfer.CopyFiles({root + "\\src\\a.jpg"}, root + "\\dst", nullptr);
    ::CloseHandle(hold);
    EXPECT_EQ(ReadLayout(root), before);
    EXPECT_EQ(host.questions, std::vector<std::string>{c.question});
    EXPECT_TRUE(host.moved.empty() && host.copied.empty());
  }
}

TEST_F(HeldFiles, ShortAndLongNamesOfOneFolderAreOneFolder) {
  const std::string root = folder_.string();
  WriteLayout(root, {{"A long folder name/a.jpg", "A"}});
  const std::string longFolder = root + "\\A long folder name";
  char shortFolder[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameA(longFolder.c_str(), shortFolder, MAX_PATH), 0u);
  ASSERT_STRNE(shortFolder, longFolder.c_str());
  EXPECT_TRUE(IsSameFolder(shortFolder, longFolder + "\\"));
  EXPECT_TRUE(IsSameOrInside(shortFolder, longFolder + "\\sub"));
  // Moving a file onto itself under its other name leaves it alone.
  ScriptedTransferHost host;
  FileTransfer transfer(host);
  transfer.MoveFiles({std::string(shortFolder) + "\\a.jpg"}, longFolder, nullptr);
  EXPECT_EQ(ReadLayout(root), (FileLayout{{"A long folder name/", ""}, {"A long folder name/a.jpg", "A"}}));
  EXPECT_TRUE(host.collisionsAsked.empty() && host.questions.empty() && host.moved.empty());
}

}  // namespace
