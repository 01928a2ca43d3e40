// The batch-print sheet's three layout pages: Grid Setup, Image Area and Text Area. Every control
// works on the "Batch Print" settings at once and the sheet follows each change.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app.h"
#include "app_settings.h"
#include "batch_print_ps.h"
#include "number_text.h"
#include "private_messages.h"
#include "resource.h"

namespace {

constexpr int kMaxOffset = 1000000;  // 10 inches
constexpr int kMaxCell = 2000000;    // 20 inches

CAppSettings::BatchPrint& Layout() { return g_settings.batchPrint; }

bool KeyDown(int key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; }

int LengthStep() { return SpinnerStep(BatchPrintSpinUnit, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL) || KeyDown(VK_MENU)); }

// A length spinner: its value, its range and whether its up arrow moves the area up.
struct LengthSpinner {
  int id;
  int* value;
  int maximum;
  bool vertical;
};

bool SpinLength(const LengthSpinner* spinners, size_t count, int id, int delta) {
  for (size_t i = 0; i < count; ++i)
    if (spinners[i].id == id) {
      const LengthSpinner& s = spinners[i];
      *s.value = SpinValue(*s.value, delta, LengthStep(), s.vertical, 0, s.maximum);
      return true;
    }
  return false;
}

int NumberIn(const std::string& text) { return std::atoi(text.c_str()); }

// The copies the box holds while it is typed into: only a count the box would accept when the page
// is left; meanwhile the counts and the miniature keep the last good one.
bool CopiesIn(const std::string& text, int& copies) {
  int number = 0;
  if (!ParseDecimalInt(text, number) || number < 1 || number > kMaxBatchCopies) return false;
  copies = number;
  return true;
}

}  // namespace

// The common part of the pages.

bool BatchPrintPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == UDN_DELTAPOS) {
      const NMUPDOWN* spin = reinterpret_cast<const NMUPDOWN*>(lParam);
      if (OnSpin(int(header->idFrom), spin->iDelta)) sheet_.Changed();
      result = TRUE;  // the spinners are arrow buttons only: their own position stays
      return true;
    }
    if (header->code == PSN_SETACTIVE) Refresh();
  }
  return PropertyPage::OnMessage(message, wParam, lParam, result);
}

void BatchPrintPage::SetLength(int id, int length) {
  const std::string text = LayoutLengthText(length, Layout().english != 0);
  if (ItemText(id) != text) SetItemText(id, text);
}

void BatchPrintPage::AskUprightForText() {
  if (!Layout().bp_dotext || Layout().upright) return;
  if (::MessageBoxA(Handle(),
                    "Since you are including text with the images...\n\nDo you want to keep the images upright,\n"
                    "rather than rotating them to best fit the image area?\n",
                    MessageCaption(), MB_YESNO | MB_ICONQUESTION) == IDYES)
    Layout().upright = 1;
}

// Grid Setup.

CGridSetupPP::CGridSetupPP(CBatchPrintPS& sheet) : BatchPrintPage(IDD_BP_GRID, sheet) {}

bool CGridSetupPP::OnInitDialog() {
  SetItemText(IDC_BP_SKIP, std::to_string(BatchPrintSkip));
  ::SendMessageA(Item(IDC_BP_COPIES), EM_LIMITTEXT, 40, 0);
  Refresh();
  return PropertyPage::OnInitDialog();
}

// The box shows the copies again whenever the page comes to the front (a loaded setup brings its
// own) and holds the user to the range when the page is left or the sheet prints.
void CGridSetupPP::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_BP_COPIES, Layout().copies, 1, kMaxBatchCopies);
}

