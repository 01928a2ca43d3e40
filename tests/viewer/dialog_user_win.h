#pragma once
// A user at the image windows' dialogs (opened with RunModal): reads their texts and tips, clicks
// their buttons, holds Shift or Ctrl, and looks at what a window shows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Cimage.h"
#include "dialog_driver.h"

std::string TextOf(HWND window);
// The texts of the dialog's own controls, in their order in the template.
std::vector<std::string> ControlTexts(HWND dialog);
// The tip the dialog shows over a control; empty when it has none.
std::string TipText(HWND dialog, int id);

// A click, handled before this returns.
void Click(HWND dialog, int id);

// Holds a key (VK_SHIFT, VK_CONTROL; 0 for none) down as the dialog's thread sees it, for the
// object's life.
class HeldKey {
 public:
  HeldKey(HWND dialog, int key);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  void Set(BYTE state) const;
  int key_;
  DWORD target_ = 0;
  bool attached_ = false;
};

// What the window shows now (its client area, or the whole window with its frame), after it has
// painted all of it anew (or, without redraw, as it is). With VIRELDAN_SCREENSHOTS set to a folder, a whole-window picture is also saved
// there as name.png for a person to look at.
Cimage ShownPicture(HWND window, bool wholeWindow = false, const char* name = nullptr, bool redraw = true);

// What the window's client area shows once it shows what the test waits for (a window painted
// by its own thread may not have got to it yet), read again until then; bounded, the last read
// when the time ran out.
Cimage ShownPictureOnce(HWND window, const std::function<bool(Cimage&)>& painted, DWORD milliseconds = 10000);
