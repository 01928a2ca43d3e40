#include "quick_web_pages.h"

#include <cstdio>

#include "html_text.h"
#include "name_forms.h"

const char kQuickWebMakerAddress[] = "http://www.vireldan.com/";
const char kQuickWebProductAddress[] = "http://www.vireldan.com/vireldan/";

namespace {

std::string Anchor(const char* address) { return std::string("<A HREF=\"") + address + "\"></A>\n"; }

std::string Credit() {
  return std::string("Web page and images generated using<BR><A HREF=\"") + kQuickWebProductAddress +
         "\">Vireldan</A>\n";
}

std::string Body(const std::string& background, int colour, int text, int link, int visited) {
  std::string body = "<BODY ";
  if (!background.empty()) body += "background=\"" + QuickWebLink(background) + "\" ";
  return body + "bgcolor=\"#" + QuickWebColour(colour) + "\" text=\"#" + QuickWebColour(text) + "\"  link=\"#" +
         QuickWebColour(link) + "\" vlink=\"#" + QuickWebColour(visited) + "\">\n";
}

struct FontChoice {
  int useFace, useSize, useColour;
  const std::string &face, &size, &colour;
};

// Opens a FONT tag with the attributes chosen; false (and nothing written) when none is.
bool OpenFont(PageSink& sink, const FontChoice& font) {
  if (!font.useFace && !font.useSize && !font.useColour) return false;
  std::string tag = "<FONT ";
  if (font.useFace) tag += "FACE=\"" + HtmlText(font.face) + "\" ";
  if (font.useSize) tag += "SIZE=\"" + HtmlText(font.size) + "\" ";
  if (font.useColour) tag += "COLOR=\"" + HtmlText(font.colour) + "\" ";
  sink.Text(tag + ">\n");
  return true;
}

void CloseFont(PageSink& sink, bool opened) {
  if (opened) sink.Text("</FONT>\n");
}

std::string ImageTag(const std::string& prefix, const std::string& name, int width, int height) {
  return prefix + "<img src= \"" + QuickWebLink(name) + "\" border=0 width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\">";
}

void PageFoot(PageSink& sink, const std::string& now) {
  sink.Text("<FONT size=-1>\n" + Credit() + "<BR>" + now + "<BR>" + "</FONT>\n</CENTER>\n" +
            Anchor(kQuickWebMakerAddress) + "</BODY>\n</HTML>\n");
}

}  // namespace

std::string QuickWebLink(const std::string& fileName) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string link;
  for (const char c : platform::NameAsUtf8(fileName)) {
    const unsigned char byte = static_cast<unsigned char>(c);
    const bool kept = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                      byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (kept) {
      link += c;
    } else {
      link += '%';
      link += kHex[byte >> 4];
      link += kHex[byte & 15];
    }
  }
  return link;
}

std::string QuickWebColour(int windowsRgb) {
  const unsigned rgb = unsigned(windowsRgb);
  char text[8];
  std::snprintf(text, sizeof text, "%06x", (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
  return text;
}

void WriteTextAsLines(PageSink& sink, const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty()) sink.Text(line + "<BR>\n");
    if (end == std::string::npos) break;
    start = text.find_first_not_of("\r\n", end);
    if (start == std::string::npos) break;
  }
}

void CopyIncludeFile(PageSink& sink, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    sink.Text("Unable to open include file " + HtmlText(path) + " <BR>\n");
    return;
  }
  char piece[4096];
  size_t read;
  while ((read = std::fread(piece, 1, sizeof piece, file)) > 0) sink.Bytes(std::string(piece, read));
  std::fclose(file);
}

void QuickWebIndexPage::Head(const std::string& background) {
  const QuickWebOptions& o = options_;
  sink_.Text("<HTML>\n<HEAD>\n<TITLE> " + o.titletext + " </TITLE>\n</HEAD>\n");
  sink_.Text(Body(background, o.indexbkgcolor, o.indexfgcolor, o.indexlkgcolor, o.indexvicolor));
  sink_.Text(Anchor(kQuickWebMakerAddress));
  if (o.use_idxps) CopyIncludeFile(sink_, o.idxps);
  if (o.centered) sink_.Text("<CENTER>\n");
  const bool font = OpenFont(sink_, {o.op_usefontface, o.op_usefontsize, o.op_usefontcolr, o.op_fontface,
                                     o.op_fontsize, o.op_fontcolr});
  WriteTextAsLines(sink_, o.openingtext);
  CloseFont(sink_, font);
  sink_.Text("<BR>\n<TABLE BORDER=" + std::to_string(o.framelines ? 1 : 0) +
             " CELLPADDING=10 FRAME=BORDER RULES=NONE WIDTH=\"100%\">\n");
}

