#include "batch_print_ps.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "app_settings.h"
#include "printer_caps.h"
#include "private_messages.h"
#include "resource.h"

std::vector<std::string> BatchPrintList;
int BatchPrintCount = 0;
int BatchPrintSkip = 0;
int BatchPrintSpinUnit = 10000;

namespace {

constexpr UINT_PTR kPreviewTimer = 259;
constexpr int kSideGrowth = 160, kVerticalGrowth = 40, kPreviewWidth = 310;

CAppSettings::BatchPrint& Layout() { return g_settings.batchPrint; }

}  // namespace

CBatchPrintPS::CBatchPrintPS(HWND owner, PrinterAccess& printer, BatchPrintHooks hooks)
    : ModelessPropertySheet("Batch Print Setup"),
      owner_(owner),
      printer_(printer),
      hooks_(std::move(hooks)),
      grid_(*this),
      files_(*this, hooks_),
      setups_(*this),
      image_(*this),
      text_(*this),
      preview_(*this) {}

void CBatchPrintPS::AddPages() {
  for (PropertyPage* page : std::initializer_list<PropertyPage*>{&grid_, &image_, &text_, &files_, &setups_})
    AddPage(page);
  BatchPrintSpinUnit = Layout().english ? 10000 : 3937;
  // The Copies box opens on a count it accepts, whatever the settings file held.
  Layout().copies = std::clamp(Layout().copies, 1, kMaxBatchCopies);
}

bool CBatchPrintPS::Create() { return ModelessPropertySheet::Create(owner_); }

HWND CBatchPrintPS::AddControl(const char* type, const char* text, int id, DWORD style, const RECT& place) {
  const HWND control = ::CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                         place.right - place.left, place.bottom - place.top, Handle(),
                                         reinterpret_cast<HMENU>(INT_PTR(id)), ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(control, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return control;
}

// The sheet grows for the miniature on its right and the buttons and counts below; the pages stay
// where they are.
void CBatchPrintPS::OnInitialized() {
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  ::InflateRect(&area, kSideGrowth, kVerticalGrowth);
  ::MoveWindow(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const RECT miniature = {client.right - kPreviewWidth - 8, 8, client.right - 8, client.bottom - 44};
  preview_.Subclass(AddControl("STATIC", "", IDC_BP_PREVIEW, WS_BORDER, miniature));
  const int y = client.bottom - 36;
  AddControl("BUTTON", "Print Setup", IDC_BP_PRINT_SETUP, WS_TABSTOP | BS_PUSHBUTTON, {8, y, 108, y + 26});
  AddControl("BUTTON", "Print", IDC_BP_PRINT, WS_TABSTOP | BS_PUSHBUTTON, {116, y, 216, y + 26});
  AddControl("STATIC", "0 images", IDC_BP_IMAGES, 0, {client.right - kPreviewWidth - 8, y + 6, client.right - 170, y + 22});
  AddControl("STATIC", "0 pages", IDC_BP_PAGES, 0, {client.right - 160, y + 6, client.right - 8, y + 22});
  ::DragAcceptFiles(Handle(), TRUE);
  CenterOnWorkArea();
  ::PostMessageA(Handle(), WM_BATCHPRINT_SETUP, 0, 0);
}

// Every page is shown once so that each exists; the miniature waits a second for the sheet to
// settle before it draws.
void CBatchPrintPS::OnReady() {
  for (int page : {kImage, kText, kFiles, kSetups, kGrid}) SetActiveIndex(page);
  ready_ = true;
  ReadPrinterCaps();
  // The stored layout is kept as it stands, except one never laid out (as a fresh installation's
  // settings are): its cells have no size and would print nothing.
  if (Layout().colwidth <= 1 || Layout().colheight <= 1) ComputeLayout();
  ::SetTimer(Handle(), kPreviewTimer, 1000, nullptr);
  ::ShowWindow(Handle(), SW_SHOW);
  Changed();
}

void CBatchPrintPS::ReadPrinterCaps() {
  if (!ready_) return;
  caps_ = BatchPrinterCaps{};
  if (HDC dc = printer_.CreatePrinterDC()) {
    caps_ = ReadBatchPrinterCaps(dc);
    ::DeleteDC(dc);
  }
  preview_.SetCaps(caps_);
}

void CBatchPrintPS::ComputeLayout() { ComputeBatchLayout(Layout(), caps_); }

void CBatchPrintPS::FitImageArea() { FitBatchImageArea(Layout()); }

void CBatchPrintPS::Changed() {
  for (BatchPrintPage* page : std::initializer_list<BatchPrintPage*>{&grid_, &image_, &text_}) page->Refresh();
  UpdateCounts();
  if (preview_.Handle()) ::InvalidateRect(preview_.Handle(), nullptr, FALSE);
}

void CBatchPrintPS::UpdateCounts() {
  const int images = BatchImagesToPrint(Layout().copies, BatchPrintCount);
  const int pages = BatchPagesToPrint(BatchPrintSkip, images, Layout().rows, Layout().cols);
  char text[64];
  std::snprintf(text, sizeof text, "%i Images to print", images);
  ::SetDlgItemTextA(Handle(), IDC_BP_IMAGES, text);
  std::snprintf(text, sizeof text, "%i Pages to print", pages);
  ::SetDlgItemTextA(Handle(), IDC_BP_PAGES, text);
}

void CBatchPrintPS::PrintSetup() {
  ::EnableWindow(Handle(), FALSE);
  printer_.PrintSetup(Handle());
  ReadPrinterCaps();
  ComputeLayout();  // a new printer gets the default layout
  ::EnableWindow(Handle(), TRUE);
  Changed();
}

void CBatchPrintPS::Print() {
  if (!Apply()) return;  // the page in front refused its values and said why
  BatchPrintList = files_.Items();
  BatchPrintCount = int(BatchPrintList.size());
  Close();
  ::PostMessageA(owner_, WM_BATCHPRINT_START, 0, 0);
}

bool CBatchPrintPS::OnSheetCommand(int id) {
  if (id == IDC_BP_PRINT_SETUP) PrintSetup();
  else if (id == IDC_BP_PRINT) Print();
  else return false;
  return true;
}

void CBatchPrintPS::OnDropFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(drop, i, path, MAX_PATH)) files.push_back(path);
  }
  files_.AddItems(files);
}

void CBatchPrintPS::OnClosed() { ::PostMessageA(owner_, WM_BATCHPRINT_CLOSED, 0, 0); }

LRESULT CBatchPrintPS::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_BATCHPRINT_SETUP) {
    OnReady();
    return 0;
  }
  if (message == WM_TIMER && wParam == kPreviewTimer) {
    ::KillTimer(Handle(), kPreviewTimer);
    timerFired_ = true;
    ::InvalidateRect(preview_.Handle(), nullptr, FALSE);
    return 0;
  }
  return ModelessPropertySheet::WndProc(message, wParam, lParam);
}
