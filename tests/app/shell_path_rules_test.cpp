// The folder tree's path rules: file-system parse paths, drive roots, cutting a path back to an
// existing ancestor, drive masks, display paths and the names a folder may be given.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell_path_rules.h"

namespace {

using Paths = std::vector<std::string>;

TEST(ShellPathRules, FileSystemParsePaths) {
  const struct {
    std::string path;
    bool fileSystem;
    bool driveRoot;
  } cases[] = {
      {"C:\\", true, true},
      {"Z:\\", true, true},
      {"C:\\Windows", true, false},
      {"c:\\lower", false, false},  // the shell's parse names use upper-case letters
      {"C:", false, false},
      {"C:x", false, false},
      {"C:\\\\", true, false},
      {"\\\\server\\share", true, false},
      {"\\\\server\\", true, false},
      {"\\\\server", false, false},
      {"\\\\\\share", false, false},  // no server name
      {"\\\\", false, false},
      {"::{20d04fe0-3aea-1069-a2d8-08002b30309d}", false, false},
      {"", false, false},
      {"\xC3:\\", false, false},  // bytes above 127 are no drive letters
      {"\xFF\xFE\\", false, false},
      {std::string("C\0\\", 3), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsFileSystemParsePath(c.path), c.fileSystem) << c.path;
    EXPECT_EQ(IsDriveRootPath(c.path), c.driveRoot) << c.path;
  }
}

TEST(ShellPathRules, TrailingBackslashesAndLastComponents) {
  EXPECT_EQ(WithoutTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\a"), "C:\\a");
  EXPECT_EQ(WithoutTrailingBackslash(""), "");
  EXPECT_EQ(LastPathComponent("C:\\photos\\New Folder"), "New Folder");
  EXPECT_EQ(LastPathComponent("\\New Folder"), "New Folder");
  EXPECT_EQ(LastPathComponent("C:\\photos\\trip\\"), "trip");
  EXPECT_EQ(LastPathComponent("plain"), "plain");
  EXPECT_EQ(LastPathComponent(""), "");
}

TEST(ShellPathRules, FolderNamesWithReservedCharactersAreRefused) {
  for (const std::string& name : Paths{"New Folder", "trip 2024", "a.b", "...x", "#1", "caf\xE9"}) {
    EXPECT_TRUE(IsAcceptableFolderName(name)) << name;
  }
  for (const std::string& name : Paths{"", ".", "..", "a\\b", "a/b", "c:d", "a*", "what?", "\"q\"", "<a", "a>", "a|b",
                                 "tab\there", std::string("nul\0x", 5)}) {
    EXPECT_FALSE(IsAcceptableFolderName(name)) << name;
  }
}

TEST(ShellPathRules, NearestPathCandidatesEndAtTheDrive) {
  const struct {
    std::string path;
    Paths candidates;
  } cases[] = {
      {"C:\\a\\b\\c", {"C:\\a\\b\\c", "C:\\a\\b", "C:\\a", "C:\\"}},
      {"C:\\a\\b\\", {"C:\\a\\b", "C:\\a", "C:\\"}},
      {"C:\\missing", {"C:\\missing", "C:\\"}},  // a missing folder under a drive still finds the drive
      {"C:\\", {"C:\\"}},
      {"C:", {"C:\\"}},
      {"d:\\x", {"d:\\x", "d:\\"}},
      {"\\\\server\\share\\dir", {"\\\\server\\share\\dir", "\\\\server\\share", "\\\\server"}},
      {"relative\\dir", {"relative\\dir", "relative"}},
      {"ab", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestPathCandidates(c.path), c.candidates) << c.path;
}

TEST(ShellPathRules, OverlongPathsAreCutBackToAnAncestorThatFits) {
  const std::string fits = "C:\\" + std::string(250, 'f');
  const std::string tooLong = fits + "\\" + std::string(20, 'x') + "\\" + std::string(300, 'y');
  EXPECT_EQ(NearestPathCandidates(tooLong), (Paths{fits, "C:\\"}));
  const std::string limit = "C:\\" + std::string(256, 'g');  // 259 characters: the longest the shell takes
  EXPECT_EQ(NearestPathCandidates(limit), (Paths{limit, "C:\\"}));
  EXPECT_EQ(NearestPathCandidates(limit + "h"), (Paths{"C:\\"}));
}

TEST(ShellPathRules, TheLowestBitOfADriveMaskNamesTheDrive) {
  EXPECT_EQ(DriveRootOfUnitMask(1), "A:\\");
  EXPECT_EQ(DriveRootOfUnitMask(1u << 2), "C:\\");
  EXPECT_EQ(DriveRootOfUnitMask((1u << 3) | (1u << 7)), "D:\\");
  EXPECT_EQ(DriveRootOfUnitMask(1u << 25), "Z:\\");
  EXPECT_EQ(DriveRootOfUnitMask(0), "");
  EXPECT_EQ(DriveRootOfUnitMask(1u << 26), "");  // no letter after Z
  EXPECT_EQ(DriveRootOfUnitMask(0xFC000000u), "");
}

TEST(ShellPathRules, DisplayPathsSplitAtBackslashes) {
  EXPECT_EQ(DisplayPathComponents("Desktop\\My Computer\\ (C:)\\"), (Paths{"Desktop", "My Computer", " (C:)"}));
  EXPECT_EQ(DisplayPathComponents("Desktop\\My Computer\\tail"), (Paths{"Desktop", "My Computer"}));
  EXPECT_EQ(DisplayPathComponents("Desktop\\\\"), (Paths{"Desktop", ""}));
  EXPECT_EQ(DisplayPathComponents("no backslash"), Paths{});
  EXPECT_EQ(DisplayPathComponents(""), Paths{});
}

TEST(ShellPathRules, FatFileSystemNames) {
  EXPECT_TRUE(IsFatFileSystemName("FAT"));
  EXPECT_TRUE(IsFatFileSystemName("FAT32"));
  EXPECT_FALSE(IsFatFileSystemName("NTFS"));
  EXPECT_FALSE(IsFatFileSystemName("exFAT"));
  EXPECT_FALSE(IsFatFileSystemName("FA"));
  EXPECT_FALSE(IsFatFileSystemName(""));
}

}  // namespace
