// The Quick Web wizard's pages that come in pairs, one for the index page and one for the image
// pages: colours with a background picture, FONT attributes, and include files.
#include <windows.h>

#include "app_settings.h"
#include "batch_process_ps.h"
#include "current_folders.h"
#include "file_question.h"
#include "quick_web_resource.h"
#include "quick_web_wizard.h"

namespace {

CAppSettings::QuickWeb& Web() { return g_settings.quickWeb; }

// An open-file dialog that opens in the folder the wizard keeps for its files, made the current
// folder meanwhile; the current folder is the same afterwards as before. Empty when the user
// cancels.
std::string ChooseFileInIncludeFolder(HWND owner, const char* title, const char* extension, const char* name,
                                      const char* filter) {
  const std::string previous = CurrentDirectory();
  const std::string& folder = Web().includepath;
  ::SetCurrentDirectoryA(folder.c_str());
  const std::string chosen = AskFileToOpen(owner, {title, filter, extension, name, folder});
  ::SetCurrentDirectoryA(previous.c_str());
  return chosen;
}

}  // namespace

// Colours.

QuickWebColorPage::QuickWebColorPage(int templateId, int index, const Colors& colors, std::vector<Binding> more)
    : QuickWebPage(templateId, index, Bindings(colors, std::move(more)),
                   {{IDC_QW_EDIT1, IDC_QW_USE_BKG_IMAGE, 0, false}, {IDC_QW_BROWSE, IDC_QW_USE_BKG_IMAGE, 0, false}}),
      values_{&colors.background, &colors.text, &colors.link, &colors.visited},
      image_(&colors.image) {}

std::vector<QuickWebPage::Binding> QuickWebColorPage::Bindings(const Colors& colors, std::vector<Binding> more) {
  more.push_back(Check(IDC_QW_USE_BKG_IMAGE, colors.useImage));
  more.push_back(Text(IDC_QW_EDIT1, colors.image));
  return more;
}

namespace {
const int kColorBoxes[4] = {IDC_QW_BKG_COLOR, IDC_QW_TEXT_COLOR, IDC_QW_LINK_COLOR, IDC_QW_VISITED_COLOR};
}

bool QuickWebColorPage::OnInitDialog() {
  for (int i = 0; i < 4; ++i) {
    boxes_[i].Subclass(Item(kColorBoxes[i]));
    boxes_[i].CreateSwatch(COLORREF(*values_[i]), false);
  }
  return QuickWebPage::OnInitDialog();
}

void QuickWebColorPage::DoDataExchange(DataExchange& exchange) {
  QuickWebPage::DoDataExchange(exchange);
  for (int i = 0; i < 4; ++i) {
    if (!exchange.Saving())
      boxes_[i].SetColor(COLORREF(*values_[i]));
    else if (boxes_[i].HasSwatch())
      *values_[i] = int(boxes_[i].GetColor());
  }
}

bool QuickWebColorPage::OnCommand(int id, int code) {
  if (id != IDC_QW_BROWSE) return QuickWebPage::OnCommand(id, code);
  const std::string chosen =
      ChooseFileInIncludeFolder(Handle(), "Choose Background Image", "jpg", "bgimage.jpg", kImageFileFilter);
  // Stored at once, as the include files are: the choice stays even when the wizard is then
  // cancelled.
  if (chosen.empty()) return true;
  *image_ = chosen;
  SetItemText(IDC_QW_EDIT1, chosen);
  return true;
}

CQW6::CQW6()
    : QuickWebColorPage(IDD_QW_INDEX_COLORS, 5,
                        {Web().indexbkgcolor, Web().indexfgcolor, Web().indexlkgcolor, Web().indexvicolor,
                         Web().idx_usebg, Web().idx_bgimage},
                        {}) {}

CQW5::CQW5()
    : QuickWebColorPage(IDD_QW_IMAGE_COLORS, 9,
                        {Web().imagebkgcolor, Web().imagefgcolor, Web().imagelkgcolor, Web().imagevicolor,
                         Web().img_usebg, Web().img_bgimage},
                        {Check(IDC_QW_AUTO_BKG_COLOR, Web().autobkgcolor)}) {}

// Fonts.

