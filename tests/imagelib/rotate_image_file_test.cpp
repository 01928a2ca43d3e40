// Turning image files on disk: the lossless path against jpegtran, kept times and segments, the
// old file in the recycle bin, and failures that leave the original untouched with nothing behind.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "gif_test_encoder.h"
#include "jpeg_comparison.h"
#include "jpeg_reference.h"
#include "file_system.h"
#include "jpegtran_runner.h"
#include "test_files.h"
#include "missing_files.h"
#include "shared_reading.h"

namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> kExif = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0};

std::vector<uint8_t> TestJpeg(int width, int height) {
  return EncodeReferenceJpeg(GradientPicture(width, height, 3), 85, {{0xE1, kExif}, {0xFE, {'h', 'i'}}});
}

#if defined(_WIN32)
// Wine keeps its recycle bin in the freedesktop trash of the user's home; empty on Windows.
fs::path WineRecycleBin() {
  char home[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof home);
  if (n == 0 || n >= sizeof home) return fs::path();
  std::string unixHome = home;
  if (unixHome.rfind("\\??\\", 0) == 0) unixHome = unixHome.substr(4);
  return fs::path(unixHome) / ".local" / "share" / "Trash";
}
#endif

// Each test works in a folder of its own; natively the recycle bin is a folder of its own too.
// Under Wine the files sent to the bin are taken out of it again afterwards.
class RotateImageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');  // parameterised names hold a slash
    folder_ = fs::path(TempPath("rotate-" + name));
    trash_ = fs::path(TempPath("trash-" + name));
    fs::create_directories(folder_);
    fs::create_directories(trash_);
#if !defined(_WIN32)
    setenv("VIRELDAN_TRASH", trash_.c_str(), 1);
#endif
    base_ = "vl-turn-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + name;
  }
  void TearDown() override {
#if defined(_WIN32)
    const fs::path bin = WineRecycleBin();
    std::error_code ignored;
    for (const char* part : {"files", "info"})
      for (const auto& entry : fs::directory_iterator(bin / part, ignored))
        if (entry.path().filename().string().rfind(base_, 0) == 0) fs::remove(entry.path(), ignored);
#else
    unsetenv("VIRELDAN_TRASH");
#endif
  }

  // Where the recycle bin keeps a file of the test's folder; empty when that is not known.
  fs::path Recycled(const std::string& name) const {
#if defined(_WIN32)
    const fs::path bin = WineRecycleBin();
    return bin.empty() ? bin : bin / "files" / name;
#else
    return trash_ / name;
#endif
  }

  std::string Write(const std::vector<uint8_t>& bytes, const std::string& extension = ".jpg") {
    const std::string path = (folder_ / (base_ + extension)).string();
    WriteBytes(path, bytes);
    return path;
  }

  // Nothing of ours is left in the system's temporary folder or beside the file.
  ::testing::AssertionResult NothingLeftBehind(const std::string& path) {
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
      if (entry.path().filename().string().rfind(base_ + "_", 0) == 0)
        return ::testing::AssertionFailure() << "left " << entry.path().string();
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
      if (entry.path() != fs::path(path)) return ::testing::AssertionFailure() << "left " << entry.path().string();
    return ::testing::AssertionSuccess();
  }

  fs::path folder_;
  fs::path trash_;
  std::string base_;
};

struct OperationCase {
  int operation;
  int transform;  // jpegtran's equivalent, as the runner numbers them
  const char* name;
};

void PrintTo(const OperationCase& c, std::ostream* out) { *out << c.name; }

class EachOperation : public RotateImageFile, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(EachOperation, TurnsAJpegWithoutLossAsJpegtranDoes) {
  const std::vector<uint8_t> original = TestJpeg(100, 75);
  const std::string path = Write(original);
  const std::string expected = (folder_.parent_path() / (base_ + "-jpegtran.jpg")).string();
  std::string why;
  if (!RunJpegtran(JpegtranOptions(GetParam().transform), path, expected, &why)) SKIP_OR_FAIL_MISSING(why);
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), GetParam().operation), 1);
  EXPECT_TRUE(DecodeAlike(ReadBytes(path), ReadBytes(expected)));
  EXPECT_TRUE(NothingLeftBehind(path));
  const fs::path recycled = Recycled(base_ + ".jpg");
  if (!recycled.empty()) {
    EXPECT_EQ(ReadBytes(recycled.string()), original) << "the old file is in the recycle bin";
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, EachOperation,
                         ::testing::Values(OperationCase{1, 5, "Clockwise"}, OperationCase{2, 7, "CounterClockwise"},
                                           OperationCase{3, 6, "HalfTurn"}, OperationCase{4, 2, "FlipTopBottom"},
                                           OperationCase{5, 1, "FlipLeftRight"}),
                         [](const ::testing::TestParamInfo<OperationCase>& info) { return std::string(info.param.name); });

TEST_F(RotateImageFile, KeepsTheLastWriteTime) {
  const std::string path = Write(TestJpeg(64, 48));
  const auto then = fs::last_write_time(path) - std::chrono::hours(24 * 400);
  fs::last_write_time(path, then);
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 1);
  EXPECT_EQ(fs::last_write_time(path), then);
}

