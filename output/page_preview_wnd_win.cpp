#include "page_preview_wnd.h"

#include "device_context.h"
#include "library_palette.h"

namespace {

constexpr int kSourceBox = 200;

}  // namespace

CPagePreviewWnd::CPagePreviewWnd(const Cimage& picture) : source_(picture) {
  source_.ReSample(kSourceBox, kSourceBox, 2);
}

void CPagePreviewWnd::SetPage(int printableWidth, int printableHeight, int physicalWidth, int physicalHeight,
                              int aspectX, int aspectY) {
  printable_ = {printableWidth, printableHeight};
  physical_ = {physicalWidth, physicalHeight};
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  paper_ = PaperInPreview(client.right, client.bottom, physicalWidth, physicalHeight, aspectX, aspectY);
}

void CPagePreviewWnd::SetScale(int scale) {
  const LayoutSize box = ShownBox(PrintableInPreview(paper_, printable_, physical_.width, physical_.height), scale);
  shown_ = source_;
  shown_.ReSample(box.width, box.height, 2);
  ClampPosition();
}

void CPagePreviewWnd::ResetPosition() {
  position_ = {kCentre, kCentre};
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

POINT CPagePreviewWnd::ToClient(int screenX, int screenY) const {
  POINT point = {screenX, screenY};
  ::ScreenToClient(Handle(), &point);
  return point;
}

bool CPagePreviewWnd::HitTest(int screenX, int screenY) const {
  const POINT point = ToClient(screenX, screenY);
  return point.x >= 0 && point.y >= 0 && point.x <= paper_.width && point.y <= paper_.height;
}

void CPagePreviewWnd::DragTo(int screenX, int screenY) {
  const POINT point = ToClient(screenX, screenY);
  position_ = {DragPosition(point.x, paper_.width, shown_.m_width), DragPosition(point.y, paper_.height, shown_.m_height)};
  ClampPosition();
}

void CPagePreviewWnd::ClampPosition() {
  position_ = ::ClampPosition(position_, paper_, PrintableInPreview(paper_, printable_, physical_.width, physical_.height),
                              Shown());
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CPagePreviewWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole area
    default:
      return Window::WndProc(message, wParam, lParam);
  }
}

void CPagePreviewWnd::OnPaint() {
  PaintDC paint(Handle());
  HDC dc = paint.get();
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  if (paper_.width <= 0 || paper_.height <= 0) return;
  const LibraryPalette palette(dc);
  const RECT paper = {0, 0, paper_.width, paper_.height};
  ::FillRect(dc, &paper, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const LayoutSize shown = Shown();
  if (shown.width > 0 && shown.height > 0)
    shown_.DisplayImage(dc, int(int64_t(paper_.width) * position_.x / kPositionSpan) - shown.width / 2,
                        int(int64_t(paper_.height) * position_.y / kPositionSpan) - shown.height / 2);
}
