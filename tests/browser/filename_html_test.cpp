// Copy Filename (HTML), in both trees: each key's text, with and without a loaded thumbnail, and
// names that would break a tag.
#include <string>

#include <gtest/gtest.h>

#include "filename_html.h"

namespace {

struct HtmlCase {
  const char* name;
  FilenameHtmlStyle style;
  bool loaded;
  const char* text;
};

const HtmlCase kCases[] = {
    {"a.jpg", FilenameHtmlStyle::kFullPath, true, "C:\\Pictures\\a.jpg"},
    {"a.jpg", FilenameHtmlStyle::kName, true, "a.jpg"},
    {"a.jpg", FilenameHtmlStyle::kImageTag, true, "<IMG SRC =\"a.jpg\" WIDTH=640  HEIGHT=480>"},
    {"a.jpg", FilenameHtmlStyle::kImageTag, false, "<IMG SRC =\"a.jpg\" >"},
    {"a.jpg", FilenameHtmlStyle::kThumbnailLink, true, "<A HREF=\"a.jpg\"><IMG SRC =\"thumbnails/a.jpg\"></A>"},
    {"a.jpg", FilenameHtmlStyle::kThumbnailLink, false, "<IMG SRC =\"a.jpg\" >"},
    // Characters that would end the attribute, start markup or cut the link.
    {"My \"best\" <1> & #2.jpg", FilenameHtmlStyle::kImageTag, false,
     "<IMG SRC =\"My%20%22best%22%20%3C1%3E%20%26%20%232.jpg\" >"},
    {"50%.jpg", FilenameHtmlStyle::kThumbnailLink, true,
     "<A HREF=\"50%25.jpg\"><IMG SRC =\"thumbnails/50%25.jpg\"></A>"},
    // The plain texts are for pasting as they are.
    {"My \"best\".jpg", FilenameHtmlStyle::kName, true, "My \"best\".jpg"},
};

TEST(FilenameHtml, GivesEachKeysText) {
  for (const HtmlCase& c : kCases) {
    FilenameHtmlSource file;
    file.folder = "C:\\Pictures\\";
    file.name = c.name;
    file.loaded = c.loaded;
    file.width = 640;
    file.height = 480;
    EXPECT_EQ(FilenameHtml(file, c.style), c.text) << c.name;
  }
}

}  // namespace
