#include "print_thumbs_dlg.h"

#include <algorithm>
#include <utility>

#include "app_settings.h"
#include "device_context.h"
#include "library_palette.h"
#include "page_layout.h"
#include "printer_caps.h"
#include "resource.h"

namespace {

constexpr int kTitleLength = 200;

}  // namespace

CPrintThumbsDlg::CPrintThumbsDlg(PrinterAccess& printer, const ContactSheetSource& source)
    : Dialog(IDD_PRINT_THUMBS),
      printer_(printer),
      source_(source),
      choices_(g_settings.thumbPrint),
      title_(source.title.substr(0, kTitleLength)),
      preview_(*this) {
  choices_.allorsel = source.selected.empty() ? 0 : choices_.allorsel;
  if (source.composed) choices_.allorsel = 1;
  choices_.nx = std::clamp(choices_.nx, 2, 20);
}

CPrintThumbsDlg::~CPrintThumbsDlg() {
  if (dc_) ::DeleteDC(dc_);
}

HDC CPrintThumbsDlg::TakePrinterDC() { return std::exchange(dc_, nullptr); }

const std::vector<ContactSheetItem>& CPrintThumbsDlg::ItemsToPrint() const {
  return choices_.allorsel ? source_.selected : source_.all;
}

void CPrintThumbsDlg::ReadPrinterCaps() {
  if (dc_) ::DeleteDC(dc_);
  dc_ = printer_.CreatePrinterDC();
  page_ = ContactSheetPrinter{};
  rasterCaps_ = 0;
  if (!dc_) return;
  ::SetMapMode(dc_, MM_TEXT);
  ::SetStretchBltMode(dc_, COLORONCOLOR);
  page_ = ReadPrinterPage(dc_);
  rasterCaps_ = ::GetDeviceCaps(dc_, RASTERCAPS);
}

ContactSheetChoices CPrintThumbsDlg::LayoutChoices() const {
  ContactSheetChoices choices;
  choices.perRow = choices_.nx;
  choices.captionLines = (choices_.filenames != 0) + (choices_.filedates != 0) + (choices_.filesizes != 0);
  choices.leftMargin = choices_.margin != 0;
  choices.count = int(ItemsToPrint().size());
  return choices;
}

void CPrintThumbsDlg::ComputeLayout() {
  if (dc_) layout_ = ComputeContactSheet(page_, LayoutChoices());
}

void CPrintThumbsDlg::UpdateTexts() {
  const int count = int(ItemsToPrint().size());
  SetItemText(IDC_PT_COUNT, std::to_string(count));
  SetItemText(IDC_PT_PER_PAGE, std::to_string(layout_.PerPage(choices_.nx)));
  SetItemText(IDC_PT_PAGES, std::to_string(layout_.pages));
  ::CheckDlgButton(Handle(), IDC_PT_MARGIN, choices_.margin ? BST_CHECKED : BST_UNCHECKED);
}

void CPrintThumbsDlg::ShowPrinterName() { SetItemText(IDC_PT_PRINTER, printer_.PrinterName()); }

bool CPrintThumbsDlg::OnInitDialog() {
  preview_.Subclass(Item(IDC_PT_PREVIEW));
  SetItemText(IDC_PT_TITLE, title_);
  ::SendMessageA(Item(IDC_PT_TITLE), EM_LIMITTEXT, kTitleLength, 0);
  const struct {
    int id;
    bool on;
  } boxes[] = {{IDC_PT_PRINT_TITLE, choices_.title != 0}, {IDC_PT_NAMES, choices_.filenames != 0},
               {IDC_PT_SIZES, choices_.filesizes != 0},   {IDC_PT_DATES, choices_.filedates != 0},
               {IDC_PT_DRAFT, choices_.draft != 0},       {IDC_PT_ALL, !choices_.allorsel},
               {IDC_PT_SELECTED, choices_.allorsel != 0}};
  for (const auto& box : boxes) ::CheckDlgButton(Handle(), box.id, box.on ? BST_CHECKED : BST_UNCHECKED);
  ::EnableWindow(Item(IDC_PT_ALL), !source_.composed);
  ::EnableWindow(Item(IDC_PT_SELECTED), !source_.selected.empty());
  ReadPrinterCaps();
  ComputeLayout();
  UpdateTexts();
  ShowPrinterName();
  return Dialog::OnInitDialog();
}

