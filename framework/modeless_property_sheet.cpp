#include "modeless_property_sheet.h"

#include <shellapi.h>

namespace {

// The sheet being created: comctl32's callback carries no pointer of ours.
thread_local ModelessPropertySheet* t_creating = nullptr;

}  // namespace

ModelessPropertySheet::ModelessPropertySheet(std::string caption) : caption_(std::move(caption)) {}

ModelessPropertySheet::~ModelessPropertySheet() {
  if (Handle()) ::DestroyWindow(Handle());
}

void ModelessPropertySheet::AddPage(PropertyPage* page) { pages_.push_back(page); }

bool ModelessPropertySheet::Create(HWND parent) {
  std::vector<PROPSHEETPAGEA> descriptions;
  for (PropertyPage* page : pages_) descriptions.push_back(page->Description());
  if (descriptions.empty()) return false;
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_MODELESS | PSH_USECALLBACK;
  header.hwndParent = parent;
  header.hInstance = ::GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = UINT(descriptions.size());
  header.ppsp = descriptions.data();
  header.pfnCallback = SheetCallback;
  t_creating = this;
  const INT_PTR window = ::PropertySheetA(&header);
  t_creating = nullptr;
  return window != 0 && window != -1 && Handle();
}

int CALLBACK ModelessPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && t_creating) {
    ModelessPropertySheet* sheet = t_creating;
    sheet->Subclass(hwnd);
    for (int id : {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply */}) {
      if (HWND button = ::GetDlgItem(hwnd, id)) ::ShowWindow(button, SW_HIDE);
    }
    sheet->OnInitialized();
  }
  return 0;
}

int ModelessPropertySheet::ActiveIndex() const {
  return int(
      ::SendMessageA(Handle(), PSM_HWNDTOINDEX, WPARAM(::SendMessageA(Handle(), PSM_GETCURRENTPAGEHWND, 0, 0)), 0));
}

void ModelessPropertySheet::SetActiveIndex(int index) { ::SendMessageA(Handle(), PSM_SETCURSEL, WPARAM(index), 0); }

HWND ModelessPropertySheet::PageWindow(int index) const {
  return reinterpret_cast<HWND>(::SendMessageA(Handle(), PSM_INDEXTOHWND, WPARAM(index), 0));
}

bool ModelessPropertySheet::Apply() { return ::SendMessageA(Handle(), PSM_APPLY, 0, 0) != 0; }

void ModelessPropertySheet::Close() {
  if (Handle()) ::DestroyWindow(Handle());
}

void ModelessPropertySheet::DestroyIfEnded() {
  if (Handle() && !::SendMessageA(Handle(), PSM_GETCURRENTPAGEHWND, 0, 0)) Close();
}

bool ModelessPropertySheet::PreTranslateMessage(MSG& message) {
  if (!Handle() || !::SendMessageA(Handle(), PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message))) return false;
  DestroyIfEnded();
  return true;
}

LRESULT ModelessPropertySheet::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam && HIWORD(wParam) == BN_CLICKED && OnSheetCommand(LOWORD(wParam))) return 0;
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      ::DragFinish(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        const LRESULT result = Default(message, wParam, lParam);
        DestroyIfEnded();
        return result;
      }
      break;
    case WM_DESTROY:
      OnClosed();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void ModelessPropertySheet::CenterOnWorkArea() {
  RECT area = {}, screen = {};
  ::GetWindowRect(Handle(), &area);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  ::SetWindowPos(Handle(), nullptr, (screen.left + screen.right - (area.right - area.left)) / 2,
                 (screen.top + screen.bottom - (area.bottom - area.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
