#pragma once
// A property sheet that stays open beside its owner, on comctl32's modeless PropertySheet. Its
// standard buttons are hidden: a subclass adds its own. Pages store their values when the user
// leaves them; Apply also stores the values of the page in front before the sheet closes.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "property_page.h"
#include "window.h"

class ModelessPropertySheet : public Window {
 public:
  explicit ModelessPropertySheet(std::string caption);
  ~ModelessPropertySheet() override;

  // The pages stay the caller's and must outlive the window.
  void AddPage(PropertyPage* page);
  bool Create(HWND parent);

  int ActiveIndex() const;
  void SetActiveIndex(int index);
  // The page's window; none until the page was first shown.
  HWND PageWindow(int index) const;
  // Every page shown so far takes the values its controls show (the page in front first);
  // false, with the failing page in front, when one refuses.
  bool Apply();
  // Closes as the close box does.
  void Close();

  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Puts the window in the middle of the desktop's work area.
  void CenterOnWorkArea();
  // The window exists and shows its first page.
  virtual void OnInitialized() {}
  // A button or control of the sheet itself (not of a page); true when handled.
  virtual bool OnSheetCommand(int id) {
    (void)id;
    return false;
  }
  virtual void OnDropFiles(HDROP drop) { (void)drop; }
  // The window is being destroyed.
  virtual void OnClosed() {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
  // The sheet ended itself (Cancel, Escape, the close box): its window goes.
  void DestroyIfEnded();

  std::string caption_;
  std::vector<PropertyPage*> pages_;
};
