// A save of a folder's index cut short by a crash at each of its writes in turn: a second process
// of this program saves and is killed before one write after another. The folder's index is the
// old one, whole and readable, until the new one is complete and takes its place.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "key_test_support.h"
#include "killed_child.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr char kChildCase[] = "KeySaveInterruptionChild.SavesUntilKilled";
int stopAtStep = -1;
int steps = 0;

// Enough annotated files that the index takes several blocks to write.
void AnnotateAndSave(const std::string& folder) {
  CKeyIndex index;
  for (int i = 0; i < 60; ++i)
    index.SetAnnotation((fs::path(folder) / (std::to_string(i) + ".jpg")).string(), std::string(200, char('a' + i % 26)));
  index.SaveFolder();
}

// The process that is killed, given the step to stop before and the folder as "step|folder".
TEST(KeySaveInterruptionChild, SavesUntilKilled) {
  const std::string job = ChildJob();
  if (job.empty()) GTEST_SKIP() << "run as a child process by KeySaveInterruption";
  const size_t bar = job.find('|');
  ASSERT_NE(bar, std::string::npos);
  stopAtStep = std::atoi(job.substr(0, bar).c_str());
  key_index_testing::beforeWriteStep = [](int step) {
    if (step == stopAtStep) StopAtSeam();
  };
  AnnotateAndSave(job.substr(bar + 1));
  key_index_testing::beforeWriteStep = nullptr;
}

class KeySaveInterruption : public TempFolderTest {};

TEST_F(KeySaveInterruption, AKillAtEveryStepLeavesTheOldIndexOrTheNewOneWhole) {
  const std::string folder = folder_.string();
  {
    CKeyIndex index;
    index.SetFileKey(KeyItem(index, "Old\\Key"), (folder_ / "old.jpg").string(), true);
    ASSERT_TRUE(index.SaveFolder());
  }
  const std::vector<uint8_t> original = FileBytes(IndexPath(folder_));

  key_index_testing::beforeWriteStep = [](int) { ++steps; };
  AnnotateAndSave(folder);
  key_index_testing::beforeWriteStep = nullptr;
  ASSERT_GT(steps, 4);
  const std::vector<uint8_t> saved = FileBytes(IndexPath(folder_));
  ASSERT_GT(saved.size(), 3 * 4096u);

  for (int step = 0; step <= steps; ++step) {
    SCOPED_TRACE(step);
    PutFileBytes(IndexPath(folder_), original);
    const ChildEnd end = RunChildUntilSeam(kChildCase, std::to_string(step) + "|" + folder);
    if (step < steps) {
      ASSERT_TRUE(end.killed) << "the save had " << steps << " steps";
    } else {
      ASSERT_FALSE(end.killed);
      ASSERT_EQ(end.exitCode, 0);
    }
    EXPECT_TRUE(FileBytes(IndexPath(folder_)) == (step < steps ? original : saved));
    CKeyIndex reader;
    EXPECT_TRUE(reader.FileHasKey(KeyItem(reader, "Old"), (folder_ / "old.jpg").string()));
    std::string annotation;
    EXPECT_EQ(reader.GetAnnotation((folder_ / "0.jpg").string(), &annotation), step == steps);
  }
}

}  // namespace
