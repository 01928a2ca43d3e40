#include "annotation_wnd.h"

#include "device_context.h"

namespace {

constexpr int kWidestText = 1024;
constexpr int kMultiLineExtraWidth = 14;
constexpr int kSingleLineExtraWidth = 8;
constexpr int kExtraHeight = 3;
constexpr int kRightMargin = 10;  // kept free inside the parent's right edge
constexpr int kGapAbove = 25;     // between the point and a pop-up opened above it

}  // namespace

CAnnotationWnd::CAnnotationWnd(HWND parent, int x, int y, const std::string& text)
    : text_(text.substr(0, kMaxText)), multiLine_(text_.find_first_of("\r\n") != std::string::npos) {
  const RECT area = Placement(parent, x, y);
  Create(0, "Annotation", WS_CHILD | WS_VISIBLE | WS_BORDER, area.left, area.top, area.right - area.left,
         area.bottom - area.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)));
}

RECT CAnnotationWnd::Placement(HWND parent, int x, int y) const {
  RECT area = {};
  area.left = x + ::GetSystemMetrics(SM_CXCURSOR) / 2;
  area.top = y + ::GetSystemMetrics(SM_CYCURSOR) / 2;
  area.right = area.left + kWidestText;
  area.bottom = area.top;
  {
    ClientDC dc(parent);
    const HGDIOBJ oldFont = ::SelectObject(dc.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc.get(), text_.c_str(), int(text_.size()), &area, DT_CALCRECT | DT_WORDBREAK);
    ::SelectObject(dc.get(), oldFont);
  }
  area.right += multiLine_ ? kMultiLineExtraWidth : kSingleLineExtraWidth;
  area.bottom += kExtraHeight;

  RECT client = {};
  ::GetClientRect(parent, &client);
  if (area.right > client.right) {
    const int shift = area.right - (client.right - kRightMargin);
    area.left -= shift;
    area.right -= shift;
  }
  if (area.bottom > client.bottom) {
    const int oldTop = area.top;
    area.top = 2 * oldTop - area.bottom - kGapAbove;
    area.bottom = oldTop - kGapAbove;
  }
  return area;
}

void CAnnotationWnd::OnPaint() {
  PaintDC paint(Handle());
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  ::FillRect(paint.get(), &client, ::GetSysColorBrush(COLOR_INFOBK));
  const HGDIOBJ oldFont = ::SelectObject(paint.get(), ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetTextColor(paint.get(), ::GetSysColor(COLOR_INFOTEXT));
  ::SetBkMode(paint.get(), TRANSPARENT);
  client.left += 2;
  client.right -= 1;
  ::DrawTextA(paint.get(), text_.c_str(), int(text_.size()), &client, DT_WORDBREAK);
  ::SelectObject(paint.get(), oldFont);
}

LRESULT CAnnotationWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return Default(message, wParam, lParam);
  OnPaint();
  return 0;
}
