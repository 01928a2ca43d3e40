// The slide-order file's hidden attribute follows the "HiddenFiles" value "sts" after every read
// and write, and a hidden old file is rewritten all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "file_system.h"
#include "slide_order_bytes.h"
#include "slide_order_file.h"

namespace {

class SlideOrderHidden : public SlideOrderFolder {
 protected:
  void TearDown() override {
    g_settings.hiddenFiles.sts = 0;
    ::SetFileAttributesA(StsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    SlideOrderFolder::TearDown();
  }
  DWORD Attributes() const { return ::GetFileAttributesA(StsPath().c_str()); }
  bool Hidden() const { return (Attributes() & FILE_ATTRIBUTE_HIDDEN) != 0; }
};

TEST_F(SlideOrderHidden, FollowsTheSettingAfterWritingAndReading) {
  CThumbList list;
  AddFile(list, "a.jpg", 3);
  g_settings.hiddenFiles.sts = 1;
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  EXPECT_TRUE(Hidden());
  list.GetFirst()->slidePos = 4;
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));  // over a hidden file
  EXPECT_TRUE(Hidden());
  EXPECT_EQ(StsBytes(), SlideHeader() + SlideRecordBytes("a.jpg", 4));

  g_settings.hiddenFiles.sts = 0;
  list.GetFirst()->slidePos = 0;
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));
  EXPECT_EQ(list.GetFirst()->slidePos, 4u);
  EXPECT_FALSE(Hidden());
  g_settings.hiddenFiles.sts = 1;
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));
  EXPECT_TRUE(Hidden());
}

TEST_F(SlideOrderHidden, TheAttributeChangesAloneKeepingTheOthers) {
  Make("vireldan.sts", SlideHeader());
  ASSERT_TRUE(::SetFileAttributesA(StsPath().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(platform::SetHiddenAttribute(StsPath(), true));
  EXPECT_EQ(Attributes(), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(platform::SetHiddenAttribute(StsPath(), false));
  EXPECT_EQ(Attributes(), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(::SetFileAttributesA(StsPath().c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(platform::SetHiddenAttribute(StsPath(), false));  // nothing left: "normal"
  EXPECT_FALSE(Hidden());
  EXPECT_FALSE(platform::SetHiddenAttribute(StsPath() + ".missing", true));
}

}  // namespace
