// The folder tree's rules: which items allow which folder commands, which paths may reach the
// shell's delete, folder names, when a delete asks first, the size texts and the drop block.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drag_threshold.h"
#include "drop_files_block.h"
#include "folder_rules.h"
#include "folder_size_text.h"

namespace {

FolderItemKind Folder(const std::string& path) {
  FolderItemKind kind;
  kind.fileSystem = true;
  kind.path = path;
  return kind;
}

TEST(FolderRules, AbsolutePathsOnly) {
  const struct {
    const char* path;
    bool absolute;
    bool belowRoot;
  } cases[] = {
      {"C:\\photos", true, true},         {"c:\\photos\\2001", true, true},  {"C:\\photos\\", true, true},
      {"C:\\", true, false},              {"C:", false, false},              {"photos", false, false},
      {"\\photos", false, false},         {"C:photos", false, false},        {"", false, false},
      {"::{645FF040-5081-101B}", false, false},
      {"C:\\photos\\..", false, false},   {"C:\\photos\\.\\x", false, false}, {"C:\\a\\\\b", false, false},
      {"C:\\photos\\*", false, false},    {"C:\\p?", false, false},          {"C:\\a/b", false, false},
      {"\\\\server\\share", true, false}, {"\\\\server\\share\\", true, false},
      {"\\\\server\\share\\pics", true, true}, {"\\\\server", false, false}, {"\\\\\\share\\x", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;
    EXPECT_EQ(IsBelowVolumeRoot(c.path), c.belowRoot) << c.path;
  }
}

TEST(FolderRules, CommandsByItemKind) {
  FolderItemKind desktop = Folder("C:\\windows\\desktop");
  desktop.root = true;
  FolderItemKind drive = Folder("C:");
  drive.driveRoot = true;
  FolderItemKind bin = Folder("::{645FF040-5081-101B-9F08-00AA002F954E}");
  bin.recycleBin = true;
  FolderItemKind saver = Folder("C:\\Program Files\\Vireldan\\vnsaver");
  saver.fileSystem = false;
  saver.screenSaver = true;
  FolderItemKind link = Folder("D:\\target");
  link.link = true;
  link.linkFile = "C:\\windows\\desktop\\target.lnk";
  FolderItemKind myComputer;  // virtual: no path
  const FolderItemKind nothing;
  const FolderItemKind folder = Folder("C:\\photos");
  FolderItemKind relative = Folder("photos");

  const struct {
    const char* name;
    const FolderItemKind& kind;
    bool child, sibling, rename, renameInPlace, f2, remove, properties;
  } cases[] = {
      {"folder", folder, true, true, true, true, true, true, true},
      {"desktop", desktop, true, false, true, false, true, false, true},
      {"drive", drive, true, false, true, false, false, false, true},
      {"recycle bin", bin, false, false, true, false, true, false, false},
      {"screen saver", saver, false, false, false, false, false, false, false},
      {"shortcut", link, true, true, true, false, true, true, true},
      {"my computer", myComputer, false, false, false, false, true, false, false},
      {"nothing", nothing, false, false, false, false, true, false, false},
      {"relative", relative, false, false, true, false, true, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CanMakeChildFolder(c.kind), c.child) << c.name;
    EXPECT_EQ(CanMakeSiblingFolder(c.kind), c.sibling) << c.name;
    EXPECT_EQ(CanStartRename(c.kind), c.rename) << c.name;
    EXPECT_EQ(CanRenameInPlace(c.kind), c.renameInPlace) << c.name;
    EXPECT_EQ(CanRenameWithKey(c.kind), c.f2) << c.name;
    EXPECT_EQ(CanDeleteFolder(c.kind), c.remove) << c.name;
    EXPECT_EQ(CanShowProperties(c.kind), c.properties) << c.name;
  }
  link.linkFile = "target.lnk";  // a shortcut whose own file is not an absolute path is not deleted
  EXPECT_FALSE(CanDeleteFolder(link));
}

TEST(FolderRules, FolderNames) {
  const struct {
    const char* label;
    bool accepted;
    const char* name;
  } cases[] = {
      {"Holiday", true, "Holiday"},  {"  Holiday 2001  ", true, "Holiday 2001"}, {"a.b", true, "a.b"},
      {".hidden", true, ".hidden"},  {"", false, ""},                            {"   ", false, ""},
      {".", false, ""},              {"..", false, ""},                          {" .. ", false, ""},
      {"name.", false, ""},          {"a\\b", false, ""},                        {"a/b", true, "a_b"},
      {" 12/2001/ ", true, "12_2001_"}, {"/", true, "_"},                        {"a/.", false, ""},
      {"a/b:c", false, ""},
      {"a:b", false, ""},            {"a*", false, ""},                          {"a?", false, ""},
      {"\"a\"", false, ""},          {"<a>", false, ""},                         {"a|b", false, ""},
      {"a\tb", false, ""},
  };
  for (const auto& c : cases) {
    std::string name;
    EXPECT_EQ(CleanFolderLabel(c.label, name), c.accepted) << c.label;
    if (c.accepted) {
      EXPECT_EQ(name, c.name);
    }
  }
  EXPECT_EQ(SiblingPath("C:\\photos\\old", "new"), "C:\\photos\\new");
  EXPECT_EQ(SiblingPath("C:\\old", "new"), "C:\\new");
  EXPECT_EQ(std::string(kNotAFolderItemMessage), "Unable to rename.\nThis is not a folder item.");
}

TEST(FolderRules, ShellListEndsInTwoNuls) {
  const std::string list = DoubleNulList("C:\\photos");
  EXPECT_EQ(list.size(), 11u);
  EXPECT_EQ(list.substr(0, 9), "C:\\photos");
  EXPECT_EQ(list[9], '\0');
  EXPECT_EQ(list[10], '\0');
}

TEST(FolderRules, WhenADeleteAsksFirst) {
  const uint64_t mb = 1048576;
  const struct {
    int64_t folders;
    uint64_t bytes;
    int nonnest, nested, allsize;
    bool asks;
  } cases[] = {
      {0, mb * 7 / 2, 0, 1, 2, true},   // 3.5 MB is 3 whole megabytes, more than 2
      {0, mb * 29 / 10, 0, 1, 2, false},  // 2.9 MB is 2 whole megabytes
      {1, 0, 0, 1, 2, true},            // a subfolder with "nested" on
      {1, 0, 0, 0, 2, false},
      {0, 0, 1, 0, 100, true},          // "nonnest" asks always
      {0, mb * 6000, 0, 0, 5000, true},   // sizes past 4 GB count in full
      {0, 0, 0, 0, -1, true},
  };
  for (const auto& c : cases) {
    FolderCounts counts;
    counts.folders = c.folders;
    counts.bytes = c.bytes;
    EXPECT_EQ(DeleteNeedsConfirmation(counts, c.nonnest, c.nested, c.allsize), c.asks) << c.bytes;
  }
  EXPECT_NE(PermanentDeleteQuestion("E:\\photos").find("E:\\photos"), std::string::npos);
  EXPECT_NE(PermanentDeleteQuestion("E:\\photos").find("deleted permanently"), std::string::npos);
}

TEST(FolderRules, VolumeRoots) {
  const struct {
    const char* path;
    const char* root;
  } cases[] = {{"C:\\photos\\2001", "C:\\"},
               {"C:", "C:\\"},
               {"\\\\server\\share\\pics", "\\\\server\\share\\"},
               {"\\\\server\\share", "\\\\server\\share\\"},
               // The folder-changed message's form, with a trailing backslash: a network folder's
               // root is its share, never "\:\" made from its first character.
               {"\\\\server\\share\\pics\\", "\\\\server\\share\\"},
               {"\\\\server\\share\\", "\\\\server\\share\\"},
               {"d:\\photos\\", "d:\\"},
               {"\\\\server", ""},
               {"\\", ""},
               {"", ""},
               {"photos", ""}};
  for (const auto& c : cases) EXPECT_EQ(VolumeRootOf(c.path), c.root) << c.path;
}

TEST(FolderSizeText, ByteCounts) {
  const struct {
    uint64_t bytes;
    const char* text;
  } cases[] = {
      {0, "0 Bytes   0.0 MB  "},
      {999, "999 Bytes   0.0 MB  "},
      {1000, "1,000 Bytes   0.0 MB  "},
      {104857, "104,857 Bytes   0.1 MB  "},
      {1048576, "1,048,576 Bytes   1.0 MB  "},
      {123456789, "123,456,789 Bytes   117.7 MB  "},
      {134217727, "134,217,727 Bytes   128.0 MB  "},
      {134217728, "128.0 MB  "},
      {5000000000ULL, "4768.3 MB  "},  // 4 GB and more: no 32-bit wrap
      {4294967296ULL, "4096.0 MB  "},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatByteCount(c.bytes), c.text) << c.bytes;
}

TEST(DropFilesBlock, HeaderThenEveryPathWithItsNulThenOneMore) {
  const std::string block = DropFilesBlock("C:\\photos");
  const std::string expected = std::string("\x14\0\0\0", 4) + std::string(16, '\0') + "C:\\photos" + std::string(2, '\0');
  EXPECT_EQ(block, expected);
  const std::string header = std::string("\x14\0\0\0", 4) + std::string(16, '\0');
  EXPECT_EQ(DropFilesBlock(std::vector<std::string>{"C:\\a.jpg", "D:\\b c.png"}),
            header + std::string("C:\\a.jpg\0D:\\b c.png\0\0", 21));
  EXPECT_EQ(DropFilesBlock(std::vector<std::string>{}), header + std::string(2, '\0'));
}

TEST(DragThreshold, InsideTheRectangleOnly) {
  EXPECT_TRUE(WithinDragThreshold(10, 10, 14, 6, 4, 4));
  EXPECT_FALSE(WithinDragThreshold(10, 10, 15, 10, 4, 4));
  EXPECT_FALSE(WithinDragThreshold(10, 10, 10, 15, 4, 4));
  EXPECT_FALSE(WithinDragThreshold(-100, -100, 0, 0, 4, 4));
}

}  // namespace
