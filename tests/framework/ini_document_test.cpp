// The INI text the profile is kept in: values survive the format, and a write touches only its line.
#include <string>

#include <gtest/gtest.h>

#include "ini_document.h"

namespace {

TEST(IniDocument, ValuesThatTheFormatWouldMangleRoundTrip) {
  const std::string values[] = {"  leading blanks", "trailing blanks  ", "two\r\nlines", "tab\there",
                                "\"quoted\"",        "c:\\path\\to\\x",   "",             "   ",
                                "back\\slash at end\\", "a \"quote\" inside"};
  IniDocument document;
  int i = 0;
  for (const std::string& value : values) document.Set("Section", "v" + std::to_string(i++), value);
  const IniDocument reread(document.Text());
  i = 0;
  for (const std::string& value : values) {
    std::string found;
    ASSERT_TRUE(reread.Find("Section", "v" + std::to_string(i++), found));
    EXPECT_EQ(found, value);
  }
}

TEST(IniDocument, PlainValuesAreWrittenAsTheyAre) {
  IniDocument document;
  document.Set("Main Options", "mainpath", "c:\\photos\\2004");
  document.Set("Main Options", "tipnum", "7");
  EXPECT_EQ(document.Text(), "[Main Options]\r\nmainpath=c:\\photos\\2004\r\ntipnum=7\r\n");
  document.Set("QuickWeb", "idxpe", "index page end   - include file name");
  document.Set("QuickWeb", "spaced", " x ");
  EXPECT_EQ(document.Text(),
            "[Main Options]\r\nmainpath=c:\\photos\\2004\r\ntipnum=7\r\n\r\n[QuickWeb]\r\n"
            "idxpe=index page end   - include file name\r\nspaced=\" x \"\r\n");
}

TEST(IniDocument, AWriteChangesOnlyItsOwnLine) {
  const std::string text =
      "; written by hand\r\n[Thumbnails]\r\nThumbnail Size = 2\r\nsortby=0\r\n\r\n[Audio]\r\nplayondisplay=1\r\n";
  IniDocument document(text);
  std::string value;
  ASSERT_TRUE(document.Find("thumbnails", "THUMBNAIL SIZE", value));
  EXPECT_EQ(value, "2");
  document.Set("THUMBNAILS", "thumbnail size", "3");
  document.Set("Thumbnails", "reverse", "1");
  EXPECT_EQ(document.Text(),
            "; written by hand\r\n[Thumbnails]\r\nthumbnail size=3\r\nsortby=0\r\nreverse=1\r\n\r\n[Audio]\r\n"
            "playondisplay=1\r\n");
  EXPECT_FALSE(document.Find("Audio", "sortby", value));
}

TEST(IniDocument, HandWrittenFilesReadAsWindowsReadsThem) {
  const IniDocument document("[A]\nx = spaced out  \ny=\"c:\\dir\"\nbroken line\n[ B ]\nz=1=2\n");
  std::string value;
  ASSERT_TRUE(document.Find("A", "x", value));
  EXPECT_EQ(value, "spaced out");
  ASSERT_TRUE(document.Find("A", "y", value));
  EXPECT_EQ(value, "c:\\dir");  // an unknown escape stays as written
  ASSERT_TRUE(document.Find("B", "z", value));
  EXPECT_EQ(value, "1=2");
  EXPECT_FALSE(document.Find("A", "broken line", value));
}

}  // namespace
