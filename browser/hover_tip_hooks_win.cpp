#include "hover_tip_hooks.h"

#include "device_context.h"

void MarkTipFileKeys(const std::string&) {}

void ClearTipKeyMarks() {}

std::string TipAnnotation(const std::string&) { return std::string(); }

// A plain bordered text box, measured in the dialog font and kept inside the parent.
HWND ShowTipWindow(HWND parent, POINT at, const std::string& text) {
  const HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  RECT box = {0, 0, 1024, 0};
  {
    ClientDC dc(parent);
    SelectedObject chosen(dc.get(), font);
    ::DrawTextA(dc.get(), text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK);
  }
  const int width = box.right + 8, height = box.bottom + 4;
  RECT client = {};
  ::GetClientRect(parent, &client);
  int x = at.x + ::GetSystemMetrics(SM_CXCURSOR) / 2, y = at.y + ::GetSystemMetrics(SM_CYCURSOR) / 2;
  if (x + width > client.right - 10) x = client.right - 10 - width;
  if (y + height > client.bottom) y = at.y - 25 - height;
  const HWND tip = ::CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT,
                                     x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, parent, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
  if (tip) ::SendMessageA(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return tip;
}
