#include "page_layout_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "app.h"
#include "printer_caps.h"
#include "resource.h"

namespace {

const char kNoPrinter[] = "First, you must choose a printer with the \nFile-Print-Setup command";

struct ToolTip {
  int id;
  const char* text;
};

const ToolTip kToolTips[] = {
    {IDOK, "Print the page now"},
    {IDCANCEL, "Cancel print"},
    {IDC_LAYOUT_ONE_BIGGER, "1% Bigger"},
    {IDC_LAYOUT_TEN_BIGGER, "10% Bigger"},
    {IDC_LAYOUT_ONE_SMALLER, "1% Smaller"},
    {IDC_LAYOUT_TEN_SMALLER, "10% Smaller"},
    {IDC_LAYOUT_MAXIMIZE, "Maximize image size"},
    {IDC_LAYOUT_CENTER, "Center the image"},
    {IDC_LAYOUT_SETUP, "Setup printer options"},
};

struct SizeButton {
  int id;
  ScaleStep step;
  bool up;
};

const SizeButton kSizeButtons[] = {
    {IDC_LAYOUT_TEN_BIGGER, ScaleStep::kTenBigger, true},
    {IDC_LAYOUT_ONE_BIGGER, ScaleStep::kOneBigger, true},
    {IDC_LAYOUT_ONE_SMALLER, ScaleStep::kOneSmaller, false},
    {IDC_LAYOUT_TEN_SMALLER, ScaleStep::kTenSmaller, false},
};

// Controls that need a printer's figures before they mean anything.
const int kLayoutControls[] = {IDOK,
                               IDC_LAYOUT_TEN_BIGGER,
                               IDC_LAYOUT_ONE_BIGGER,
                               IDC_LAYOUT_ONE_SMALLER,
                               IDC_LAYOUT_TEN_SMALLER,
                               IDC_LAYOUT_MAXIMIZE,
                               IDC_LAYOUT_CENTER,
                               IDC_LAYOUT_NO_MARGIN};

// A button face with a triangle pointing up or down.
HBITMAP ArrowBitmap(bool up) {
  constexpr int kSide = 12;
  ClientDC screen(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), kSide, kSide);
  MemoryDC dc(screen.get());
  if (!bitmap || !dc.get()) return bitmap;
  SelectedObject selected(dc.get(), bitmap);
  const RECT all = {0, 0, kSide, kSide};
  ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
  const POINT upward[] = {{kSide / 2, 2}, {kSide - 2, kSide - 3}, {1, kSide - 3}};
  const POINT downward[] = {{1, 2}, {kSide - 2, 2}, {kSide / 2, kSide - 3}};
  SelectedObject brush(dc.get(), ::GetStockObject(BLACK_BRUSH));
  ::Polygon(dc.get(), up ? upward : downward, 3);
  return bitmap;
}

bool FineStep() { return ::GetAsyncKeyState(VK_SHIFT) < 0 || ::GetAsyncKeyState(VK_MENU) < 0; }

}  // namespace

CPageLayoutDlg::CPageLayoutDlg(const Cimage& picture, PrinterAccess& printer)
    : Dialog(IDD_PAGE_LAYOUT), preview_(picture), picture_{picture.m_width, picture.m_height}, printer_(printer) {}

CPageLayoutDlg::~CPageLayoutDlg() {
  if (dc_) ::DeleteDC(dc_);
}

HDC CPageLayoutDlg::TakePrinterDC() { return std::exchange(dc_, nullptr); }

void CPageLayoutDlg::DoDataExchange(DataExchange& exchange) { exchange.Check(IDC_LAYOUT_NO_MARGIN, noMargin_); }

bool CPageLayoutDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  scale_ = 900;
  preview_.Subclass(Item(IDC_LAYOUT_PREVIEW));
  up_.reset(ArrowBitmap(true));
  down_.reset(ArrowBitmap(false));
  for (const SizeButton& button : kSizeButtons)
    ::SendDlgItemMessageA(Handle(), button.id, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(button.up ? up_.get() : down_.get()));
  AddToolTips();
  ReadPrinterCaps();
  if (printerOpened_) {
    ShowPage();
  } else {
    // Nothing here means anything before a printer is chosen; Setup chooses one.
    ::MessageBoxA(Handle(), kNoPrinter, MessageCaption(), MB_OK);
    EnableLayout(false);
  }
  return true;
}