#if defined(_WIN32)
// All three times are set back; Wine on a Unix file system keeps no creation time of its own (it
// reports the last-write time), so the last-access and last-write times are what can be checked.
TEST_F(RotateImageFile, KeepsTheLastAccessAndLastWriteTimes) {
  const std::string path = Write(TestJpeg(64, 48));
  const FILETIME creation = {0x11111111, 0x01C00000}, access = {0x22222222, 0x01C10000}, write = {0x33333333, 0x01C20000};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(file, &creation, &access, &write));
  CloseHandle(file);
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), 3), 1);
  FILETIME times[3];
  file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(GetFileTime(file, &times[0], &times[1], &times[2]));
  CloseHandle(file);
  const FILETIME expected[3] = {creation, access, write};
  for (int k = 1; k < 3; ++k) {
    EXPECT_EQ(times[k].dwLowDateTime, expected[k].dwLowDateTime) << "time " << k;
    EXPECT_EQ(times[k].dwHighDateTime, expected[k].dwHighDateTime) << "time " << k;
  }
}
#endif

TEST_F(RotateImageFile, KeepsTheCameraSegmentAndComments) {
  const std::string path = Write(TestJpeg(64, 48));
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), 2), 1);
  std::vector<int> markers;
  for (const JpegSegment& s : JpegHeaderSegments(ReadBytes(path)))
    if (s.marker == 0xE1) EXPECT_EQ(s.data, kExif);
    else if (s.marker == 0xE0 || s.marker == 0xFE) markers.push_back(s.marker);
  EXPECT_EQ(markers, (std::vector<int>{0xE0, 0xFE}));
}

// The scan data itself comes back, not just the pixels, when the picture is whole MCUs.
TEST_F(RotateImageFile, TwoTurnsEachWayGiveBackTheCompressedData) {
  const std::vector<uint8_t> original = TestJpeg(96, 64);
  const std::string path = Write(original);
  for (const int operation : {1, 1, 2, 2}) ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), operation), 1);
  const std::vector<uint8_t> after = ReadBytes(path);
  EXPECT_EQ(JpegCoefficients(after), JpegCoefficients(original));
  const auto scan = [](const std::vector<uint8_t>& file) {
    for (size_t i = 2; i + 1 < file.size(); ++i)
      if (file[i] == 0xFF && file[i + 1] == 0xDA) return std::vector<uint8_t>(file.begin() + long(i), file.end());
    return std::vector<uint8_t>();
  };
  EXPECT_EQ(scan(after), scan(original));
  EXPECT_FALSE(scan(original).empty());
}

#if defined(_WIN32)
// The view clears leftovers beside its folder's cache whenever the folder changes, which the turn
// itself makes happen: nothing of the turn may go that way, and each turn arrives whole.
TEST_F(RotateImageFile, LeftoversClearedBesideItMeanwhileTakeNothingOfTheTurn) {
  const std::vector<uint8_t> original = TestJpeg(96, 64);
  const std::string path = Write(original);
  std::atomic<bool> turning{true};
  std::thread clearer([&] {
    while (turning) platform::RemoveTemporariesBeside(path);
  });
  for (const int operation : {1, 1, 2, 2}) EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), operation), 1);
  turning = false;
  clearer.join();
  EXPECT_EQ(JpegCoefficients(ReadBytes(path)), JpegCoefficients(original));
}
#endif

TEST_F(RotateImageFile, ShortensALongNameInTheTemporaryFolder) {
  base_ += std::string(200 - base_.size(), 'n');
  const std::string path = Write(TestJpeg(64, 48));
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), 3), 1);
  EXPECT_TRUE(NothingLeftBehind(path));
}

// The thumbnail loader may be reading the picture just as the user turns it: the turn must not
// fail for that (a fault that once showed an error box), and the reader goes on reading the
// bytes it opened. Every reader of the library opens files as this one does.
TEST_F(RotateImageFile, TurnsAFileThatIsBeingReadMeanwhile) {
  const std::vector<uint8_t> original = TestJpeg(64, 48);
  const std::string path = Write(original);
  std::FILE* reader = platform::OpenForSharedReading(path);
  ASSERT_NE(reader, nullptr);
  const int turned = Cimage::S_RotateImageFile(path.c_str(), 1);
  std::vector<uint8_t> read(original.size() + 1);
  read.resize(std::fread(read.data(), 1, read.size(), reader));
  std::fclose(reader);
  ASSERT_EQ(turned, 1);
  EXPECT_EQ(read, original);
  Cimage picture;
  picture.LoadImageA(path.c_str(), 0, 0, 5);
  EXPECT_EQ(picture.m_width, 48);
  EXPECT_TRUE(NothingLeftBehind(path));
}

