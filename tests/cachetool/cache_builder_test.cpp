// Thumbwell's walk over real folders: what each folder's cache holds afterwards, read by the
// cache reader the browser uses, and what a stop, a lock or a bad picture leaves.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cache_builder.h"
#include "killed_child.h"
#include "path_separators.h"
#include "temp_folder.h"
#include "thumbnail_cache.h"
#include "tnc_format.h"

namespace {

namespace fs = std::filesystem;

const char kPicture[] = "/usr/share/libjxl-testdata/jxl/flower/flower_small.q85_420_non_interleaved.jpg";

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// Records the order in which caches are started, and stops after a number of files.
class Recorder : public CacheBuildObserver {
 public:
  explicit Recorder(int stopAfterFiles = -1) : filesLeft_(stopAfterFiles) {}
  void FolderStarted(const std::string& folder) override { folders.push_back(folder); }
  void FileStarted(const std::string&) override {
    if (filesLeft_ > 0) --filesLeft_;
  }
  void ThumbnailMade(Cimage&) override {}
  bool KeepGoing() override { return filesLeft_ != 0; }
  std::vector<std::string> folders;

 private:
  int filesLeft_;
};

class CacheBuilderTest : public TempFolderTest {
 protected:
  // Whether a file made now and given an old write time still tells when it was made.
  bool KeepsCreationTimes() const {
    const std::string probe = Make("probe", "");
    fs::last_write_time(probe, fs::file_time_type::clock::now() - std::chrono::hours(30));
    platform::FileStamp stamp;
    const bool kept = platform::FindFileStamp(probe, &stamp) &&
                      stamp.creation > stamp.lastWrite + 3600 * platform::kFileTimeTicksPerSecond;
    fs::remove(probe);
    return kept;
  }
  std::string Dir(const std::string& relative) const {
    fs::create_directories(folder_ / relative);
    return (folder_ / relative).string() + "/";
  }
  void Picture(const std::string& relative) const { fs::copy_file(kPicture, folder_ / relative); }
  fs::path Cache(const std::string& relative) const { return folder_ / relative / kTncFileName; }
  CacheBuildReport Build(CacheBuildObserver& observer, const std::string& relative = "") const {
    TncOptions options;
    options.hideFile = false;
    options.cachePath = (folder_ / "mirror").string();
    return BuildCaches((folder_ / relative).string(), options, [](const std::string&) { return platform::DriveInfo{}; },
                       observer);
  }
  // Every picture of the folder is served from its cache, with the thumbnail fitted in 180.
  void ExpectServed(const std::string& relative, const std::vector<std::string>& names) {
    TncOptions options;
    ThumbnailCache cache;
    cache.SetOptions(options);
    cache.UseFolder((folder_ / relative).string(), platform::DriveInfo{}, kBuilderEdge);
    EXPECT_EQ(cache.Info().entries, int(names.size())) << relative;
    for (const auto& name : names) {
      TncRequest file;
      file.name = name;
      platform::FileStamp stamp;
      ASSERT_TRUE(platform::FindFileStamp((folder_ / relative / name).string(), &stamp));
      file.sizeKB = TncSizeKB(stamp.size);
      file.lastWrite = platform::FileTimeFromTicks(stamp.lastWrite);
      Cimage image;
      EXPECT_TRUE(cache.Load(file, kBuilderEdge, image)) << relative << name;
      EXPECT_EQ(std::max(image.m_width, image.m_height), kBuilderEdge) << name;
    }
  }
};

TEST_F(CacheBuilderTest, EveryFolderWithPicturesGetsAFreshCacheSubFoldersFirst) {
  Dir("a/b");
  Dir("empty");
  Dir("a/link-target");
  Picture("top.jpg");
  Picture("a/one.JPG");
  {
    // A ".tiff" is a picture as much as a ".tif".
    Cimage picture;
    picture.LoadImageA(kPicture, 0, 0, 5);
    picture.SaveImage((folder_ / "a/scan.tiff").string().c_str(), 90, 0, 0, 0, 0, 0, 0);
    ASSERT_FALSE(picture.m_saveError);
  }
  Picture("a/b/two.png.jpg");
  std::ofstream(folder_ / "a/b/broken.jpg") << "not a picture";
  // A link back up, which followed would never end (Wine makes no links: there the native tree's
  // run stands for it).
  std::error_code noLinks;
  fs::create_directory_symlink(folder_ / "a", folder_ / "a/b/loop", noLinks);
  // A cache built while "a" held one more picture: the next build replaces it, never appends.
  Picture("a/since-deleted.jpg");
  Recorder first;
  Build(first);
  fs::remove(folder_ / "a/since-deleted.jpg");
  std::ofstream(folder_ / "empty" / kTncFileName) << "an old cache of pictures since deleted";

  Recorder recorder;
  const CacheBuildReport report = Build(recorder);
  const std::string root = platform::WithTrailingSeparator(folder_.string());
  ASSERT_EQ(recorder.folders.size(), 5u);
  EXPECT_EQ(recorder.folders.back(), root);
  for (size_t i = 0; i < recorder.folders.size(); ++i)
    for (size_t j = i + 1; j < recorder.folders.size(); ++j)
      EXPECT_NE(recorder.folders[j].rfind(recorder.folders[i], 0), 0u) << recorder.folders[i] << " before its sub-folder";
  EXPECT_EQ(report.cachesWritten, 3);
  EXPECT_EQ(report.entries, 4);
  EXPECT_EQ(report.unreadable, 1);
  EXPECT_FALSE(report.stopped);
  EXPECT_FALSE(fs::exists(Cache("empty")));
  EXPECT_FALSE(fs::exists(Cache("a/link-target")));
  ExpectServed("", {"top.jpg"});
  ExpectServed("a", {"one.JPG", "scan.tiff"});
  ExpectServed("a/b", {"two.png.jpg"});
  // Nothing but the caches was left behind: no temporary file beside them.
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 5 + 3);
  EXPECT_EQ(CacheBuildSummary(report),
            "Done. 3 caches written with 4 thumbnails, 1 old caches removed, 1 pictures could not be read.");
}