void CPrintThumbsDlg::Changed() {
  ComputeLayout();
  UpdateTexts();
  ::InvalidateRect(preview_.Handle(), nullptr, FALSE);
}

bool CPrintThumbsDlg::OnCommand(int id, int code) {
  const bool checked = ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
  switch (id) {
    case IDC_PT_TITLE:
      if (code == EN_CHANGE) title_ = ItemText(IDC_PT_TITLE);
      return true;
    case IDC_PT_PRINT_TITLE:
      choices_.title = checked;
      return true;
    case IDC_PT_ALL:
    case IDC_PT_SELECTED:
      choices_.allorsel = id == IDC_PT_SELECTED;
      break;
    case IDC_PT_BIGGER:
      choices_.nx = FewerPerRow(choices_.nx);
      break;
    case IDC_PT_SMALLER:
      choices_.nx = MorePerRow(choices_.nx);
      break;
    case IDC_PT_NAMES:
      choices_.filenames = checked;
      break;
    case IDC_PT_SIZES:
      choices_.filesizes = checked;
      break;
    case IDC_PT_DATES:
      choices_.filedates = checked;
      break;
    case IDC_PT_MARGIN:
      choices_.margin = checked;
      break;
    case IDC_PT_DRAFT:
      choices_.draft = checked;
      return true;
    case IDC_PT_SETUP:
      printer_.PrintSetup(Handle());
      ReadPrinterCaps();
      ShowPrinterName();
      break;
    default:
      return Dialog::OnCommand(id, code);
  }
  Changed();
  return true;
}

void CPrintThumbsDlg::OnOK() {
  choices_.ny = layout_.rows;
  g_settings.thumbPrint = choices_;
  EndDialog(IDOK);
}

// The miniature.

LRESULT CThumbLayoutPreview::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return TRUE;
  if (message != WM_PAINT) return Window::WndProc(message, wParam, lParam);
  PaintDC paint(Handle());
  const HDC dc = paint.get();
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  const ContactSheetPrinter& page = dialog_.Printer();
  if (page.physicalWidth <= 0 || page.physicalHeight <= 0) return 0;
  const LibraryPalette palette(dc);
  const LayoutSize paper =
      PaperInPreview(client.right, client.bottom, page.physicalWidth, page.physicalHeight, page.aspectX, page.aspectY);
  const int left = (client.right - paper.width) / 2, top = (client.bottom - paper.height) / 2;
  const RECT sheet = {left, top, left + paper.width, top + paper.height};
  ::FillRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ContactSheetChoices choices;
  choices.perRow = dialog_.Choices().nx;
  choices.leftMargin = dialog_.Choices().margin != 0;
  const int rows = dialog_.Layout().rows;
  const ContactMiniature cells = ContactSheetMiniature(paper.width, paper.height, page, choices, rows);
  const int square = cells.cellWidth * 9 / 10;
  const std::vector<ContactSheetItem>& items = dialog_.ItemsToPrint();
  size_t next = 0;
  const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  for (int row = 0; row < rows && next < items.size(); ++row)
    for (int column = 0; column < choices.perRow && next < items.size(); ++column) {
      const int x = left + cells.left + column * cells.cellWidth, y = top + cells.top + row * cells.rowHeight;
      Cimage thumbnail;
      const ContactSheetSource& source = dialog_.Source();
      const bool shown = square > 0 && source.thumbnail && source.thumbnail(items[next++].path, thumbnail) &&
                         thumbnail.m_width > 0 && thumbnail.m_height > 0;
      if (!shown) {
        ::Rectangle(dc, x, y, x + square, y + square);
        continue;
      }
      const ThumbPlacement place = PlaceDraftThumb(thumbnail.m_width, thumbnail.m_height, square, 1, 1);
      thumbnail.ReSample(std::max(1, place.width), std::max(1, place.height), 2);
      thumbnail.DisplayImage(dc, x + place.x, y + place.y);
    }
  ::SelectObject(dc, oldBrush);
  return 0;
}