// Each failure returns 0 and leaves the original's bytes where they were, and no file of ours.
TEST_F(RotateImageFile, APngIsTurnedByDecodingAndKeepsItsDate) {
  Cimage picture;
  LoadJpegBytes(picture, TestJpeg(6, 4));
  const std::string source = (folder_ / "source.png").string();
  picture.SaveImage(source.c_str(), 90, 0, 0, 0, 0, 0, 0);
  const std::string path = Write(ReadBytes(source), ".png");
  fs::remove(source);
  const auto then = fs::last_write_time(path) - std::chrono::hours(24 * 30);
  fs::last_write_time(path, then);
  ASSERT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 1);
  EXPECT_EQ(fs::last_write_time(path), then);
  Cimage turned;
  turned.LoadImageA(path.c_str(), 0, 0, 5);
  ASSERT_FALSE(turned.m_loadError);
  EXPECT_EQ(turned.m_width, 4);
  EXPECT_EQ(turned.m_height, 6);
  // The old bottom-left pixel is now at the top left.
  EXPECT_EQ(turned.GetRGB(0, 0), picture.GetRGB(0, 3));
  EXPECT_TRUE(NothingLeftBehind(path));
}

TEST_F(RotateImageFile, AnAnimatedGifIsRefusedRatherThanCutToOneFrame) {
  const Bytes gif = GifBuilder(4, 4, {0x000000, 0xFFFFFF})
                        .GraphicControl(0, 10)
                        .Image(SolidImage(0, 0, 4, 4, 0))
                        .GraphicControl(0, 10)
                        .Image(SolidImage(0, 0, 4, 4, 1))
                        .File();
  const std::string path = Write(gif, ".gif");
  EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 0);
  EXPECT_EQ(ReadBytes(path), gif);
  EXPECT_TRUE(NothingLeftBehind(path));
}

TEST_F(RotateImageFile, FailuresLeaveTheOriginalAlone) {
  const std::vector<uint8_t> notAJpeg = {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'};
  const std::string text = Write(notAJpeg);
  EXPECT_EQ(Cimage::S_RotateImageFile(text.c_str(), 1), 0);
  EXPECT_EQ(ReadBytes(text), notAJpeg);
  EXPECT_TRUE(NothingLeftBehind(text));

  const std::vector<uint8_t> jpeg = TestJpeg(64, 48);
  const std::string path = Write(jpeg);
  for (const int operation : {0, 6, -1}) EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), operation), 0);
  EXPECT_EQ(Cimage::S_RotateImageFile(nullptr, 1), 0);
  EXPECT_EQ(ReadBytes(path), jpeg);

  const std::string missing = (folder_ / "missing.jpg").string();
  EXPECT_EQ(Cimage::S_RotateImageFile(missing.c_str(), 1), 0);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(NothingLeftBehind(path));
}

// No name for the new file fits beside the original, so it cannot be moved into place.
TEST_F(RotateImageFile, AFailedMoveLeavesTheOriginalAlone) {
  std::string deep = folder_.string();
  while (deep.size() < 245) deep += "/" + std::string(std::min<size_t>(100, 245 - deep.size() - 1), 'd');
  fs::create_directories(deep);
  const std::vector<uint8_t> jpeg = TestJpeg(64, 48);
  base_ = "vlmv";  // short enough for the deep folder
  const std::string path = deep + "/" + base_ + ".jpg";
  ASSERT_LT(path.size(), 260u);
  WriteBytes(path, jpeg);
  EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 0);
  EXPECT_EQ(ReadBytes(path), jpeg);
  EXPECT_TRUE(NothingLeftBehind(path));
}

TEST_F(RotateImageFile, AFailedRecycleBinStepLeavesTheOriginalAlone) {
  const std::vector<uint8_t> jpeg = TestJpeg(64, 48);
  const std::string path = Write(jpeg);
#if defined(_WIN32)
  // Held open without sharing deletion, the file cannot go to the recycle bin.
  const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 0);
  CloseHandle(held);
#else
  setenv("VIRELDAN_TRASH", (folder_ / "no-such-folder").c_str(), 1);
  EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 0);
#endif
  EXPECT_EQ(ReadBytes(path), jpeg);
  EXPECT_TRUE(NothingLeftBehind(path));
}

#if !defined(_WIN32)
TEST_F(RotateImageFile, RefusesWhenNoTemporaryNameFits) {
  std::string deep = folder_.string() + "/t";
  while (deep.size() < 258) deep += "/" + std::string(std::min<size_t>(100, 258 - deep.size() - 1), 't');
  fs::create_directories(deep);
  const std::vector<uint8_t> jpeg = TestJpeg(64, 48);
  const std::string path = Write(jpeg);
  const char* before = std::getenv("TMPDIR");
  const std::string saved = before ? before : "";
  setenv("TMPDIR", deep.c_str(), 1);
  EXPECT_EQ(Cimage::S_RotateImageFile(path.c_str(), 1), 0);
  if (before) setenv("TMPDIR", saved.c_str(), 1);
  else unsetenv("TMPDIR");
  EXPECT_EQ(ReadBytes(path), jpeg);
  EXPECT_TRUE(fs::is_empty(deep));
}
#endif

}  // namespace
