// Transfers cut short by a crash between one file and the next: a second process copies a folder
// tree (or moves dropped files) and is killed at each of the transfer's checks for Cancel in
// turn. Whatever moment it ends, every original is there with its bytes, whatever arrived is
// whole, and no temporary file is left behind.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_inventory.h"
#include "file_transfer.h"
#include "killed_child.h"
#include "scripted_transfer_host.h"
#include "temp_folder.h"

namespace {

constexpr char kChildCase[] = "TransferInterruptionChild.TransfersUntilKilled";

const FileLayout kStart = {{"src/a.jpg", "A"},           {"src/b.jpg", "B"},
                           {"src/inner/c.jpg", "C"},     {"src/inner/deep/d.jpg", "D"},
                           {"src/inner/deep/e.jpg", "E"}, {"src/empty/", ""},
                           {"src/f.jpg", std::string(300000, 'F')}, {"dst/", ""}};

// Counts the transfer's checks for Cancel, and stops the process at the chosen one.
class StoppingHost : public ScriptedTransferHost {
 public:
  explicit StoppingHost(int stopAt) : stopAt_(stopAt) {}
  bool CancelRequested() override {
    if (checks++ == stopAt_) StopAtSeam();
    return false;
  }
  int checks = 0;

 private:
  const int stopAt_;
};

void Transfer(bool folderCopy, const std::string& root, TransferHost& host) {
  FileTransfer transfer(host);
  if (folderCopy) {
    transfer.CopyFolderTree(PathBelow(root, "dst"), PathBelow(root, "src"), 0);
  } else {
    std::vector<std::string> sources;
    for (const auto& [relative, bytes] : kStart)
      if (relative.rfind("src/", 0) == 0 && relative.back() != '/' && relative.find('/', 4) == std::string::npos)
        sources.push_back(PathBelow(root, relative));
    transfer.MoveFiles(sources, PathBelow(root, "dst"), nullptr);
  }
}

// The process that is killed, given "copy|step|folder" or "move|step|folder".
TEST(TransferInterruptionChild, TransfersUntilKilled) {
  const std::string job = ChildJob();
  if (job.empty()) GTEST_SKIP() << "run as a child process by TransferInterruption";
  const size_t first = job.find('|'), second = job.find('|', first + 1);
  ASSERT_NE(second, std::string::npos);
  StoppingHost host(std::atoi(job.substr(first + 1, second - first - 1).c_str()));
  Transfer(job.substr(0, first) == "copy", job.substr(second + 1), host);
}

class TransferInterruption : public TempFolderTest {};

TEST_F(TransferInterruption, AKillBetweenAnyTwoFilesKeepsEveryOriginalAndLeavesNoTemporary) {
  const std::string root = folder_.string();
  for (const bool folderCopy : {true, false}) {
    SCOPED_TRACE(folderCopy ? "folder copy" : "move");
    std::filesystem::remove_all(folder_);
    WriteLayout(root, kStart);
    StoppingHost counter(-1);
    Transfer(folderCopy, root, counter);
    const FileLayout finished = ReadLayout(root);
    ASSERT_GE(counter.checks, 3);
    for (int step = 0; step <= counter.checks; ++step) {
      SCOPED_TRACE(step);
      std::filesystem::remove_all(folder_);
      WriteLayout(root, kStart);
      const FileLayout before = ReadLayout(root);
      const ChildEnd end = RunChildUntilSeam(kChildCase, std::string(folderCopy ? "copy|" : "move|") +
                                                             std::to_string(step) + "|" + root);
      if (step < counter.checks) {
        ASSERT_TRUE(end.killed) << "the transfer checked " << counter.checks << " times";
      } else {
        ASSERT_FALSE(end.killed);
        ASSERT_EQ(end.exitCode, 0);
        EXPECT_EQ(ReadLayout(root), finished);
      }
      const FileLayout after = ReadLayout(root);
      ExpectInventoryKept({before}, {after}, folderCopy ? TransferKind::kCopy : TransferKind::kMove);
      if (folderCopy) {
        for (const auto& [relative, bytes] : before) EXPECT_EQ(after.at(relative), bytes) << relative;
      }
    }
  }
}

}  // namespace