void CGridSetupPP::Refresh() {
  if (!Handle()) return;
  const CAppSettings::BatchPrint& p = Layout();
  SetCheck(IDC_BP_METRIC, !p.english);
  SetCheck(IDC_BP_DOTEXT, p.bp_dotext != 0);
  SetItemText(IDC_BP_COLS, std::to_string(p.cols));
  SetItemText(IDC_BP_ROWS, std::to_string(p.rows));
  SetLength(IDC_BP_X_TEXT, p.coloffset);
  SetLength(IDC_BP_Y_TEXT, p.rowoffset);
  SetLength(IDC_BP_WIDTH_TEXT, p.colwidth);
  SetLength(IDC_BP_HEIGHT_TEXT, p.colheight);
}

bool CGridSetupPP::OnSpin(int id, int delta) {
  CAppSettings::BatchPrint& p = Layout();
  if (id == IDC_BP_COLS_SPIN || id == IDC_BP_ROWS_SPIN) {
    int& count = id == IDC_BP_COLS_SPIN ? p.cols : p.rows;
    count = SpinValue(count, delta, KeyDown(VK_SHIFT) ? 5 : 1, false, 1, kMaxGridCount);
    sheet_.ComputeLayout();
    sheet_.FitImageArea();
    return true;
  }
  const LengthSpinner spinners[] = {
      {IDC_BP_COLOFFSET_SPIN, &p.coloffset, kMaxOffset, false},
      {IDC_BP_ROWOFFSET_SPIN, &p.rowoffset, kMaxOffset, true},
      {IDC_BP_COLWIDTH_SPIN, &p.colwidth, kMaxCell, false},
      {IDC_BP_COLHEIGHT_SPIN, &p.colheight, kMaxCell, false},
  };
  if (!SpinLength(spinners, std::size(spinners), id, delta)) return false;
  if (id == IDC_BP_COLWIDTH_SPIN || id == IDC_BP_COLHEIGHT_SPIN) sheet_.FitImageArea();
  return true;
}

bool CGridSetupPP::OnCommand(int id, int code) {
  CAppSettings::BatchPrint& p = Layout();
  switch (id) {
    case IDC_BP_METRIC:
      if (code != BN_CLICKED) return false;
      p.english = !Checked(IDC_BP_METRIC);
      BatchPrintSpinUnit = p.english ? 10000 : 3937;
      break;
    case IDC_BP_DOTEXT:
      if (code != BN_CLICKED) return false;
      p.bp_dotext = Checked(IDC_BP_DOTEXT);
      AskUprightForText();
      sheet_.ComputeLayout();
      break;
    case IDC_BP_COPIES:
      if (code != EN_CHANGE) return false;
      if (!CopiesIn(ItemText(id), p.copies)) return true;
      break;
    case IDC_BP_SKIP:
      if (code != EN_CHANGE) return false;
      BatchPrintSkip = std::max(0, NumberIn(ItemText(id)));
      break;
    default:
      return PropertyPage::OnCommand(id, code);
  }
  sheet_.Changed();
  return true;
}

// Image Area.

CBPImageSetupPP::CBPImageSetupPP(CBatchPrintPS& sheet) : BatchPrintPage(IDD_BP_IMAGE, sheet) {}

bool CBPImageSetupPP::OnInitDialog() {
  const CAppSettings::BatchPrint& p = Layout();
  SetCheck(p.overfill ? IDC_BP_OVERFILL : IDC_BP_UNDERFILL, true);
  SetCheck(IDC_BP_FRAMED, p.framed != 0);
  SetCheck(IDC_BP_DOTTED, p.dotted != 0);
  Refresh();
  return PropertyPage::OnInitDialog();
}

