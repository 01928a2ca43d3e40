// The exported key page: its lines as they always were, with every text of the user's escaped so
// that a name or annotation holding &, <, >, " or spaces shows as written and links still lead to
// the file.
#include <gtest/gtest.h>

#include "html_text.h"
#include "key_export_page.h"
#include "key_test_data.h"

namespace {

TEST(KeyExportPage, MatchesTheExpectedPageWithNamesAndAnnotationsEscaped) {
  const std::string annotation = "Anna <3 \"home\"";
  const std::string page = KeyExportPageStart("@FOLDER@") +
                           KeyExportSection("Bob & <Co> \"x\"", {{"sub\\50% off #1.jpg", ""}}) +
                           KeyExportSection("People", {{"a & b.jpg", annotation}, {"plain.jpg", ""}}) +
                           KeyExportSection("People\\Anna", {{"a & b.jpg", annotation}}) + KeyExportPageEnd();
  EXPECT_EQ(page, TextFileContents(KeyTestDataPath("keyexport.htm")));
}

TEST(KeyExportPage, AKeyWithoutFilesIsAnEmptyList) {
  EXPECT_EQ(KeyExportSection("Trips", {}), "<B>Trips</B><BR>\n<UL>\n</UL>\n");
}

TEST(KeyExportPage, UserTextsNeverBecomeMarkupOrBreakTheLink) {
  struct Case {
    const char* text;
    const char* asText;
    const char* asLink;
  };
  const Case cases[] = {
      {"plain-name_1.jpg", "plain-name_1.jpg", "plain-name_1.jpg"},
      {"a & b.jpg", "a &amp; b.jpg", "a%20%26%20b.jpg"},
      {"<script>.jpg", "&lt;script&gt;.jpg", "%3Cscript%3E.jpg"},
      {"say \"hi\".jpg", "say &quot;hi&quot;.jpg", "say%20%22hi%22.jpg"},
      {"100%#?.jpg", "100%#?.jpg", "100%25%23%3F.jpg"},
      {"sub\\deeper\\x.jpg", "sub\\deeper\\x.jpg", "sub/deeper/x.jpg"},
      {"caf\xE9.jpg", "caf\xE9.jpg", "caf\xE9.jpg"},  // the code page's own letters stay
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HtmlText(c.text), c.asText) << c.text;
    EXPECT_EQ(UrlPath(c.text), c.asLink) << c.text;
  }
}

TEST(KeyExportPage, LinksAreRelativeToTheExportedFolder) {
  struct Case {
    const char* folder;
    const char* path;
    const char* below;
  };
  const Case cases[] = {
      {"C:\\pics", "C:\\pics\\a.jpg", "a.jpg"},
      {"C:\\pics\\", "C:\\pics\\sub\\a.jpg", "sub\\a.jpg"},
      {"C:", "C:\\a.jpg", "a.jpg"},
      {"C:\\", "C:\\a.jpg", "a.jpg"},
      {"C:\\pics", "C:\\picsX\\a.jpg", "C:\\picsX\\a.jpg"},  // a sibling folder that starts alike
      {"C:\\pics", "C:\\pics", "C:\\pics"},
  };
  for (const Case& c : cases) EXPECT_EQ(PathBelowFolder(c.folder, c.path), c.below) << c.folder << " " << c.path;
}

}  // namespace
