// Folder copies on real files, and the rules that decide what a drop on the folder tree does.
#include <string>

#include <gtest/gtest.h>

#include "drop_decisions.h"
#include "file_inventory.h"
#include "file_system.h"
#include "file_transfer.h"
#include "scripted_transfer_host.h"
#include "temp_folder.h"
#include "transfer_paths.h"

namespace {

using FolderCopy = TempFolderTest;

const FileLayout kTree = {{"tree/a.jpg", "A"},          {"tree/sub/b.jpg", "B"}, {"tree/sub/deeper/c.jpg", "C"},
                          {"tree/empty/", ""},          {"tree/sub/d", "D"},     {"dst/", ""}};

TEST_F(FolderCopy, CopiesEverythingBelowAndShowsProgressFromTheFirstSubfolder) {
  const std::string root = folder_.string();
  WriteLayout(root, kTree);
  const FileLayout before = ReadLayout(root);
  ScriptedTransferHost host;
  FileTransfer transfer(host);
  EXPECT_TRUE(transfer.CopyFolderTree(PathBelow(root, "dst"), PathBelow(root, "tree"), 0));
  FileLayout expected = before;
  for (const auto& [relative, bytes] : kTree)
    if (relative.rfind("tree/", 0) == 0) expected["dst/" + relative] = bytes;
  expected["dst/tree/"] = expected["dst/tree/sub/"] = expected["dst/tree/sub/deeper/"] = expected["tree/"] =
      expected["tree/sub/"] = expected["tree/sub/deeper/"] = "";
  EXPECT_EQ(ReadLayout(root), expected);
  ExpectInventoryKept({before}, {ReadLayout(root)}, TransferKind::kCopy);
  EXPECT_EQ(host.folderProgressOpened, 1);
  EXPECT_EQ(host.folderProgressClosed, 1);
  ASSERT_GE(host.progressLines.size(), 2u);
  EXPECT_EQ(host.progressLines[1], "title Copying...");
  EXPECT_TRUE(host.messages.empty());
  // A folder copy carries its keys in the folders' own index files: the index hears nothing.
  EXPECT_TRUE(host.copied.empty());
}

TEST_F(FolderCopy, DoesNothingAndSaysSoWhenItCannotCopy) {
  const std::string root = folder_.string();
  struct Case {
    const char* name;
    FileLayout layout;
    const char* destination;
    const char* message;
  };
  const Case cases[] = {
      {"existing folder", {{"tree/a.jpg", "A"}, {"dst/tree/x.jpg", "X"}}, "dst",
       "Nothing was copied: a folder or file of that name is already there:\n@dst/tree"},
      {"file of that name", {{"tree/a.jpg", "A"}, {"dst/tree", "X"}}, "dst",
       "Nothing was copied: a folder or file of that name is already there:\n@dst/tree"},
      {"into itself", {{"tree/sub/a.jpg", "A"}}, "tree",
       "A folder cannot be copied into itself or a folder inside it:\n@tree"},
      {"into its descendant", {{"tree/sub/a.jpg", "A"}}, "tree/sub",
       "A folder cannot be copied into itself or a folder inside it:\n@tree"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_);
    WriteLayout(root, c.layout);
    const FileLayout before = ReadLayout(root);
    ScriptedTransferHost host;
    FileTransfer transfer(host);
    EXPECT_FALSE(transfer.CopyFolderTree(PathBelow(root, c.destination), PathBelow(root, "tree"), 0));
    EXPECT_EQ(ReadLayout(root), before);
    std::string message = c.message;
    message.replace(message.find('@'), 1, root + platform::kPathSeparator);
    for (char& ch : message)
      if (ch == '/') ch = platform::kPathSeparator;
    EXPECT_EQ(host.messages, std::vector<std::string>{message});
  }
}

TEST(TransferPaths, SuffixesShortcutsAndFolderComparisons) {
  EXPECT_EQ(SuffixedName("a.jpg", 1), "a_1.jpg");
  EXPECT_EQ(SuffixedName("a.b.jpeg", 9), "a.b_9.jpeg");
  EXPECT_EQ(SuffixedName(".hidden", 2), "_2.hidden");
  EXPECT_EQ(SuffixedName("readme", 1), "");
  EXPECT_EQ(FileShortcutName("a.b.jpg"), "a.b.lnk");
  EXPECT_EQ(FileShortcutName("readme"), "");
  EXPECT_EQ(FolderShortcutName("Holiday 2001"), "Holiday 2001.lnk");
  EXPECT_EQ(FolderShortcutName("v1.2"), "v1.lnk");
  const char s = platform::kPathSeparator;
  const std::string base = std::string(1, s) + "photos";
  EXPECT_TRUE(IsSameOrInside(base, base));
  EXPECT_TRUE(IsSameOrInside(base + s, base));
  EXPECT_TRUE(IsSameOrInside(base, base + s + "2001"));
  EXPECT_TRUE(IsSameOrInside(base, std::string(1, s) + "PHOTOS" + s + "2001" + s));
  EXPECT_FALSE(IsSameOrInside(base, base + "2001"));
  EXPECT_FALSE(IsSameOrInside(base + s + "2001", base));
  EXPECT_TRUE(IsSameFolder(base + s + s, std::string(1, s) + "Photos"));
#if defined(_WIN32)
  EXPECT_TRUE(IsSameOrInside("C:\\", "c:\\photos"));
  EXPECT_TRUE(IsSameFolder("C:\\", "c:/"));
#endif
}

TEST(DropDecisions, EffectsAndActionsByKeysAndTarget) {
  struct Row {
    bool control, shift, screenSaver;
    unsigned effect;
    FileDropAction files;
  };
  const Row rows[] = {
      {false, false, false, kDropMove, FileDropAction::kMove},
      {true, false, false, kDropCopy, FileDropAction::kCopy},
      {false, true, false, kDropCopy, FileDropAction::kCopy},
      {true, true, false, kDropLink, FileDropAction::kShortcuts},
      {false, false, true, kDropCopy, FileDropAction::kCopy},
      {false, true, true, kDropCopy, FileDropAction::kCopy},
      {true, false, true, kDropLink, FileDropAction::kCopy},
      {true, true, true, kDropLink, FileDropAction::kCopy},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.control) + std::to_string(row.shift) + std::to_string(row.screenSaver));
    const DropKeys keys = {row.control, row.shift};
    EXPECT_EQ(DragOverEffect(keys, row.screenSaver), row.effect);
    EXPECT_EQ(DecideFileDrop(keys, row.screenSaver), row.files);
  }
}

