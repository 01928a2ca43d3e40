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
#include "thumbwell_dlg.h"
#include "thumbwell_resource.h"
#include "tnc_format.h"

namespace {

const char kPicture[] = "Z:\\usr\\share\\libjxl-testdata\\jxl\\flower\\flower_small.q85_420_non_interleaved.jpg";

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool WaitFor(bool (*done)(HWND), HWND window, DWORD milliseconds = 120000) {
  const DWORD start = ::GetTickCount();
  while (!done(window)) {
    if (::GetTickCount() - start > milliseconds) return false;
    ::Sleep(50);
  }
  return true;
}

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::SendMessageA(::GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchBuilder(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (process != search->process || std::string(caption) != "Vireldan Cache Builder" || !::IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

// Thumbwell started from the test's folder, found by its dialog.
class RunningThumbwell {
 public:
  RunningThumbwell() {
    STARTUPINFOA startup = {sizeof startup};
    std::string command = "\"" + ModuleFolder() + "Thumbwell.exe\"";
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
      return;
    const DWORD start = ::GetTickCount();
    Search search = {process_.dwProcessId, nullptr};
    while (!search.found && ::GetTickCount() - start < 30000) {
      ::EnumWindows(MatchBuilder, LPARAM(&search));
      if (!search.found) ::Sleep(50);
    }
    dialog_ = search.found;
  }
  ~RunningThumbwell() {
    if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) ::TerminateProcess(process_.hProcess, 1);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  HWND Dialog() const { return dialog_; }
  bool Select(const std::string& folder) const {
    COPYDATASTRUCT data = {kSelectFolderCopyData, DWORD(folder.size()), const_cast<char*>(folder.data())};
    return ::SendMessageA(dialog_, WM_COPYDATA, 0, LPARAM(&data)) != 0;
  }
  void PressBuild() const { ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_BUILD_CACHE, BN_CLICKED), 0); }
  // Ended by itself, with its window, within the time.
  bool Ended(DWORD milliseconds) const { return ::WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
};

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
  ASSERT_TRUE(WaitFor([](HWND dialog) { return ItemText(dialog, IDC_BUILD_PATH).rfind("Done.", 0) == 0; },
                      thumbwell.Dialog()));
  EXPECT_EQ(ItemText(thumbwell.Dialog(), IDC_BUILD_PATH),
            "Done. 3 caches written with 6 thumbnails, 1 old caches removed, 1 pictures could not be read.");
  EXPECT_EQ(ItemText(thumbwell.Dialog(), IDC_BUILD_CACHE), "Build cache");
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(thumbwell.Dialog(), IDOK)));
  EXPECT_EQ(ServedFromCache(root_.substr(0, root_.size() - 1), 2), 2);
  EXPECT_EQ(ServedFromCache(root_ + "trip\\day1", 3), 3);
  EXPECT_EQ(ServedFromCache(root_ + "trip\\day2", 1), 1);
  EXPECT_FALSE(platform::FileExists(root_ + "trip\\vireldan.tnc"));
  EXPECT_FALSE(platform::FileExists(root_ + "notes\\vireldan.tnc"));
  ::PostMessageA(thumbwell.Dialog(), WM_COMMAND, IDOK, 0);
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
