// The Quick Web pages' text, byte for byte against golden files: the index page in its table
// layouts and an image page with its links, with names and annotations that would break markup
// or links; the site's unique names; line splitting and link encoding.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quick_web_names.h"
#include "quick_web_options.h"
#include "quick_web_pages.h"

namespace {

std::string GoldenPath(const std::string& name) {
#if defined(_WIN32)
  return std::string("Z:") + QUICK_WEB_GOLDEN + "/" + name;
#else
  return std::string(QUICK_WEB_GOLDEN) + "/" + name;
#endif
}

std::string Golden(const std::string& name) {
  std::ifstream file(GoldenPath(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

QuickWebCell Cell(const std::string& part, int kilobytes, const std::string& annotation = "") {
  QuickWebCell cell;
  cell.link = part + ".jpg";
  cell.image = part + ".jpg";
  cell.thumbnail = "tn_" + part + ".jpg";
  cell.thumbWidth = 150;
  cell.thumbHeight = 113;
  cell.width = 640;
  cell.height = 480;
  cell.kilobytes = kilobytes;
  cell.date = "6/1/2004 9:05";
  cell.annotation = annotation;
  return cell;
}

std::string IndexPage(const QuickWebOptions& options, const std::vector<QuickWebCell>& cells,
                      const std::string& background = "") {
  StringSink sink;
  QuickWebIndexPage page(options, sink);
  page.Head(background);
  for (const QuickWebCell& cell : cells) page.Cell(cell);
  page.End("7/2/2004 10:30");
  return sink.page;
}

TEST(QuickWebPages, ThreeFilesInThreeColumnsWithFrameLinesAndARedBackground) {
  QuickWebOptions options = DefaultQuickWebOptions();
  options.indexbkgcolor = 255;
  EXPECT_EQ(IndexPage(options, {Cell("a", 41), Cell("b", 7), Cell("c", 0)}), Golden("index_three_columns.htm"));
}

TEST(QuickWebPages, TextBesideWithoutFrameLinesFontsAndEscapedNamesAndAnnotations) {
  QuickWebOptions options = DefaultQuickWebOptions();
  options.framelines = 0;
  options.textunder = 1;
  options.cols = 2;
  options.centered = 0;
  options.annotations = 1;
  options.statictext = 1;
  options.staticstr = "&copy; <b>Me</b>";  // typed as page text: markup on purpose
  options.titletext = "Trip <i>2004</i>";
  options.openingtext = "First line\r\n\r\nSecond line\n";
  options.op_usefontface = options.tt_usefontsize = options.tt_usefontcolr = 1;
  options.op_fontface = "Times New Roman";
  QuickWebCell odd = Cell("a b&c#d<e", 12, "Fish & <chips>\r\nat \"Joe's\"");
  odd.link = "a b&c#d<e.htm";
  EXPECT_EQ(IndexPage(options, {odd, Cell("f", 3), Cell("g", 5)}, "my back.jpg"), Golden("index_beside.htm"));
}

TEST(QuickWebPages, ImagePagesLinkToTheirNeighboursAndTheIndex) {
  QuickWebOptions options = DefaultQuickWebOptions();
  options.createpages = 1;
  options.autobkgcolor = 1;
  options.imgpage_useopening = 1;
  options.pagestatic = 1;
  options.wpp_tt_usefontface = 1;
  QuickWebImagePage page;
  page.image = "b.jpg";
  page.width = 640;
  page.height = 427;
  page.indexPage = "index.htm";
  page.previous = "a.htm";
  page.next = "c 2.htm";
  page.commonColour = 0x204080;
  page.annotation = "<script>x</script>";
  page.now = "7/2/2004 10:30";
  StringSink middle;
  WriteQuickWebImagePage(options, page, middle);
  EXPECT_EQ(middle.page, Golden("image_middle.htm"));

  // The first page has no Previous link, the last no Next link.
  struct Case {
    std::string previous, next;
    bool hasPrevious, hasNext;
  };
  for (const Case& c : {Case{"", "b.htm", false, true}, Case{"a.htm", "", true, false}}) {
    page.previous = c.previous;
    page.next = c.next;
    StringSink sink;
    WriteQuickWebImagePage(options, page, sink);
    EXPECT_EQ(sink.page.find(">Previous</A>") != std::string::npos, c.hasPrevious) << c.previous;
    EXPECT_EQ(sink.page.find(">Next</A>") != std::string::npos, c.hasNext) << c.next;
    EXPECT_NE(sink.page.find("<A href =\"index.htm\">Index Page</A>"), std::string::npos);
  }
}

TEST(QuickWebPages, IncludeFilesGoInByteForByteAndAMissingOneIsNamed) {
  QuickWebOptions options = DefaultQuickWebOptions();
  const std::string include = (std::filesystem::temp_directory_path() / "vireldan-qw-include.htm").string();
  std::ofstream(include, std::ios::binary) << "<P>start\r\n\x01\xff</P>";
  options.use_idxps = options.use_idxpe = 1;
  options.idxps = include;
  options.idxpe = "missing <end>.htm";
  const std::string page = IndexPage(options, {});
  std::filesystem::remove(include);
  EXPECT_NE(page.find("<A HREF=\"http://www.vireldan.com/\"></A>\n<P>start\r\n\x01\xff</P><CENTER>\n"), std::string::npos);
  EXPECT_NE(page.find("<CENTER>\nUnable to open include file missing &lt;end&gt;.htm <BR>\n<FONT size=-1>"),
            std::string::npos);
}

TEST(QuickWebPages, LinesSplitAtEveryRunOfLineBreaks) {
  struct Case {
    std::string text, lines;
  } cases[] = {
      {"", ""},
      {"one", "one<BR>\n"},
      {"one\r\ntwo", "one<BR>\ntwo<BR>\n"},
      {"\r\n\r\none\n\n\rtwo\r\n", "one<BR>\ntwo<BR>\n"},
      {std::string(70000, 'x'), std::string(70000, 'x') + "<BR>\n"},  // no line buffer to overflow
  };
  for (const Case& c : cases) {
    StringSink sink;
    WriteTextAsLines(sink, c.text);
    EXPECT_EQ(sink.page, c.lines) << c.text.substr(0, 20);
  }
}

TEST(QuickWebPages, LinksAreEncodedAndColoursSwapRedAndBlue) {
  struct Case {
    std::string name, link;
  } cases[] = {
      {"photo.jpg", "photo.jpg"},
      {"a b&c#d<e\"f%.jpg", "a%20b%26c%23d%3Ce%22f%25.jpg"},
      {"x?y=1.htm", "x%3Fy%3D1.htm"},
  };
  for (const Case& c : cases) EXPECT_EQ(QuickWebLink(c.name), c.link);
#if !defined(_WIN32)
  EXPECT_EQ(QuickWebLink("\xc3\xa9t\xc3\xa9.jpg"), "%C3%A9t%C3%A9.jpg");  // UTF-8 names as they are
#endif
  EXPECT_EQ(QuickWebColour(255), "ff0000");
  EXPECT_EQ(QuickWebColour(0x7F0000), "00007f");
  EXPECT_EQ(QuickWebColour(0x123456), "563412");
}

TEST(QuickWebPages, EverySiteFileGetsANameNoOtherFileHas) {
  QuickWebNaming naming;
  EXPECT_EQ(naming.Reserve("index.htm"), "index.htm");
  EXPECT_EQ(naming.Reserve("background.jpg"), "background.jpg");
  EXPECT_EQ(naming.Reserve("Background.JPG"), "Background_2.JPG");
  struct Case {
    std::string source, image, thumbnail, page;
  } cases[] = {
      {"photo.jpg", "photo.jpg", "tn_photo.jpg", "photo.htm"},
      {"photo.tif", "photo_2.jpg", "tn_photo_2.jpg", "photo_2.htm"},
      {"PHOTO.png", "PHOTO_3.jpg", "tn_PHOTO_3.jpg", "PHOTO_3.htm"},
      {"index.jpg", "index_2.jpg", "tn_index_2.jpg", "index_2.htm"},
      {"background.gif", "background_3.jpg", "tn_background_3.jpg", "background_3.htm"},
      {"tn_x.jpg", "tn_x.jpg", "tn_tn_x.jpg", "tn_x.htm"},
      {"x.jpg", "x_2.jpg", "tn_x_2.jpg", "x_2.htm"},
      {"noextension", "noextension.jpg", "tn_noextension.jpg", "noextension.htm"},
      {"a.b.c.jpg", "a.b.c.jpg", "tn_a.b.c.jpg", "a.b.c.htm"},
  };
  for (const Case& c : cases) {
    const QuickWebNames names = naming.ForPicture(c.source);
    EXPECT_EQ((std::vector<std::string>{names.image, names.thumbnail, names.page}),
              (std::vector<std::string>{c.image, c.thumbnail, c.page}))
        << c.source;
  }
}

}  // namespace
