#include "adjust_previews.h"

#include "Cimage.h"
#include "device_context.h"
#include "picture_on_white.h"

void CAdjustPreviewWnd::SetImage(Cimage* image) {
  image_ = image;
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CAdjustPreviewWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPictureOnWhite(Handle(), image_, PictureAlignment::kCentredOrOrigin);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return Default(message, wParam, lParam);
  }
}

void CCurvePreviewWnd::SetCurve(int value, int shape) {
  value_ = value;
  shape_ = shape;
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CCurvePreviewWnd::OnPaint() {
  PaintDC paint(Handle());
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  ::FillRect(paint.get(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  int curve[256];
  MakeCurve(curve, value_, shape_);
  for (int i = 0; i < 256; ++i)
    ::SetPixel(paint.get(), i * client.right / 255, (255 - curve[i]) * client.bottom / 255, RGB(0, 0, 0));
}

LRESULT CCurvePreviewWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDBLCLK:
      ::SendMessageA(::GetAncestor(Handle(), GA_ROOT), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Handle()), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(Handle()));
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}
