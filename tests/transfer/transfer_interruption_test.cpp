// Transfers cut short by a crash: a second process copies a folder tree (or moves dropped files)
// and is killed at each of the transfer's checks for Cancel in turn, or in the middle of one large
// file's copy. Whatever moment it ends, every original is there with its bytes, whatever arrived
// under a picture's name is whole, and no temporary file outlives the next transfer there.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_inventory.h"
#include "file_system.h"
#include "folder_entries.h"
#include "file_transfer.h"
#include "killed_child.h"
#include "scripted_transfer_host.h"
#include "temp_folder.h"

namespace {

constexpr char kChildCase[] = "TransferInterruptionChild.TransfersUntilKilled";
constexpr char kLargeChildCase[] = "TransferInterruptionChild.CopiesOneLargeFile";
constexpr size_t kLargeSize = size_t(32) << 20;

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

// The process killed while it copies one large file, given the root.
TEST(TransferInterruptionChild, CopiesOneLargeFile) {
  const std::string root = ChildJob();
  if (root.empty()) GTEST_SKIP() << "run as a child process by TransferInterruption";
  ScriptedTransferHost host;
  FileTransfer(host).CopyFiles({PathBelow(root, "src/big.jpg")}, PathBelow(root, "dst"), nullptr);
}

class TransferInterruption : public TempFolderTest {};

TEST_F(TransferInterruption, AKillInsideOneFilesCopyLeavesNoPartUnderAPicturesName) {
  const std::string root = folder_.string(), destination = PathBelow(root, "dst");
  const FileLayout start = {{"src/big.jpg", std::string(kLargeSize, 'L')}, {"dst/old.jpg", "O"}};
  WriteLayout(root, start);
  const auto partArrived = [&] {
    bool part = false;
    platform::ListFolder(destination, [&](const platform::FolderEntry& entry) {
      part = entry.stamp.size > 1 && entry.stamp.size < kLargeSize;
      return !part;
    });
    return part;
  };
  const ChildEnd end = RunChildUntilSeam(kLargeChildCase, root, partArrived);
  ASSERT_TRUE(end.killed) << "the copy ended before it was cut, with " << end.exitCode;
  const FileLayout killed = ReadLayout(root);
  int parts = 0;
  for (const auto& [relative, bytes] : killed) {
    if (relative.back() == '/') continue;
    const auto original = start.find(relative);
    const bool whole = original != start.end() && original->second == bytes;
    const bool temporary = relative.size() > 4 && relative.compare(relative.size() - 4, 4, ".tmp") == 0;
    EXPECT_TRUE(whole || temporary) << relative << " holds " << bytes.size() << " bytes";
    parts += temporary ? 1 : 0;
  }
  EXPECT_EQ(parts, 1);
  EXPECT_EQ(killed.count("dst/big.jpg"), 0u);
  // The next transfer into the folder clears the part away.
  ScriptedTransferHost host;
  FileTransfer(host).CopyFiles({PathBelow(root, "src/big.jpg")}, destination, nullptr);
  const FileLayout after = ReadLayout(root);
  ExpectInventoryKept({start}, {after}, TransferKind::kCopy);
  EXPECT_EQ(after.size(), 5u);  // the two folders, the original, its copy and the old file
  EXPECT_TRUE(after.count("dst/big.jpg") && after.at("dst/big.jpg") == start.at("src/big.jpg"));
}

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