QuickWebFontPage::QuickWebFontPage(int templateId, int index, const Font& opening, const Font& text)
    : QuickWebPage(templateId, index, Bindings(opening, text),
                   {{IDC_QW_EDIT1, IDC_QW_OP_FACE, 0, false},
                    {IDC_QW_EDIT2, IDC_QW_OP_SIZE, 0, false},
                    {IDC_QW_EDIT3, IDC_QW_OP_COLOR, 0, false},
                    {IDC_QW_EDIT4, IDC_QW_TT_FACE, 0, false},
                    {IDC_QW_EDIT5, IDC_QW_TT_SIZE, 0, false},
                    {IDC_QW_EDIT6, IDC_QW_TT_COLOR, 0, false}}) {}

std::vector<QuickWebPage::Binding> QuickWebFontPage::Bindings(const Font& opening, const Font& text) {
  return {Check(IDC_QW_OP_FACE, opening.useFace), Text(IDC_QW_EDIT1, opening.face),
          Check(IDC_QW_OP_SIZE, opening.useSize), Text(IDC_QW_EDIT2, opening.size),
          Check(IDC_QW_OP_COLOR, opening.useColor), Text(IDC_QW_EDIT3, opening.color),
          Check(IDC_QW_TT_FACE, text.useFace), Text(IDC_QW_EDIT4, text.face),
          Check(IDC_QW_TT_SIZE, text.useSize), Text(IDC_QW_EDIT5, text.size),
          Check(IDC_QW_TT_COLOR, text.useColor), Text(IDC_QW_EDIT6, text.color)};
}

CQW3B::CQW3B()
    : QuickWebFontPage(IDD_QW_INDEX_FONT, 6,
                       {Web().op_usefontface, Web().op_usefontsize, Web().op_usefontcolr, Web().op_fontface,
                        Web().op_fontsize, Web().op_fontcolr},
                       {Web().tt_usefontface, Web().tt_usefontsize, Web().tt_usefontcolr, Web().tt_fontface,
                        Web().tt_fontsize, Web().tt_fontcolr}) {}

CQW3C::CQW3C()
    : QuickWebFontPage(IDD_QW_PAGE_FONT, 10,
                       {Web().wpp_op_usefontface, Web().wpp_op_usefontsize, Web().wpp_op_usefontcolr,
                        Web().wpp_op_fontface, Web().wpp_op_fontsize, Web().wpp_op_fontcolr},
                       {Web().wpp_tt_usefontface, Web().wpp_tt_usefontsize, Web().wpp_tt_usefontcolr,
                        Web().wpp_tt_fontface, Web().wpp_tt_fontsize, Web().wpp_tt_fontcolr}) {}

// Include files.

QuickWebIncludePage::QuickWebIncludePage(int templateId, int index, const Include& start, const Include& end)
    : QuickWebPage(templateId, index,
                   {Check(start.check, start.use), Text(start.edit, start.file), Check(end.check, end.use),
                    Text(end.edit, end.file)},
                   {{start.edit, start.check, 0, false},
                    {start.browse, start.check, 0, false},
                    {end.edit, end.check, 0, false},
                    {end.browse, end.check, 0, false}}),
      start_(start),
      end_(end) {}

bool QuickWebIncludePage::OnCommand(int id, int code) {
  if (id != start_.browse && id != end_.browse) return QuickWebPage::OnCommand(id, code);
  const Include& group = id == start_.browse ? start_ : end_;
  const std::string chosen = ChooseFileInIncludeFolder(Handle(), "Choose HTML Include file", "htm", "includefile.htm",
                                                       "HTML include file (*.htm)\0*.htm\0");
  if (chosen.empty()) return true;
  group.file = chosen;
  SetItemText(group.edit, chosen);
  Web().includepath = chosen.substr(0, chosen.find_last_of('\\') + 1);
  return true;
}

CQW1A::CQW1A()
    : QuickWebIncludePage(IDD_QW_INDEX_INCLUDES, 7,
                          {IDC_QW_USE_IDXPS, IDC_QW_EDIT1, IDC_QW_BROWSE_IDXPS, Web().use_idxps, Web().idxps},
                          {IDC_QW_USE_IDXPE, IDC_QW_EDIT2, IDC_QW_BROWSE_IDXPE, Web().use_idxpe, Web().idxpe}) {}

CQW1C::CQW1C()
    : QuickWebIncludePage(IDD_QW_PAGE_INCLUDES, 11,
                          {IDC_QW_USE_IMGPS, IDC_QW_EDIT3, IDC_QW_BROWSE_IMGPS, Web().use_imgps, Web().imgps},
                          {IDC_QW_USE_IMGPE, IDC_QW_EDIT4, IDC_QW_BROWSE_IMGPE, Web().use_imgpe, Web().imgpe}) {}