void QuickWebIndexPage::Cell(const QuickWebCell& cell) {
  const QuickWebOptions& o = options_;
  const bool beside = o.textunder == 1;
  if (column_ == 0) sink_.Text("   <TR>\n");
  sink_.Text("      <TD>\n");
  if (beside) sink_.Text("<TABLE BORDER=0 CELLPADDING=3>\n<TR>\n<TD>\n");
  const std::string link = QuickWebLink(cell.link);
  sink_.Text("<A href = \"" + link + "\">\n" + ImageTag("", cell.thumbnail, cell.thumbWidth, cell.thumbHeight) +
             "\n</A>\n");
  sink_.Text(beside ? "      </TD>\n      <TD>\n" : "<P>\n");
  const bool font = OpenFont(sink_, {o.tt_usefontface, o.tt_usefontsize, o.tt_usefontcolr, o.tt_fontface,
                                     o.tt_fontsize, o.tt_fontcolr});
  if (o.filenames) sink_.Text("<A href = \"" + link + "\">" + HtmlText(cell.image) + "</A><br>\n");
  if (o.filedates) sink_.Text(cell.date + "<br>\n");
  if (o.filesizes)
    sink_.Text(std::to_string(cell.width) + " x " + std::to_string(cell.height) + ", " +
               std::to_string(cell.kilobytes) + " Kb<br>\n");
  if (o.annotations) WriteTextAsLines(sink_, HtmlText(cell.annotation));
  if (o.statictext) WriteTextAsLines(sink_, o.staticstr);
  CloseFont(sink_, font);
  if (beside) sink_.Text("</TD>\n</TR>\n</TABLE>\n");
  sink_.Text("      </TD>\n");
  if (++column_ >= o.cols) {
    sink_.Text("   </TR>\n");
    column_ = 0;
  }
}

void QuickWebIndexPage::End(const std::string& now) {
  const QuickWebOptions& o = options_;
  sink_.Text("   </TR>\n</TABLE>\n");
  if (o.centered) sink_.Text("</CENTER>\n");
  sink_.Text("<CENTER>\n");
  if (o.use_idxpe) CopyIncludeFile(sink_, o.idxpe);
  if (!o.framelines) sink_.Text("<HR width=\"80%\">\n");
  PageFoot(sink_, now);
}

void WriteQuickWebImagePage(const QuickWebOptions& o, const QuickWebImagePage& page, PageSink& sink) {
  sink.Text("<HTML>\n<HEAD>\n<TITLE>Viewing Image - " + HtmlText(page.image) + " </TITLE>\n</HEAD>\n");
  const int background = o.autobkgcolor ? int(page.commonColour) : o.imagebkgcolor;
  sink.Text(Body(page.background, background, o.imagefgcolor, o.imagelkgcolor, o.imagevicolor));
  if (o.centerimages) sink.Text("<CENTER>\n");
  sink.Text(Anchor(kQuickWebProductAddress));
  if (o.use_imgps) CopyIncludeFile(sink, o.imgps);
  const bool openingFont = OpenFont(sink, {o.wpp_op_usefontface, o.wpp_op_usefontsize, o.wpp_op_usefontcolr,
                                           o.wpp_op_fontface, o.wpp_op_fontsize, o.wpp_op_fontcolr});
  if (o.imgpage_useopening) WriteTextAsLines(sink, o.imgpage_openingtext);
  CloseFont(sink, openingFont);
  const bool textFont = OpenFont(sink, {o.wpp_tt_usefontface, o.wpp_tt_usefontsize, o.wpp_tt_usefontcolr,
                                        o.wpp_tt_fontface, o.wpp_tt_fontsize, o.wpp_tt_fontcolr});
  const std::string index = QuickWebLink(page.indexPage);
  if (o.prevnextbtns) {
    std::string row = "<TABLE border=0 WIDTH=\"70%\"><TR>\n  <TD align=left width = \"34%\">\n";
    if (!page.previous.empty()) row += "  <A href=\"" + QuickWebLink(page.previous) + "\">Previous</A>\n";
    row += "  </TD>\n  <TD align=center width = \"33%\">\n<A href =\"" + index +
           "\">Index Page</A><BR>\n  </TD>\n  <TD align=right width = \"33%\">\n";
    if (!page.next.empty()) row += "  <A href=\"" + QuickWebLink(page.next) + "\">Next</A>\n";
    sink.Text(row + "  </TD>\n  </TR></TABLE>\n");
  }
  sink.Text(ImageTag("<BR>", page.image, page.width, page.height) + "<BR><BR>\n");
  if (o.pagefilenames) sink.Text(HtmlText(page.image) + "<BR>\n");
  if (o.pageannots) WriteTextAsLines(sink, HtmlText(page.annotation));
  if (o.pagestatic) WriteTextAsLines(sink, o.staticstr);
  if (o.pagebackbtn) sink.Text("<A href =\"" + index + "\"> " + o.backlinktext + "</A><BR>\n");
  CloseFont(sink, textFont);
  if (o.centerimages) sink.Text("</CENTER>\n");
  if (o.use_imgpe) CopyIncludeFile(sink, o.imgpe);
  sink.Text("<CENTER>\n<HR width=\"40%\">\n");
  PageFoot(sink, page.now);
}
