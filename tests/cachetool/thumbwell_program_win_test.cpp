// Thumbwell.exe as a user runs it: pick a folder, press "Build cache", wait for the report; then
// every cache it wrote serves each picture to the browser's cache reader without a decode. And
// the close box in the middle of a build stops it, leaving the root's old cache as it was.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cache_builder.h"
#include "file_system.h"
#include "thumbnail_cache.h"
#include "running_thumbwell.h"
#include "thumbwell_resource.h"
#include "tnc_format.h"

namespace {

const char kPicture[] = "Z:\\usr\\share\\libjxl-testdata\\jxl\\flower\\flower_small.q85_420_non_interleaved.jpg";

class ThumbwellProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "thumbwell-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    Remove(root_);
  }
  void TearDown() override { Remove(root_); }

  static void Remove(const std::string& folder) {
    std::string from = folder.substr(0, folder.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ::SHFileOperationA(&operation);
  }
  std::string Folder(const std::string& relative) const {
    platform::CreateDirectoryChain(root_ + relative);
    return root_ + relative;
  }
  void Pictures(const std::string& relative, int count) const {
    for (int i = 0; i < count; ++i)
      ASSERT_TRUE(::CopyFileA(kPicture, (Folder(relative) + "\\picture" + std::to_string(i) + ".jpg").c_str(), FALSE));
  }
  static void PutText(const std::string& path, const std::string& text) {
    ASSERT_TRUE(platform::ReplaceFileContents(path, text.data(), text.size()));
  }
  static std::string Text(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
      char buffer[256];
      size_t got;
      while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
      std::fclose(file);
    }
    return text;
  }
  // The pictures of the folder the browser's reader finds in its cache: with a hit, no decode.
  static int ServedFromCache(const std::string& folder, int pictures) {
    ThumbnailCache cache;
    cache.SetOptions(TncOptions());
    cache.UseFolder(folder, platform::DriveInfo{}, 100);
    int served = 0;
    for (int i = 0; i < pictures; ++i) {
      const std::string name = "picture" + std::to_string(i) + ".jpg";
      platform::FileStamp stamp;
      if (!platform::FindFileStamp(folder + "\\" + name, &stamp)) continue;
      TncRequest file;
      file.name = name;
      file.sizeKB = TncSizeKB(stamp.size);
      file.lastWrite = platform::FileTimeFromTicks(stamp.lastWrite);
      Cimage image;
      served += cache.Load(file, 100, image) && (image.m_width == 100 || image.m_height == 100);
    }
    return served;
  }

  std::string root_;
};

TEST_F(ThumbwellProgram, BuildsACacheInEveryFolderThatTheBrowserReads) {
  Pictures("", 2);
  Pictures("trip\\day1", 3);
  Pictures("trip\\day2", 1);
  PutText(Folder("trip") + "\\broken.jpg", "not a picture");
  PutText(Folder("notes") + "\\vireldan.tnc", "an old cache");
  RunningThumbwell thumbwell;
  ASSERT_NE(thumbwell.Dialog(), nullptr);
  ASSERT_TRUE(thumbwell.Select(root_));
  thumbwell.PressBuild();
  EXPECT_EQ(thumbwell.WaitForReport(),
            "Done. 3 caches written with 6 thumbnails, 1 old caches removed, 1 pictures could not be read.");
  EXPECT_EQ(thumbwell.ItemText(IDC_BUILD_CACHE), "Build cache");
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(thumbwell.Dialog(), IDOK)));
  EXPECT_EQ(ServedFromCache(root_.substr(0, root_.size() - 1), 2), 2);
  EXPECT_EQ(ServedFromCache(root_ + "trip\\day1", 3), 3);
  EXPECT_EQ(ServedFromCache(root_ + "trip\\day2", 1), 1);
  EXPECT_FALSE(platform::FileExists(root_ + "trip\\vireldan.tnc"));
  EXPECT_FALSE(platform::FileExists(root_ + "notes\\vireldan.tnc"));
  thumbwell.Exit();
  EXPECT_TRUE(thumbwell.Ended(20000));
}

TEST_F(ThumbwellProgram, ClosingDuringABuildStopsItAndKeepsTheOldCachesAbove) {
  for (int i = 0; i < 20; ++i) Pictures("folder" + std::to_string(i), 3);
  Pictures("", 1);
  PutText(root_ + "vireldan.tnc", "the root's old cache");
  RunningThumbwell thumbwell;
  ASSERT_NE(thumbwell.Dialog(), nullptr);
  ASSERT_TRUE(thumbwell.Select(root_));
  thumbwell.PressBuild();
  ::PostMessageA(thumbwell.Dialog(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(thumbwell.Ended(30000));
  EXPECT_EQ(Text(root_ + "vireldan.tnc"), "the root's old cache");
  // No temporary file of a cut-short cache is left beside the pictures.
  WIN32_FIND_DATAA found;
  int files = 0;
  HANDLE search = ::FindFirstFileA((root_ + "folder*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    const std::string folder = root_ + found.cFileName + "\\*";
    WIN32_FIND_DATAA inner;
    HANDLE names = ::FindFirstFileA(folder.c_str(), &inner);
    do files += !(inner.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::string(inner.cFileName) != kTncFileName;
    while (::FindNextFileA(names, &inner));
    ::FindClose(names);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  EXPECT_EQ(files, 20 * 3);
}

}  // namespace