void CPageLayoutDlg::ReadPrinterCaps() {
  if (dc_) ::DeleteDC(dc_);
  dc_ = printer_.CreatePrinterDC();
  printerOpened_ = dc_ != nullptr;
  if (!dc_) return;
  ::SetMapMode(dc_, MM_TEXT);
  ::SetStretchBltMode(dc_, COLORONCOLOR);
  page_ = ReadPrinterPage(dc_);
  rasterCaps_ = ::GetDeviceCaps(dc_, RASTERCAPS);
  pixelsPerInchX_ = ::GetDeviceCaps(dc_, LOGPIXELSX);
  pixelsPerInchY_ = ::GetDeviceCaps(dc_, LOGPIXELSY);
  printable_ = PrintableArea(page_, noMargin_ != 0);
  position_ = preview_.Position();
  ShowPrinterName();
  UpdateSizeTexts();
}

void CPageLayoutDlg::ShowPrinterName() { SetItemText(IDC_LAYOUT_PRINTER, printer_.PrinterName()); }

void CPageLayoutDlg::UpdateSizeTexts() {
  const LayoutSize printed = PrintedSize(printable_, page_.aspectX, page_.aspectY, picture_, scale_);
  const SizeTexts texts = DescribeSize(scale_, printed, pixelsPerInchX_, pixelsPerInchY_);
  SetItemText(IDC_LAYOUT_SCALE, texts.scale);
  SetItemText(IDC_LAYOUT_WIDTH_INCHES, texts.widthInches);
  SetItemText(IDC_LAYOUT_WIDTH_MM, texts.widthMillimetres);
  SetItemText(IDC_LAYOUT_HEIGHT_INCHES, texts.heightInches);
  SetItemText(IDC_LAYOUT_HEIGHT_MM, texts.heightMillimetres);
}

void CPageLayoutDlg::ShowPage() {
  preview_.SetPage(printable_.width, printable_.height, page_.physicalWidth, page_.physicalHeight, page_.aspectX,
                   page_.aspectY);
  preview_.SetScale(scale_);
  position_ = preview_.Position();
}

void CPageLayoutDlg::EnableLayout(bool enable) {
  for (const int id : kLayoutControls) ::EnableWindow(Item(id), enable);
}

void CPageLayoutDlg::AddToolTips() {
  HWND tips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
  if (!tips) return;
  for (const ToolTip& tip : kToolTips) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(tip.id));
    tool.lpszText = const_cast<char*>(tip.text);
    ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void CPageLayoutDlg::StepSize(ScaleStep step) {
  scale_ = StepScale(scale_, step, FineStep());
  preview_.SetScale(scale_);
  UpdateSizeTexts();
}

bool CPageLayoutDlg::OnCommand(int id, int code) {
  for (const SizeButton& button : kSizeButtons)
    if (button.id == id) {
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) StepSize(button.step);
      return true;
    }
  switch (id) {
    case IDC_LAYOUT_MAXIMIZE:
      scale_ = kFullScale;
      preview_.ResetPosition();
      preview_.SetScale(scale_);
      position_ = preview_.Position();
      UpdateSizeTexts();
      return true;
    case IDC_LAYOUT_CENTER:
      preview_.ResetPosition();
      position_ = preview_.Position();
      return true;
    case IDC_LAYOUT_SETUP:
      printer_.PrintSetup(Handle());
      ReadPrinterCaps();
      EnableLayout(printerOpened_);
      preview_.ResetPosition();
      ShowPage();
      return true;
    case IDC_LAYOUT_NO_MARGIN:
      UpdateData(true);
      ReadPrinterCaps();
      ShowPage();
      return true;
    default:
      return Dialog::OnCommand(id, code);
  }
}

bool CPageLayoutDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  // The mouse taken by another window (or the user switching programs) ends the drag where the
  // picture is: the mouse coming back with its button up must not go on moving it.
  if (message == WM_CAPTURECHANGED) {
    dragging_ = false;
    position_ = preview_.Position();
    return false;
  }
  if (message != WM_LBUTTONDOWN && message != WM_MOUSEMOVE && message != WM_LBUTTONUP) return false;
  OnMouse(message, lParam);
  result = 0;
  return true;
}

void CPageLayoutDlg::OnMouse(UINT message, LPARAM lParam) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(Handle(), &point);
  if (message == WM_LBUTTONDOWN) {
    if (!printerOpened_ || !preview_.HitTest(point.x, point.y)) return;
    dragging_ = true;
    ::SetCapture(Handle());
  } else if (dragging_ && message == WM_MOUSEMOVE) {
    preview_.DragTo(point.x, point.y);
    position_ = preview_.Position();
  } else if (dragging_ && message == WM_LBUTTONUP) {
    dragging_ = false;
    ::ReleaseCapture();
    position_ = preview_.Position();
  }
}