TEST(DropDecisions, FolderDraggedInsideTheTree) {
  using A = FolderDropAction;
  struct Row {
    const char* folder;
    const char* destination;
    bool control, shift;
    FolderDropAction action;
  };
  const Row rows[] = {
      {"C:\\photos\\2001", "c:\\PHOTOS\\", false, false, A::kNothing},      // its own parent
      {"C:\\photos\\2001", "C:\\photos\\2001", true, false, A::kNothing},   // itself
      {"C:\\photos\\2001", "C:\\photos\\2001\\june", false, false, A::kRefuseIntoItself},
      {"C:\\photos\\2001", "C:\\photos\\2001\\june", false, true, A::kRefuseIntoItself},
      {"C:\\photos\\2001", "C:\\photos\\2001\\june", true, true, A::kShortcut},
      {"C:\\photos\\2001", "C:\\archive", false, false, A::kMove},
      {"C:\\photos\\2001", "c:\\archive", false, false, A::kMove},
      {"C:\\photos\\2001", "D:\\archive", false, false, A::kAskCopyAcrossVolumes},
      {"C:\\photos\\2001", "D:\\archive", true, false, A::kCopy},
      {"C:\\photos\\2001", "C:\\archive", false, true, A::kCopy},
      {"C:\\photos\\2001", "C:\\photos\\20012", false, false, A::kMove},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.folder) + " -> " + row.destination);
    std::string folder = row.folder, destination = row.destination;
#if !defined(_WIN32)
    for (std::string* path : {&folder, &destination})
      for (char& c : *path)
        if (c == '\\') c = '/';
#endif
    EXPECT_EQ(DecideFolderDrop(folder, destination, {row.control, row.shift}), row.action);
  }
}

}  // namespace
