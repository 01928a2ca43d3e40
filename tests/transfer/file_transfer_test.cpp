// The transfer loops on real files, case by case from tables: what ends up where, what the user
// was asked and told, which arrivals the index heard of, and the inventory rule for each case.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_inventory.h"
#include "file_system.h"
#include "file_transfer.h"
#include "scripted_transfer_host.h"
#include "temp_folder.h"

namespace {

// "é" in the narrow names of each system: the ANSI code page under Windows, UTF-8 elsewhere.
#if defined(_WIN32)
#define E_ACUTE "\xe9"
#else
#define E_ACUTE "\xc3\xa9"
#endif

constexpr CollisionChoice kSkip = CollisionChoice::kSkip, kSkipAll = CollisionChoice::kSkipAll,
                          kSuffix = CollisionChoice::kSuffix, kSuffixAll = CollisionChoice::kSuffixAll,
                          kReplace = CollisionChoice::kReplace, kReplaceAll = CollisionChoice::kReplaceAll,
                          kCancel = CollisionChoice::kCancel;

enum class Batch { kMove, kCopy, kShortcuts, kFolderList };

struct TransferCase {
  const char* name;
  Batch batch;
  FileLayout before;
  std::vector<std::string> sources;  // below the test's folder
  std::string destination;
  std::vector<CollisionChoice> collisionAnswers;
  std::vector<bool> yesNoAnswers;
  FileLayout after;
  size_t collisionsAsked;
  std::vector<std::string> questions;  // "@" stands for the test's folder and a separator
  size_t arrivals;                     // moves or copies the index heard of
  std::set<std::string> replacedBytes = {};
  size_t messages = 0;
  std::vector<std::string> readOnly = {};
};

const TransferCase kCases[] = {
    {"MoveIntoEmptyFolder", Batch::kMove, {{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/", ""}},
     {"src/a.jpg", "src/b.jpg"}, "dst", {}, {},
     {{"src/", ""}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}}, 0, {}, 2},
    {"CopyIntoEmptyFolder", Batch::kCopy, {{"src/a.jpg", "A"}, {"dst/", ""}}, {"src/a.jpg"}, "dst", {}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"dst/", ""}, {"dst/a.jpg", "A"}}, 0, {}, 1},
    {"MoveOntoItselfIsLeftAlone", Batch::kMove, {{"src/a.jpg", "A"}}, {"src/a.jpg"}, "SRC/", {}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}}, 0, {}, 0},
    {"MoveSkip", Batch::kMove, {{"src/a.jpg", "A"}, {"dst/a.jpg", "old"}}, {"src/a.jpg"}, "dst", {kSkip}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"dst/", ""}, {"dst/a.jpg", "old"}}, 1, {}, 0},
    {"MoveSuffix", Batch::kMove, {{"src/a.jpg", "A"}, {"dst/a.jpg", "old"}}, {"src/a.jpg"}, "dst", {kSuffix}, {},
     {{"src/", ""}, {"dst/", ""}, {"dst/a.jpg", "old"}, {"dst/a_1.jpg", "A"}}, 1, {}, 1},
    {"MoveReplace", Batch::kMove, {{"src/a.jpg", "A"}, {"dst/a.jpg", "old"}}, {"src/a.jpg"}, "dst", {kReplace}, {},
     {{"src/", ""}, {"dst/", ""}, {"dst/a.jpg", "A"}}, 1, {}, 1, {"old"}},
    {"CopyReplace", Batch::kCopy, {{"src/a.jpg", "A"}, {"dst/a.jpg", "old"}}, {"src/a.jpg"}, "dst", {kReplace}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"dst/", ""}, {"dst/a.jpg", "A"}}, 1, {}, 1, {"old"}},
    {"SkipAllAsksOnce", Batch::kMove,
     {{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"src/c.jpg", "C"}, {"dst/a.jpg", "a"}, {"dst/b.jpg", "b"}},
     {"src/a.jpg", "src/b.jpg", "src/c.jpg"}, "dst", {kSkipAll}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/", ""}, {"dst/a.jpg", "a"}, {"dst/b.jpg", "b"},
      {"dst/c.jpg", "C"}},
     1, {}, 1},
    {"SuffixAllCountsOnPastTakenNumbers", Batch::kCopy,
     {{"src/a.jpg", "A"}, {"src/b.png", "B"}, {"dst/a.jpg", "a"}, {"dst/a_1.jpg", "a1"}, {"dst/b.png", "b"}},
     {"src/a.jpg", "src/b.png"}, "dst", {kSuffixAll}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.png", "B"}, {"dst/", ""}, {"dst/a.jpg", "a"}, {"dst/a_1.jpg", "a1"},
      {"dst/a_2.jpg", "A"}, {"dst/b.png", "b"}, {"dst/b_1.png", "B"}},
     1, {}, 2},
    {"ReplaceAllAsksOnce", Batch::kMove,
     {{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/a.jpg", "a"}, {"dst/b.jpg", "b"}}, {"src/a.jpg", "src/b.jpg"},
     "dst", {kReplaceAll}, {}, {{"src/", ""}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b.jpg", "B"}}, 1, {}, 2,
     {"a", "b"}},
    {"CancelStopsTheBatch", Batch::kMove,
     {{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/a.jpg", "a"}}, {"src/a.jpg", "src/b.jpg"}, "dst", {kCancel}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/", ""}, {"dst/a.jpg", "a"}}, 1, {}, 0},
    {"NineSuffixesThenTheQuestion", Batch::kMove,
     {{"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/a.jpg", "0"}, {"dst/a_1.jpg", "1"}, {"dst/a_2.jpg", "2"},
      {"dst/a_3.jpg", "3"}, {"dst/a_4.jpg", "4"}, {"dst/a_5.jpg", "5"}, {"dst/a_6.jpg", "6"}, {"dst/a_7.jpg", "7"},
      {"dst/a_8.jpg", "8"}, {"dst/a_9.jpg", "9"}},
     {"src/a.jpg", "src/b.jpg"}, "dst", {kSuffix}, {false},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.jpg", "B"}, {"dst/", ""}, {"dst/a.jpg", "0"}, {"dst/a_1.jpg", "1"},
      {"dst/a_2.jpg", "2"}, {"dst/a_3.jpg", "3"}, {"dst/a_4.jpg", "4"}, {"dst/a_5.jpg", "5"}, {"dst/a_6.jpg", "6"},
      {"dst/a_7.jpg", "7"}, {"dst/a_8.jpg", "8"}, {"dst/a_9.jpg", "9"}},
     1, {"Unable to suitably suffix file\na.jpg\nContinue move?"}, 0},
    {"NameWithoutDotCannotBeSuffixed", Batch::kCopy, {{"src/readme", "R"}, {"dst/readme", "r"}}, {"src/readme"}, "dst",
     {kSuffix}, {true},
     {{"src/", ""}, {"src/readme", "R"}, {"dst/", ""}, {"dst/readme", "r"}}, 1,
     {"Unable to suitably suffix file\nreadme\nContinue copy?"}, 0},
    {"TwoDroppedFilesOfOneName", Batch::kMove, {{"one/a.jpg", "A1"}, {"two/a.jpg", "A2"}, {"dst/", ""}},
     {"one/a.jpg", "two/a.jpg"}, "dst", {kSuffix}, {},
     {{"one/", ""}, {"two/", ""}, {"dst/", ""}, {"dst/a.jpg", "A1"}, {"dst/a_1.jpg", "A2"}}, 1, {}, 2},
    {"ReplaceAllNeverReplacesWhatTheBatchDelivered", Batch::kMove,
     {{"one/x.jpg", "X"}, {"one/a.jpg", "A1"}, {"two/a.jpg", "A2"}, {"dst/x.jpg", "x"}},
     {"one/x.jpg", "one/a.jpg", "two/a.jpg"}, "dst", {kReplaceAll, kSkip}, {},
     {{"one/", ""}, {"two/", ""}, {"two/a.jpg", "A2"}, {"dst/", ""}, {"dst/x.jpg", "X"}, {"dst/a.jpg", "A1"}}, 2, {},
     2, {"x"}},
    {"ReadOnlyTargetIsNotReplaced", Batch::kMove, {{"src/a.jpg", "A"}, {"dst/a.jpg", "locked"}}, {"src/a.jpg"},
     "dst", {kReplace}, {true},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"dst/", ""}, {"dst/a.jpg", "locked"}}, 1,
     {"Error moving file\na.jpg\nContinue attempting move?"}, 0, {}, 0, {"dst/a.jpg"}},
    {"NonAsciiNames", Batch::kMove, {{"src/caf" E_ACUTE ".jpg", "A"}, {"dst/caf" E_ACUTE ".jpg", "old"}},
     {"src/caf" E_ACUTE ".jpg"}, "dst", {kSuffix}, {},
     {{"src/", ""}, {"dst/", ""}, {"dst/caf" E_ACUTE ".jpg", "old"}, {"dst/caf" E_ACUTE "_1.jpg", "A"}}, 1, {}, 1},
    {"MissingSourceAsksWhetherToGoOn", Batch::kCopy, {{"src/b.jpg", "B"}, {"dst/", ""}},
     {"src/gone.jpg", "src/b.jpg"}, "dst", {}, {false},
     {{"src/", ""}, {"src/b.jpg", "B"}, {"dst/", ""}}, 0, {"Error copying file\ngone.jpg\nContinue attempting copy?"},
     0},
    {"FolderIntoItsOwnDescendantIsRefused", Batch::kMove, {{"tree/sub/a.jpg", "A"}}, {"tree"}, "tree/sub", {}, {},
     {{"tree/", ""}, {"tree/sub/", ""}, {"tree/sub/a.jpg", "A"}}, 0, {}, 0, {}, 1},
    {"FolderCopyFilesSkipFolderTargets", Batch::kFolderList, {{"src/a.jpg", "A"}, {"src/b", "B"}, {"dst/b/", ""}},
     {"src/a.jpg", "src/b"}, "dst", {}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b", "B"}, {"dst/", ""}, {"dst/a.jpg", "A"}, {"dst/b/", ""}}, 0, {}, 0},
    {"FolderCopyFilesAskWithTheirPaths", Batch::kFolderList, {{"src/a", "A"}, {"dst/a", "a"}}, {"src/a"}, "dst",
     {kSuffix}, {true}, {{"src/", ""}, {"src/a", "A"}, {"dst/", ""}, {"dst/a", "a"}}, 1,
     {"Unable to suitably suffix file\n@src/a\n\nContinue copy?"}, 0},
    {"ShortcutsForNamesWithADot", Batch::kShortcuts,
     {{"src/a.jpg", "A"}, {"src/b.c.jpg", "B"}, {"src/readme", "R"}, {"dst/a.lnk", "mine"}},
     {"src/a.jpg", "src/b.c.jpg", "src/readme"}, "dst", {kSuffix}, {},
     {{"src/", ""}, {"src/a.jpg", "A"}, {"src/b.c.jpg", "B"}, {"src/readme", "R"}, {"dst/", ""},
      {"dst/a.lnk", "mine"}, {"dst/a_1.lnk", "link to @src/a.jpg"}, {"dst/b.c.lnk", "link to @src/b.c.jpg"}},
     1, {}, 0},
};

