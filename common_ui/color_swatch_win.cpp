#include "color_swatch.h"

#include <commdlg.h>

#include "device_context.h"
#include "private_messages.h"

namespace {

// Inside the group box's frame; a caption needs more room at the top.
constexpr int kSideInset = 10;
constexpr int kBottomInset = 8;
constexpr int kCompactTopInset = 8;
constexpr int kCaptionTopInset = 15;

}  // namespace

void CColorSwatch::SetColor(COLORREF color) {
  color_ = color;
  ::InvalidateRect(Handle(), nullptr, TRUE);
  ::UpdateWindow(Handle());
}

void CColorSwatch::OnPaint() {
  PaintDC paint(Handle());
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  GdiObject<HBRUSH> brush(::CreateSolidBrush(color_));
  ::FillRect(paint.get(), &area, brush.get());
}

void CColorSwatch::ChooseColor() {
  // The chooser's custom colours stay for the program's run, as users expect of it.
  static COLORREF customColors[16] = {};
  CHOOSECOLORA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = ::GetAncestor(Handle(), GA_ROOT);
  choice.rgbResult = color_;
  choice.lpCustColors = customColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  const COLORREF chosen = ::ChooseColorA(&choice) ? choice.rgbResult : color_;
  SetColor(chosen);
  ::PostMessageA(::GetParent(::GetParent(Handle())), WM_COLOR_CHANGED, 0, LPARAM(chosen));
}

LRESULT CColorSwatch::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_LBUTTONDBLCLK:
      ChooseColor();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool CColorGroupBox::CreateSwatch(COLORREF color, bool compact) {
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  area.left += kSideInset;
  area.right -= kSideInset;
  area.top += compact ? kCompactTopInset : kCaptionTopInset;
  area.bottom -= kBottomInset;
  ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  if (!swatch_.Create(0, "swatch", WS_CHILD | WS_VISIBLE | WS_BORDER, area.left, area.top, area.right - area.left,
                      area.bottom - area.top, Handle(), nullptr))
    return false;
  swatch_.SetColor(color);
  created_ = true;
  return true;
}

void CColorGroupBox::SetColor(COLORREF color) {
  if (created_) swatch_.SetColor(color);
}
