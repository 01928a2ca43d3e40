#pragma once
// One page of a property sheet, from a dialog template whose caption is the page's tab. Its
// controls are filled from their variables when the page is created and again whenever it is
// shown (a value shared by several pages then reads the same on each), and read back, with
// validation, when the user leaves the page or confirms the sheet; a failing control keeps the
// page in front.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "dialog.h"

class PropertyPage : public Dialog {
 public:
  explicit PropertyPage(int templateId, HINSTANCE resources = nullptr);

  // The description the sheet is built from; valid while this object lives.
  PROPSHEETPAGEA Description();

  // The sheet does the keyboard navigation of its pages: a page on its own would take Escape
  // for itself and end.
  bool PreTranslateMessage(MSG&) override { return false; }

  // Told each time the page comes to the front (the sheet keeps which page was last in front).
  std::function<void()> onActivated;

 protected:
  // The sheet was confirmed (every page that was ever shown hears it); false keeps it open.
  virtual bool OnApply() { return true; }
  // The sheet was cancelled.
  virtual void OnReset() {}
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HINSTANCE resources_;
};
