// Where a folder's cache file lives: in the folder, a mirror below "cachepath", or nowhere.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "tnc_format.h"
#include "tnc_location.h"

namespace {

namespace fs = std::filesystem;

platform::DriveInfo Drive(int type, const std::string& label = "") {
  platform::DriveInfo drive;
  drive.type = type;
  drive.label = label;
  return drive;
}

TEST(TncMirrorFolder, PathsBelowTheCachePathAsEveryVersionBuildsThem) {
  const struct {
    const char* cachePath;
    const char* folder;
    platform::DriveInfo drive;
    const char* mirror;
  } cases[] = {
      {"c:\\cache", "D:\\Photos\\2001", Drive(platform::kDriveCdRom, "CD"), "c:\\cache\\_CD_Photos\\2001"},
      {"c:\\cache", "D:\\Photos", Drive(platform::kDriveCdRom, "ABCD"), "c:\\cache\\_ABCD_Photos"},
      {"c:\\cache", "D:\\Photos", Drive(platform::kDriveCdRom, "ABCDE"), "c:\\cache\\ABCDE\\Photos"},
      {"c:\\cache", "D:\\Photos\\2001", Drive(platform::kDriveCdRom, "HOLIDAYS"), "c:\\cache\\HOLIDAYS\\Photos\\2001"},
      {"c:\\cache", "D:\\Photos", Drive(platform::kDriveCdRom, ""), "c:\\cache\\nameless\\Photos"},
      {"c:\\cache", "D:", Drive(platform::kDriveCdRom, "CD"), "c:\\cache\\_CD_"},
      {"c:\\cache", "D:\\", Drive(platform::kDriveCdRom, "DISC01"), "c:\\cache\\DISC01"},
      {"c:\\cache", "A:\\scans", Drive(platform::kDriveRemovable, "FLOPPY"), "c:\\cache\\FLOPPY\\scans"},
      {"c:\\cache", "N:\\Pics\\x", Drive(platform::kDriveRemote), "c:\\cache\\Pics\\x"},
      {"c:\\cache", "\\\\server\\share\\Pics", Drive(platform::kDriveRemote), "c:\\cache\\server\\share\\Pics"},
      {"c:\\cache\\", "N:\\Pics\\", Drive(platform::kDriveRemote), "c:\\cache\\Pics"},
      {"c:\\cache", "D:\\Photos", Drive(platform::kDriveCdRom, ".."), ""},
      {"c:\\cache", "D:\\Photos", Drive(platform::kDriveCdRom, "A\\B"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + c.drive.label);
    EXPECT_EQ(TncMirrorFolder(c.cachePath, c.folder, c.drive, '\\'), c.mirror);
  }
}

TEST(TncMirrorFolder, PosixPathsHaveNoDriveToLeaveOut) {
  EXPECT_EQ(TncMirrorFolder("/var/cache/", "/mnt/cd/Photos/", Drive(platform::kDriveCdRom, "CD"), '/'),
            "/var/cache/_CD_mnt/cd/Photos");
  EXPECT_EQ(TncMirrorFolder("/var/cache", "/mnt/net", Drive(platform::kDriveRemote), '/'), "/var/cache/mnt/net");
}

class TncLocation : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    fs::create_directories(folder_ / "disc" / "Photos");
    options_.cachePath = (folder_ / "cache").string();
  }
  std::string In(const fs::path& path) const { return (folder_ / path).string(); }
  TncPlace Locate(const std::string& folder, int driveType, const std::string& label = "LABELLED") {
    return LocateTncFile(folder, Drive(driveType, label), options_);
  }
  std::string Mirror(const std::string& folder, int driveType) const {
    return TncMirrorFolder(options_.cachePath, folder, Drive(driveType, "LABELLED")) + platform::kPathSeparator +
           kTncFileName;
  }

  TncOptions options_;
};

TEST_F(TncLocation, TheDesktopAndADisabledCacheHaveNone) {
  const std::string photos = In("disc/Photos");
  options_.desktopFolder = photos;
  for (char& c : options_.desktopFolder) c = char(std::toupper(static_cast<unsigned char>(c)));
  options_.desktopFolder += platform::kPathSeparator;
  EXPECT_EQ(Locate(photos, platform::kDriveFixed).kind, TncPlace::Kind::kDisabled);
  options_.desktopFolder.clear();
  options_.cacheMode = kTncDisabled;
  EXPECT_EQ(Locate(photos, platform::kDriveFixed).kind, TncPlace::Kind::kDisabled);
}

