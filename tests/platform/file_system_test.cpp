// The file-system seam: temporary names beside a file, replacing a file in one step, and writing
// a new file that never lands on one that is there.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "file_system.h"
#include "shared_reading.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FileSystemSeam : public TempFolderTest {
 protected:
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(FileSystemSeam, TemporaryNamesAreFreshAndInTheSameFolder) {
  const std::string target = Make("picture.jpg", "old");
  const std::string first = platform::TemporaryNameBeside(target);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(fs::path(first).parent_path(), fs::path(target).parent_path());
  EXPECT_FALSE(fs::exists(first));
  Make(fs::path(first).filename().string(), "taken");
  const std::string second = platform::TemporaryNameBeside(target);
  EXPECT_NE(second, first);
  EXPECT_LT(second.size(), platform::kMaxPath);
}

TEST_F(FileSystemSeam, NoTemporaryNameWhenTheFolderAloneFillsAPath) {
  const std::string deep = std::string(250, 'd') + "/picture.jpg";
  EXPECT_EQ(platform::TemporaryNameBeside(deep), "");
}

TEST_F(FileSystemSeam, ReplacingSwapsInTheNewFileOrLeavesBothAlone) {
  const std::string target = Make("picture.jpg", "old");
  const std::string fresh = Make("fresh.tmp", "new");
  ASSERT_TRUE(platform::ReplaceFileWith(fresh, target));
  EXPECT_EQ(Read(target), "new");
  EXPECT_FALSE(platform::FileExists(fresh));

  const std::string missing = (folder_ / "missing.tmp").string();
  EXPECT_FALSE(platform::ReplaceFileWith(missing, target));
  EXPECT_EQ(Read(target), "new");
  EXPECT_TRUE(platform::RemoveFile(target));
  EXPECT_FALSE(platform::FileExists(target));
  EXPECT_FALSE(platform::RemoveFile(target));
}

TEST_F(FileSystemSeam, ANewFileIsWrittenWholeAndNeverOverAnother) {
  const std::string target = (folder_ / "sound.wav").string();
  ASSERT_TRUE(platform::WriteNewFile(target, "first", 5));
  EXPECT_EQ(Read(target), "first");
  EXPECT_FALSE(platform::WriteNewFile(target, "second", 6));
  EXPECT_EQ(Read(target), "first");
  // Neither write leaves its temporary file behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// A file being read (a thumbnail, a preview) stands in the way of no move or removal, and its
// reader goes on reading what it opened.
TEST_F(FileSystemSeam, AFileBeingReadCanBeMovedAndRemoved) {
  fs::create_directory(folder_ / "sub");
  struct Step {
    const char* what;
    std::function<bool(const std::string&)> run;
  };
  const std::string elsewhere = (folder_ / "sub" / "moved.jpg").string();
  const Step steps[] = {
      {"moved into a subfolder", [&](const std::string& path) { return platform::MoveFileTo(path, elsewhere); }},
      {"removed", [](const std::string& path) { return platform::RemoveFile(path); }},
  };
  for (const Step& step : steps) {
    const std::string path = Make("open.jpg", "the picture being read");
    std::FILE* reader = platform::OpenForSharedReading(path);
    ASSERT_NE(reader, nullptr) << step.what;
    EXPECT_TRUE(step.run(path)) << step.what;
    char read[64] = {};
    const size_t length = std::fread(read, 1, sizeof read, reader);
    std::fclose(reader);
    EXPECT_EQ(std::string(read, length), "the picture being read") << step.what;
  }
  EXPECT_EQ(Read(elsewhere), "the picture being read");
  EXPECT_FALSE(fs::exists(folder_ / "open.jpg"));
  EXPECT_EQ(platform::OpenForSharedReading((folder_ / "missing.jpg").string()), nullptr);
}

#if defined(_WIN32)
// A reader that shares the file for reading only (a virus scanner, another program, the loader of
// an older build) holds it for a moment: moving, replacing, removing or recycling it waits until
// it is let go instead of failing for the user.
TEST_F(FileSystemSeam, AFileHeldForAMomentIsMovedReplacedRemovedAndRecycledOnceLetGo) {
  const std::string elsewhere = (folder_ / "moved.jpg").string();
  const std::string newer = (folder_ / "newer.jpg").string();
  const struct {
    const char* what;
    std::function<bool(const std::string&)> run;
  } steps[] = {
      {"moved", [&](const std::string& path) { return platform::MoveFileTo(path, elsewhere); }},
      {"replaced", [&](const std::string& path) { return platform::ReplaceFileWith(newer, path); }},
      {"removed", [](const std::string& path) { return platform::RemoveFile(path); }},
      {"recycled", [](const std::string& path) { return platform::SendToRecycleBin(path); }},
  };
  for (const auto& step : steps) {
    const std::string path = Make("held.jpg", "the picture being read");
    Make("newer.jpg", "its new bytes");
    const HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << step.what;
    std::thread reader([held] {
      ::Sleep(400);
      ::CloseHandle(held);
    });
    EXPECT_TRUE(step.run(path)) << step.what;
    reader.join();
    const bool replaced = std::string(step.what) == "replaced";
    EXPECT_EQ(Read(path), replaced ? "its new bytes" : "") << step.what;
    EXPECT_EQ(fs::exists(path), replaced) << step.what;
    std::error_code ignored;
    fs::remove(elsewhere, ignored);
  }
}

// A temporary that a save is still writing is no leftover: clearing leftovers passes it over at
// once rather than waiting until the save closes it and then taking it away before its rename.
TEST_F(FileSystemSeam, ClearingLeftoversPassesOverATemporaryStillBeingWritten) {
  const std::string writing = Make("~vl00000001.tmp", "");
  Make("~vl00000002.tmp", "left by a save that died");
  const HANDLE held = ::CreateFileA(writing.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread writer([held] {
    ::Sleep(400);
    ::CloseHandle(held);
  });
  platform::RemoveTemporariesBeside((folder_ / "a.jpg").string());
  writer.join();
  EXPECT_TRUE(fs::exists(writing));
  EXPECT_FALSE(fs::exists(folder_ / "~vl00000002.tmp"));
}
#endif

#if !defined(_WIN32)
// Across volumes a move is a copy: the file arrives whole under its name before it leaves, and a
// name taken there stops it with both files as they were. (/dev/shm is the second volume at hand.)
TEST_F(FileSystemSeam, AMoveToAnotherVolumeArrivesWholeBeforeTheSourceGoes) {
  struct stat here = {}, shared = {};
  if (::stat(folder_.c_str(), &here) != 0 || ::stat("/dev/shm", &shared) != 0 || here.st_dev == shared.st_dev)
    GTEST_SKIP() << "no second volume";
  const fs::path there = "/dev/shm/vireldan-move-" + std::to_string(::getpid());
  fs::create_directories(there);
  const std::string taken = (there / "b.jpg").string();
  std::ofstream(taken) << "B";
  const std::string moved = Make("a.jpg", "A"), stopped = Make("b.jpg", "new");
  EXPECT_TRUE(platform::MoveFileTo(moved, (there / "a.jpg").string()));
  EXPECT_FALSE(platform::MoveFileTo(stopped, taken));
  EXPECT_FALSE(fs::exists(moved));
  EXPECT_EQ(Read((there / "a.jpg").string()), "A");
  EXPECT_EQ(Read(stopped), "new");
  EXPECT_EQ(Read(taken), "B");
  EXPECT_EQ(std::distance(fs::directory_iterator(there), fs::directory_iterator()), 2);  // no temporary
  fs::remove_all(there);
}
#endif

}  // namespace
