#include "placeholder_pane.h"

#include "device_context.h"

bool PlaceholderPane::Create(HWND parent, UINT id, const std::string& text) {
  text_ = text;
  return Window::Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void PlaceholderPane::SetMessage(const std::string& text) {
  text_ = text;
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT PlaceholderPane::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintDC dc(Handle());
    RECT client = {};
    ::GetClientRect(Handle(), &client);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), ::GetSysColor(COLOR_GRAYTEXT));
    SelectedObject font(dc.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc.get(), text_.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return 0;
  }
  if (message == WM_LBUTTONDOWN) ::SetFocus(Handle());
  return View::WndProc(message, wParam, lParam);
}