// The check boxes and radio buttons follow a loaded setup too, not only the page's own clicks.
void CBPImageSetupPP::Refresh() {
  if (!Handle()) return;
  const CAppSettings::BatchPrint& p = Layout();
  SetCheck(IDC_BP_OVERFILL, p.overfill != 0);
  SetCheck(IDC_BP_UNDERFILL, !p.overfill);
  SetCheck(IDC_BP_ROTATE, !p.upright);
  SetCheck(IDC_BP_UPRIGHT, p.upright != 0);
  SetCheck(IDC_BP_FRAMED, p.framed != 0);
  SetCheck(IDC_BP_DOTTED, p.dotted != 0);
  SetCheck(IDC_BP_CENTER, p.center != 0);
  ::EnableWindow(Item(IDC_BP_PAOFFSETX_SPIN), !p.center);
  ::EnableWindow(Item(IDC_BP_PAOFFSETY_SPIN), !p.center);
  SetLength(IDC_BP_PAWIDTH, p.pawidth);
  SetLength(IDC_BP_PAHEIGHT, p.paheight);
  SetLength(IDC_BP_X_TEXT, p.paoffsetx);
  SetLength(IDC_BP_Y_TEXT, p.paoffsety);
}

bool CBPImageSetupPP::OnSpin(int id, int delta) {
  CAppSettings::BatchPrint& p = Layout();
  const LengthSpinner spinners[] = {
      {IDC_BP_PAWIDTH_SPIN, &p.pawidth, p.colwidth, false},
      {IDC_BP_PAHEIGHT_SPIN, &p.paheight, p.colheight, false},
      {IDC_BP_PAOFFSETX_SPIN, &p.paoffsetx, p.colwidth, false},
      {IDC_BP_PAOFFSETY_SPIN, &p.paoffsety, p.colheight, true},
  };
  if (!SpinLength(spinners, std::size(spinners), id, delta)) return false;
  if (id == IDC_BP_PAWIDTH_SPIN || id == IDC_BP_PAHEIGHT_SPIN) sheet_.FitImageArea();
  return true;
}

bool CBPImageSetupPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return PropertyPage::OnCommand(id, code);
  CAppSettings::BatchPrint& p = Layout();
  switch (id) {
    case IDC_BP_OVERFILL:
    case IDC_BP_UNDERFILL:
      p.overfill = id == IDC_BP_OVERFILL;
      break;
    case IDC_BP_ROTATE:
    case IDC_BP_UPRIGHT:
      p.upright = id == IDC_BP_UPRIGHT;
      break;
    case IDC_BP_FRAMED:
      p.framed = Checked(IDC_BP_FRAMED);
      if (p.framed) p.dotted = 0;
      break;
    case IDC_BP_DOTTED:
      p.dotted = Checked(IDC_BP_DOTTED);
      if (p.dotted) p.framed = 0;
      break;
    case IDC_BP_CENTER:
      p.center = Checked(IDC_BP_CENTER);
      sheet_.FitImageArea();
      break;
    default:
      return PropertyPage::OnCommand(id, code);
  }
  sheet_.Changed();
  return true;
}

// Text Area.

CBPTextAreaPP::CBPTextAreaPP(CBatchPrintPS& sheet) : BatchPrintPage(IDD_BP_TEXT, sheet) {}

bool CBPTextAreaPP::OnInitDialog() {
  box_.Subclass(Item(IDC_BP_TEXT_COLOR));
  box_.CreateSwatch(COLORREF(Layout().bp_txtcolor), false);
  Refresh();
  return PropertyPage::OnInitDialog();
}

