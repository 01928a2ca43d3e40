#include "rect_tracker.h"

#include <windowsx.h>

#include <algorithm>

namespace {

RECT Normalised(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

void DrawInverted(HWND window, const RECT& r) {
  HDC dc = ::GetDC(window);
  const RECT shown = Normalised(r);
  ::DrawFocusRect(dc, &shown);
  ::ReleaseDC(window, dc);
}

// Which edges a handle moves: left, top, right, bottom.
struct Edges {
  bool left, top, right, bottom;
};

Edges MovedEdges(RectTracker::Hit hit) {
  switch (hit) {
    case RectTracker::kTopLeft: return {true, true, false, false};
    case RectTracker::kTopRight: return {false, true, true, false};
    case RectTracker::kBottomRight: return {false, false, true, true};
    case RectTracker::kBottomLeft: return {true, false, false, true};
    case RectTracker::kTop: return {false, true, false, false};
    case RectTracker::kRight: return {false, false, true, false};
    case RectTracker::kBottom: return {false, false, false, true};
    case RectTracker::kLeft: return {true, false, false, false};
    default: return {true, true, true, true};
  }
}

}  // namespace

RECT RectTracker::HandleRect(Hit handle) const {
  const RECT r = Normalised(rect);
  const int midX = (r.left + r.right) / 2 - kHandleSize / 2, midY = (r.top + r.bottom) / 2 - kHandleSize / 2;
  const int left = r.left - kHandleSize, top = r.top - kHandleSize, right = r.right, bottom = r.bottom;
  POINT at = {};
  switch (handle) {
    case kTopLeft: at = {left, top}; break;
    case kTopRight: at = {right, top}; break;
    case kBottomRight: at = {right, bottom}; break;
    case kBottomLeft: at = {left, bottom}; break;
    case kTop: at = {midX, top}; break;
    case kRight: at = {right, midY}; break;
    case kBottom: at = {midX, bottom}; break;
    default: at = {left, midY}; break;
  }
  return RECT{at.x, at.y, at.x + kHandleSize, at.y + kHandleSize};
}

RectTracker::Hit RectTracker::HitTest(POINT point) const {
  for (int handle = kTopLeft; handle <= kLeft; ++handle) {
    const RECT r = HandleRect(Hit(handle));
    if (::PtInRect(&r, point)) return Hit(handle);
  }
  const RECT inside = Normalised(rect);
  return ::PtInRect(&inside, point) ? kInside : kOutside;
}

void RectTracker::SetCursor(POINT point) const {
  LPCSTR shape = IDC_ARROW;
  switch (HitTest(point)) {
    case kTopLeft:
    case kBottomRight: shape = IDC_SIZENWSE; break;
    case kTopRight:
    case kBottomLeft: shape = IDC_SIZENESW; break;
    case kTop:
    case kBottom: shape = IDC_SIZENS; break;
    case kLeft:
    case kRight: shape = IDC_SIZEWE; break;
    default: break;
  }
  ::SetCursor(::LoadCursorA(nullptr, shape));
}

void RectTracker::Draw(HDC dc) const {
  const RECT r = Normalised(rect);
  HPEN pen = ::CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  const int oldMode = ::SetBkMode(dc, OPAQUE);
  const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
  ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
  ::SetBkColor(dc, oldBack);
  ::SetBkMode(dc, oldMode);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(pen);
  for (int handle = kTopLeft; handle <= kLeft; ++handle) {
    const RECT h = HandleRect(Hit(handle));
    ::PatBlt(dc, h.left, h.top, h.right - h.left, h.bottom - h.top, DSTINVERT);
  }
}

bool RectTracker::TrackRubberBand(HWND window, POINT start) {
  rect = RECT{start.x, start.y, start.x, start.y};
  return TrackHit(window, start, kBottomRight) && rect.right > rect.left && rect.bottom > rect.top;
}

bool RectTracker::Track(HWND window, POINT start) {
  const Hit hit = HitTest(start);
  return hit != kOutside && TrackHit(window, start, hit);
}

bool RectTracker::TrackHit(HWND window, POINT start, Hit hit) {
  const RECT before = rect;
  const Edges edges = MovedEdges(hit);
  ::SetCapture(window);
  DrawInverted(window, rect);
  bool tracking = true;
  while (tracking && ::GetCapture() == window) {
    MSG message;
    if (!::GetMessageA(&message, nullptr, 0, 0)) {
      ::PostQuitMessage(int(message.wParam));
      break;
    }
    switch (message.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        const int dx = GET_X_LPARAM(message.lParam) - start.x, dy = GET_Y_LPARAM(message.lParam) - start.y;
        DrawInverted(window, rect);
        rect = before;
        if (edges.left) rect.left += dx;
        if (edges.top) rect.top += dy;
        if (edges.right) rect.right += dx;
        if (edges.bottom) rect.bottom += dy;
        if (message.message == WM_LBUTTONUP)
          tracking = false;
        else
          DrawInverted(window, rect);
        break;
      }
      case WM_KEYDOWN:
        if (message.wParam == VK_ESCAPE) {
          DrawInverted(window, rect);
          rect = before;
          tracking = false;
        }
        break;
      default:
        ::DispatchMessageA(&message);
        break;
    }
  }
  if (tracking) DrawInverted(window, rect);  // the capture went elsewhere
  if (::GetCapture() == window) ::ReleaseCapture();
  rect = Normalised(rect);
  return !::EqualRect(&rect, &before);
}
