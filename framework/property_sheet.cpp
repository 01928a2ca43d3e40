#include "property_sheet.h"

#include <commctrl.h>

PropertySheet::PropertySheet(const std::string& caption, HWND parent, int startPage)
    : caption_(caption), parent_(parent), startPage_(startPage), activePage_(startPage) {}

void PropertySheet::AddPage(PropertyPage* page) {
  const int index = int(pages_.size());
  page->onActivated = [this, index] { activePage_ = index; };
  pages_.push_back(page);
}

INT_PTR PropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEA> descriptions;
  for (PropertyPage* page : pages_) descriptions.push_back(page->Description());
  if (descriptions.empty()) return -1;
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | (wizard_ ? PSH_WIZARD : 0);
  header.hwndParent = parent_;
  header.hInstance = ::GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = UINT(descriptions.size());
  header.nStartPage = startPage_ >= 0 && startPage_ < int(descriptions.size()) ? UINT(startPage_) : 0;
  header.ppsp = descriptions.data();
  // Without an Apply button only OK saves: a positive result; Cancel or closing gives 0.
  const INT_PTR result = ::PropertySheetA(&header);
  OnClosed();
  if (result < 0) return -1;
  if (result == 0) return IDCANCEL;
  OnConfirmed();
  return IDOK;
}