TEST_F(CacheBuilderTest, AStopLeavesTheCachesOfTheFolderAndItsAncestorsAsTheyWere) {
  Dir("a/b");
  Picture("top.jpg");
  Picture("a/one.jpg");
  Picture("a/b/two.jpg");
  Picture("a/b/three.jpg");
  const std::string old = "old caches, kept byte for byte";
  for (const char* folder : {"", "a", "a/b"}) std::ofstream(Cache(folder)) << old;

  Recorder stopsInB(1);
  const CacheBuildReport report = Build(stopsInB);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.cachesWritten, 0);
  for (const char* folder : {"", "a", "a/b"}) {
    const std::vector<char> bytes = Bytes(Cache(folder));
    EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == old) << folder;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "a/b"), fs::directory_iterator()), 3);
}

// Killed from outside while the new cache is half written: the old one is still whole, and the
// next build clears what the killed one left and replaces the old cache.
class KilledAfterOneEntry : public Recorder {
 public:
  void FileStarted(const std::string&) override {
    if (++files_ == 2) StopAtSeam();
  }

 private:
  int files_ = 0;
};

// The process that is killed, given the folder to build.
TEST(CacheBuilderChild, BuildsUntilKilled) {
  const std::string folder = ChildJob();
  if (folder.empty()) GTEST_SKIP() << "run as a child process by AProcessKilledMidWriteLeavesTheOldCache";
  KilledAfterOneEntry killer;
  BuildCaches(folder, TncOptions(), [](const std::string&) { return platform::DriveInfo{}; }, killer);
}

