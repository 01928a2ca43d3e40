// What other programs see of an open cache on Windows: readers are let in, writers are not; a
// cache that another program writes is read-only here; and the hidden attribute.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "tnc_test_support.h"

namespace {

using TncSharing = TncFolderTest;

// A handle of another program on the file, or INVALID_HANDLE_VALUE with the error in *error.
HANDLE OpenAsOthers(const std::string& path, DWORD access, DWORD* error) {
  const HANDLE file = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  *error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
  return file;
}

void ExpectOthersMayOnlyRead(const std::string& path) {
  DWORD error = 0;
  const HANDLE writer = OpenAsOthers(path, GENERIC_WRITE, &error);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(error, DWORD(ERROR_SHARING_VIOLATION));
  if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
  const HANDLE reader = OpenAsOthers(path, GENERIC_READ, &error);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) ::CloseHandle(reader);
  EXPECT_FALSE(::DeleteFileA(path.c_str()));
}

TEST_F(TncSharing, AWritableCacheIsOpenedDenyWriteAndStaysSoAfterEachWrite) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg");
  Use();
  ASSERT_TRUE(AddThumbnail(a));
  ExpectOthersMayOnlyRead(CachePath());
  ASSERT_TRUE(AddThumbnail(b));
  ExpectOthersMayOnlyRead(CachePath());
  EXPECT_TRUE(Finds(a));
  cache_.Close();
  DWORD error = 0;
  const HANDLE writer = OpenAsOthers(CachePath(), GENERIC_WRITE, &error);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE) << "free again after closing";
  ::CloseHandle(writer);
}

TEST_F(TncSharing, ACacheThatAnotherProgramWritesIsReadOnly) {
  const TncRequest a = MakeImage("a.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a)}));
  const std::vector<uint8_t> before = CacheBytes();
  DWORD error = 0;
  const HANDLE other = OpenAsOthers(CachePath(), GENERIC_READ | GENERIC_WRITE, &error);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kReadOnly);
  EXPECT_TRUE(Finds(a));
  EXPECT_FALSE(cache_.ToggleLock());
  TryEveryChange(a);
  ::CloseHandle(other);
  EXPECT_EQ(CacheBytes(), before);
}

TEST_F(TncSharing, TheCacheIsHiddenAfterClosingOrSqueezingWhenTheSettingSaysSo) {
  const TncRequest a = MakeImage("a.jpg");
  options_.hideFile = true;
  Use();
  ASSERT_TRUE(AddThumbnail(a));
  cache_.Close();
  EXPECT_TRUE(::GetFileAttributesA(CachePath().c_str()) & FILE_ATTRIBUTE_HIDDEN);
  Use();
  EXPECT_FALSE(::GetFileAttributesA(CachePath().c_str()) & FILE_ATTRIBUTE_HIDDEN) << "normal while open";
  ASSERT_TRUE(AddThumbnail(MakeImage("b.jpg")));
  cache_.NoteStale(-1);
  LeaveFolder();
  EXPECT_TRUE(::GetFileAttributesA(CachePath().c_str()) & FILE_ATTRIBUTE_HIDDEN);

  options_.hideFile = false;
  Use();
  cache_.Close();
  EXPECT_FALSE(::GetFileAttributesA(CachePath().c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
}

}  // namespace
