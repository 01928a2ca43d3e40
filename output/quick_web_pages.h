#pragma once
// The text of a Quick Web site's pages: the index page (head, one cell per picture, end) and a
// picture's own page. Free of files and windows: the text goes to a sink, so that both trees test
// it byte for byte.
//
// Whose text is what: the texts the user typed as page text (title, opening text, the static
// text, the back link's text, FONT values) may hold markup on purpose and go in as written;
// names of files and annotations are the user's data and are escaped; every link is
// percent-encoded UTF-8 inside quotes, so that a space, '&', '#', '<' or a letter outside ASCII
// in a name keeps the link whole and pointing at its file.
#include <string>

#include "app_settings.h"

using QuickWebOptions = CAppSettings::QuickWeb;

// Where a page's text goes: generated text, and the bytes of include files as they are.
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void Text(const std::string& text) = 0;
  virtual void Bytes(const std::string& bytes) = 0;
};

class StringSink : public PageSink {
 public:
  void Text(const std::string& text) override { page += text; }
  void Bytes(const std::string& bytes) override { page += bytes; }
  std::string page;
};

// A file name as a link target: its UTF-8 bytes, every one outside letters, digits and "-._~"
// percent-encoded.
std::string QuickWebLink(const std::string& fileName);

// A colour setting (Windows RGB, red in the low byte) as the page's RRGGBB.
std::string QuickWebColour(int windowsRgb);

// Splits at every run of CR and LF (empty lines vanish), each piece followed by "<BR>\n".
void WriteTextAsLines(PageSink& sink, const std::string& text);

// The include file's bytes, or a line saying that it could not be opened.
void CopyIncludeFile(PageSink& sink, const std::string& path);

// What a picture contributes to the index page.
struct QuickWebCell {
  std::string link;       // the picture's page, or its page image when there are no pages
  std::string image;      // the page image's name
  std::string thumbnail;  // the thumbnail's name
  int thumbWidth = 0, thumbHeight = 0;
  int width = 0, height = 0, kilobytes = 0;  // the page image
  std::string date;                          // the source's last write
  std::string annotation;
};

class QuickWebIndexPage {
 public:
  QuickWebIndexPage(const QuickWebOptions& options, PageSink& sink) : options_(options), sink_(sink) {}

  // background: the copied background picture's name (empty: none).
  void Head(const std::string& background);
  void Cell(const QuickWebCell& cell);
  void End(const std::string& now);

 private:
  const QuickWebOptions& options_;
  PageSink& sink_;
  int column_ = 0;
};

struct QuickWebImagePage {
  std::string image;  // the page image's name
  int width = 0, height = 0;
  std::string indexPage;            // N.htm
  std::string previous, next;       // pages; empty for none
  std::string background;           // the copied background picture's name; empty for none
  unsigned commonColour = 0;        // the picture's most common colour (Windows RGB)
  std::string annotation;
  std::string now;
};

void WriteQuickWebImagePage(const QuickWebOptions& options, const QuickWebImagePage& page, PageSink& sink);

// The addresses of the empty anchors and of the credit.
extern const char kQuickWebMakerAddress[];
extern const char kQuickWebProductAddress[];
