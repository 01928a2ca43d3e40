#include "property_page.h"

PropertyPage::PropertyPage(int templateId, HINSTANCE resources)
    : Dialog(templateId, resources),
      templateId_(templateId),
      resources_(resources ? resources : ::GetModuleHandleA(nullptr)) {}

PROPSHEETPAGEA PropertyPage::Description() {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DEFAULT;
  page.hInstance = resources_;
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

// The sheet hands a page its own copy of the description when it creates it: the object rides in
// that copy's lParam, where the dialog procedure expects it directly.
INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) lParam = reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam;
  return StaticDialogProc(hwnd, message, wParam, lParam);
}

bool PropertyPage::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return false;
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
      if (onActivated) onActivated();
      UpdateData(false);
      result = 0;
      return true;
    case PSN_KILLACTIVE:
      result = UpdateData(true) ? FALSE : TRUE;
      return true;
    case PSN_APPLY:
      result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      return true;
    case PSN_RESET:
      OnReset();
      result = 0;
      return true;
    default:
      return false;
  }
}