void PrintTo(const TransferCase& c, std::ostream* out) { *out << c.name; }

class FileTransferCases : public TempFolderTest, public ::testing::WithParamInterface<TransferCase> {
 protected:
  std::string Root() const { return folder_.string(); }
  std::string Expand(const std::string& text) const {
    std::string out;
    for (const char c : text) {
      if (c == '@')
        out += Root() + platform::kPathSeparator;
      else
        out += c == '/' ? platform::kPathSeparator : c;
    }
    return out;
  }
};

TEST_P(FileTransferCases, EndsAsTheTableSays) {
  const TransferCase& c = GetParam();
  WriteLayout(Root(), c.before);
  // Without write permission a file is read-only: Windows sets the attribute for it.
  for (const std::string& relative : c.readOnly)
    std::filesystem::permissions(folder_ / relative, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  const FileLayout before = ReadLayout(Root());
  ScriptedTransferHost host;
  host.collisionAnswers.assign(c.collisionAnswers.begin(), c.collisionAnswers.end());
  host.yesNoAnswers.assign(c.yesNoAnswers.begin(), c.yesNoAnswers.end());
  std::vector<std::string> sources;
  for (const std::string& source : c.sources) sources.push_back(PathBelow(Root(), source));
  const std::string destination = PathBelow(Root(), c.destination) + (c.destination.back() == '/' ? "/" : "");
  FileTransfer transfer(host);
  switch (c.batch) {
    case Batch::kMove: transfer.MoveFiles(sources, destination, &host); break;
    case Batch::kCopy: transfer.CopyFiles(sources, destination, &host); break;
    case Batch::kShortcuts: transfer.CreateShortcuts(sources, destination, &host); break;
    case Batch::kFolderList: transfer.CopyFileList(sources, destination, &host); break;
  }
  FileLayout expected;
  for (const auto& [relative, bytes] : c.after) expected[relative] = Expand(bytes);
  EXPECT_EQ(ReadLayout(Root()), expected);
  EXPECT_EQ(host.collisionsAsked.size(), c.collisionsAsked);
  std::vector<std::string> questions;
  for (const std::string& question : c.questions) questions.push_back(Expand(question));
  EXPECT_EQ(host.questions, questions);
  EXPECT_EQ(host.moved.size() + host.copied.size(), c.arrivals);
  EXPECT_EQ(host.messages.size(), c.messages);
  for (const std::string& relative : c.readOnly)
    std::filesystem::permissions(folder_ / relative, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
  if (c.batch != Batch::kShortcuts)
    ExpectInventoryKept({before}, {ReadLayout(Root())}, c.batch == Batch::kMove ? TransferKind::kMove : TransferKind::kCopy,
                        c.replacedBytes);
  // The index hears of exactly the files that are where it was told they went.
  for (const auto& [source, target] : host.moved) {
    EXPECT_EQ(platform::KindOfPath(source), platform::PathKind::kMissing) << source;
    EXPECT_EQ(platform::KindOfPath(target), platform::PathKind::kFile) << target;
  }
  for (const auto& arrival : host.copied) EXPECT_EQ(platform::KindOfPath(arrival.second), platform::PathKind::kFile);
}

INSTANTIATE_TEST_SUITE_P(Table, FileTransferCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TransferCase>& info) { return std::string(info.param.name); });

}  // namespace
