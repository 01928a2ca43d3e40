#pragma once
// A modal property sheet on comctl32's PropertySheet: a caption, pages added in order, the page
// shown first, and OK and Cancel (no Apply button, no Help button); or, as a wizard, Back, Next,
// Finish and Cancel, with the pages saying which buttons they offer.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "property_page.h"

// commctrl.h names its function PropertySheet too; this file calls PropertySheetA by name.
#undef PropertySheet

class PropertySheet {
 public:
  PropertySheet(const std::string& caption, HWND parent, int startPage = 0);
  virtual ~PropertySheet() = default;
  PropertySheet(const PropertySheet&) = delete;
  PropertySheet& operator=(const PropertySheet&) = delete;

  // The page stays the caller's; it must live as long as the sheet runs.
  void AddPage(PropertyPage* page);
  void SetWizardMode() { wizard_ = true; }

  // IDOK when the user confirmed the sheet (every page took its values), else IDCANCEL; -1 when
  // the sheet could not be shown.
  INT_PTR DoModal();

  // The index of the page that was in front when the sheet closed (or is in front now).
  int ActivePage() const { return activePage_; }

 protected:
  // The sheet was confirmed and every page took its values.
  virtual void OnConfirmed() {}
  // The sheet's window is gone, however it closed (ActivePage tells where it was left).
  virtual void OnClosed() {}

 private:
  std::string caption_;
  HWND parent_;
  int startPage_;
  bool wizard_ = false;
  int activePage_;
  std::vector<PropertyPage*> pages_;
};