TEST_F(TncLocation, FixedAndRemovableFoldersKeepTheirOwnFile) {
  const std::string photos = In("disc/Photos");
  const std::string own = photos + platform::kPathSeparator + kTncFileName;
  const int ramDisk = 6;
  for (int type : {int(platform::kDriveFixed), int(platform::kDriveRemovable), ramDisk}) {
    const TncPlace place = Locate(photos + platform::kPathSeparator, type);
    EXPECT_EQ(place.kind, TncPlace::Kind::kFile);
    EXPECT_EQ(place.path, own);
    EXPECT_FALSE(place.readOnly);
    EXPECT_FALSE(place.timesIgnored);
  }
}

TEST_F(TncLocation, MirrorsAreMadeForNetworkFoldersAndOnRequestForRemovableOnes) {
  const std::string photos = In("disc/Photos");
  TncPlace place = Locate(photos, platform::kDriveRemote);
  EXPECT_EQ(place.kind, TncPlace::Kind::kFile);
  EXPECT_EQ(place.path, Mirror(photos, platform::kDriveRemote));
  EXPECT_EQ(platform::KindOfPath(fs::path(place.path).parent_path().string()), platform::PathKind::kDirectory);
  EXPECT_FALSE(place.readOnly);

  options_.cacheRemovable = true;
  place = Locate(photos, platform::kDriveRemovable);
  EXPECT_EQ(place.path, Mirror(photos, platform::kDriveRemovable));
  EXPECT_FALSE(place.timesIgnored);
}

TEST_F(TncLocation, CdRomFoldersIgnoreTimesAndReadTheirOwnCacheOrAMirror) {
  const std::string photos = In("disc/Photos");
  const std::string own = photos + platform::kPathSeparator + kTncFileName;
  const std::string mirror = Mirror(photos, platform::kDriveCdRom);
  const struct {
    bool cacheCds, useCdCache, ownFile;
    bool mirrored;
  } cases[] = {
      {false, true, false, false}, {false, false, true, false}, {true, true, false, true},
      {true, true, true, false},   {true, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cacheCds << c.useCdCache << c.ownFile);
    fs::remove(own);
    if (c.ownFile) std::ofstream(own) << "cache";
    options_.cacheCds = c.cacheCds;
    options_.useCdCache = c.useCdCache;
    const TncPlace place = Locate(photos, platform::kDriveCdRom);
    EXPECT_EQ(place.kind, TncPlace::Kind::kFile);
    EXPECT_TRUE(place.timesIgnored);
    EXPECT_EQ(place.path, c.mirrored ? mirror : own);
    EXPECT_EQ(place.readOnly, !c.mirrored);
  }
}

TEST_F(TncLocation, NoPlaceWhenTheMirrorCannotBeMadeOrThePathIsTooLong) {
  std::ofstream(In("blocked")) << "a file where the cache folder would go";
  options_.cachePath = In("blocked");
  EXPECT_EQ(Locate(In("disc/Photos"), platform::kDriveRemote).kind, TncPlace::Kind::kUnavailable);
  options_.cachePath.clear();
  EXPECT_EQ(Locate(In("disc/Photos"), platform::kDriveRemote).kind, TncPlace::Kind::kUnavailable);
  options_.cachePath = In("cache");
  EXPECT_EQ(Locate(In("disc/Photos"), platform::kDriveCdRom, "..").kind, TncPlace::Kind::kUnavailable);

  const std::string deep = In(std::string(250, 'd'));
  EXPECT_EQ(Locate(deep, platform::kDriveFixed).kind, TncPlace::Kind::kUnavailable);
  options_.cachePath = In(std::string(240, 'c'));
  EXPECT_EQ(Locate(In("disc/Photos"), platform::kDriveRemote).kind, TncPlace::Kind::kUnavailable);
  EXPECT_FALSE(fs::exists(options_.cachePath));
}

}  // namespace