TEST_F(CacheBuilderTest, AProcessKilledMidWriteLeavesTheOldCache) {
  const std::string old = "the old cache";
  Picture("one.jpg");
  Picture("two.jpg");
  std::ofstream(Cache("")) << old;
  const ChildEnd end = RunChildUntilSeam("CacheBuilderChild.BuildsUntilKilled", folder_.string());
  ASSERT_TRUE(end.killed);
  const std::vector<char> bytes = Bytes(Cache(""));
  EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == old);
  Recorder recorder;
  EXPECT_EQ(Build(recorder).cachesWritten, 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

// Vireldan saves pictures through temporaries of the very names a cut-short cache has: the build
// takes away only what holds a cache, or what nobody has made or written for a day.
TEST_F(CacheBuilderTest, OnlyCutShortCachesAndDayOldTemporariesGoFromBesideTheCache) {
  Picture("one.jpg");
  uint8_t header[kTncHeaderSize];
  EncodeTncHeader(TncHeader(), header);
  const std::string cache(reinterpret_cast<char*>(header), sizeof header);
  const std::vector<char> pictureBytes = Bytes(kPicture);
  const std::string picture(pictureBytes.begin(), pictureBytes.end());
  const auto now = fs::file_time_type::clock::now();
  const struct {
    const char* name;
    std::string bytes;
    fs::file_time_type written;
    bool goes;
  } rows[] = {
      {"~vl00000001.tmp", picture, now, false},                           // a save on its way
      {"~vl00000002.tmp", cache, now, true},                              // a build killed just now
      // A copy on its way keeps its source's write time, but was made just now; where the system
      // keeps no creation times (POSIX, Wine on most file systems), a day without a write is enough.
      {"~vl00000003.tmp", picture, now - std::chrono::hours(30), !KeepsCreationTimes()},
      {"~vl00000004.tmp", picture, now + std::chrono::hours(48), false},  // a clock ahead of ours
      {"~vl00000005.tmp", "", now, false},                                 // made, nothing written yet
  };
  for (const auto& row : rows) {
    Make(row.name, row.bytes);
    fs::last_write_time(folder_ / row.name, row.written);
  }
  Recorder recorder;
  EXPECT_EQ(Build(recorder).cachesWritten, 1);
  for (const auto& row : rows) EXPECT_EQ(fs::exists(folder_ / row.name), !row.goes) << row.name;
}

#if defined(_WIN32)
// The old cache is hidden and in use, so the new one cannot replace it: it stays hidden, its
// bytes as they were; once free, the new one takes its place hidden.
TEST_F(CacheBuilderTest, AFailedReplaceLeavesTheOldCacheHiddenAndWhole) {
  Picture("one.jpg");
  const std::string old = "the old cache";
  const std::string path = Make(kTncFileName, old);
  ASSERT_TRUE(platform::SetHiddenAttribute(path, true));
  TncOptions options;
  options.hideFile = true;
  const auto build = [&] {
    Recorder recorder;
    return BuildCaches(folder_.string(), options, [](const std::string&) { return platform::DriveInfo{}; }, recorder);
  };
  {
    platform::DenyWriteHold inUse;
    ASSERT_EQ(inUse.Take(path), platform::DenyWriteHold::Result::kHeld);
    const CacheBuildReport report = build();
    EXPECT_EQ(report.failedFolders, 1);
    EXPECT_EQ(report.cachesWritten, 0);
  }
  const std::vector<char> bytes = Bytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old);
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(build().cachesWritten, 1);
  EXPECT_GT(Bytes(path).size(), kTncHeaderSize);
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}
#endif

TEST_F(CacheBuilderTest, LockedAndReadOnlyCachesAreNeverReplaced) {
  Dir("locked");
  Dir("readonly");
  Picture("locked/one.jpg");
  Picture("readonly/one.jpg");
  uint8_t header[kTncHeaderSize];
  TncHeader locked;
  locked.locked = 1;
  EncodeTncHeader(locked, header);
  std::ofstream(Cache("locked"), std::ios::binary).write(reinterpret_cast<char*>(header), sizeof header);
  std::ofstream(Cache("readonly")) << "the user's own";
  fs::permissions(Cache("readonly"), fs::perms::owner_write, fs::perm_options::remove);

  Recorder recorder;
  const CacheBuildReport report = Build(recorder);
  EXPECT_EQ(report.lockedKept, 2);
  EXPECT_EQ(Bytes(Cache("locked")).size(), kTncHeaderSize);
  EXPECT_EQ(Bytes(Cache("readonly")).size(), 14u);
  fs::permissions(Cache("readonly"), fs::perms::owner_write, fs::perm_options::add);  // to be removed
}

TEST_F(CacheBuilderTest, AFolderOnACdWithAShortLabelIsCachedInTheSameMirrorTheBrowserReads) {
  Dir("Photos");
  Picture("Photos/one.jpg");
  TncOptions options;
  options.cachePath = (folder_ / "cache").string();
  options.useCdCache = true;  // ignored: the CD's own file cannot be written
  Recorder recorder;
  const platform::DriveInfo cd{platform::kDriveCdRom, "CD"};
  BuildCaches((folder_ / "Photos").string(), options, [&](const std::string&) { return cd; }, recorder);
  // The mirror holds the path after its drive's colon, without leading separators.
  const std::string photos = (folder_ / "Photos").string();
  const size_t rest = photos.find_first_not_of("\\/", photos.find(':') + 1);
  const fs::path mirror = fs::path((folder_ / "cache").string() + "/_CD_" + photos.substr(rest));
  EXPECT_TRUE(fs::exists(mirror / kTncFileName)) << mirror;
  EXPECT_FALSE(fs::exists(Cache("Photos")));
}

// Windows (and Wine) can neither make nor remove such paths through the usual calls.
#if !defined(_WIN32)
TEST_F(CacheBuilderTest, PathsBeyondTheSystemLimitAreCountedAndSkipped) {
  std::string deep;
  while ((folder_ / deep).string().size() < platform::kMaxPath) deep += "a-long-folder-name/";
  Dir(deep);
  Picture(deep + "x.jpg");
  Recorder recorder;
  const CacheBuildReport report = Build(recorder);
  EXPECT_EQ(report.tooLong, 1);
  EXPECT_EQ(report.cachesWritten, 0);
  EXPECT_NE(CacheBuildSummary(report).find("1 paths too long were skipped"), std::string::npos);
}
#endif

}  // namespace