void CBPTextAreaPP::Refresh() {
  if (!Handle()) return;
  const CAppSettings::BatchPrint& p = Layout();
  SetCheck(IDC_BP_PRINT_TEXT, p.bp_dotext != 0);
  for (const int id : {IDC_BP_TAOFFSETX_SPIN, IDC_BP_TAOFFSETY_SPIN, IDC_BP_TASIZEX_SPIN, IDC_BP_TASIZEY_SPIN,
                       IDC_BP_NAMES, IDC_BP_PATHS, IDC_BP_DATES, IDC_BP_SIZES, IDC_BP_ANNOTS, IDC_BP_STATIC,
                       IDC_BP_STRING, IDC_BP_FONT, IDC_BP_TEXT_COLOR})
    ::EnableWindow(Item(id), p.bp_dotext != 0);
  const struct {
    int id;
    int value;
  } boxes[] = {{IDC_BP_NAMES, p.bp_names}, {IDC_BP_PATHS, p.bp_paths},   {IDC_BP_DATES, p.bp_dates},
               {IDC_BP_SIZES, p.bp_sizes}, {IDC_BP_ANNOTS, p.bp_annots}, {IDC_BP_STATIC, p.bp_static}};
  for (const auto& box : boxes) SetCheck(box.id, box.value != 0);
  SetLength(IDC_BP_X_TEXT, p.taoffsetx);
  SetLength(IDC_BP_Y_TEXT, p.taoffsety);
  SetLength(IDC_BP_PAWIDTH, p.tasizex);
  SetLength(IDC_BP_PAHEIGHT, p.tasizey);
  if (ItemText(IDC_BP_STRING) != p.bp_string) SetItemText(IDC_BP_STRING, p.bp_string);
  const std::string font = p.bp_font + " - " + std::to_string(p.bp_points) + " point";
  if (ItemText(IDC_BP_FONT_TEXT) != font) SetItemText(IDC_BP_FONT_TEXT, font);
  box_.SetColor(COLORREF(p.bp_txtcolor));
}

bool CBPTextAreaPP::OnSpin(int id, int delta) {
  CAppSettings::BatchPrint& p = Layout();
  const LengthSpinner spinners[] = {
      {IDC_BP_TAOFFSETX_SPIN, &p.taoffsetx, p.colwidth, false},
      {IDC_BP_TAOFFSETY_SPIN, &p.taoffsety, p.colheight, true},
      {IDC_BP_TASIZEX_SPIN, &p.tasizex, p.colwidth, false},
      {IDC_BP_TASIZEY_SPIN, &p.tasizey, p.colheight, false},
  };
  return SpinLength(spinners, std::size(spinners), id, delta);
}

bool CBPTextAreaPP::OnCommand(int id, int code) {
  CAppSettings::BatchPrint& p = Layout();
  if (id == IDC_BP_STRING) {
    if (code != EN_CHANGE) return false;
    const std::string text = ItemText(IDC_BP_STRING);
    if (text == p.bp_string) return true;
    p.bp_string = text;
    sheet_.Changed();
    return true;
  }
  if (code != BN_CLICKED) return PropertyPage::OnCommand(id, code);
  switch (id) {
    case IDC_BP_PRINT_TEXT:
      p.bp_dotext = Checked(IDC_BP_PRINT_TEXT);
      AskUprightForText();
      sheet_.ComputeLayout();
      break;
    case IDC_BP_NAMES:
      p.bp_names = Checked(IDC_BP_NAMES);
      if (!p.bp_names) p.bp_paths = 0;
      break;
    case IDC_BP_PATHS:
      p.bp_paths = Checked(IDC_BP_PATHS);
      if (p.bp_paths) p.bp_names = 1;
      break;
    case IDC_BP_DATES:
      p.bp_dates = Checked(IDC_BP_DATES);
      break;
    case IDC_BP_SIZES:
      p.bp_sizes = Checked(IDC_BP_SIZES);
      break;
    case IDC_BP_ANNOTS:
      p.bp_annots = Checked(IDC_BP_ANNOTS);
      break;
    case IDC_BP_STATIC:
      p.bp_static = Checked(IDC_BP_STATIC);
      break;
    case IDC_BP_FONT:
      ::SendMessageA(sheet_.Owner(), WM_BATCHPRINT_FONT, 0, 0);
      break;
    default:
      return PropertyPage::OnCommand(id, code);
  }
  sheet_.Changed();
  return true;
}

bool CBPTextAreaPP::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COLOR_CHANGED) {
    Layout().bp_txtcolor = int(lParam);
    sheet_.Changed();
    result = 0;
    return true;
  }
  return BatchPrintPage::OnMessage(message, wParam, lParam, result);
}
