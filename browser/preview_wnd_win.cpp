#include "preview_wnd.h"

#include <windowsx.h>

#include "app_settings.h"
#include "device_context.h"
#include "image_load.h"
#include "preview_placement.h"
#include "private_messages.h"
#include "resource.h"

namespace {

constexpr UINT_PTR kShowTimer = 1002;
constexpr UINT kShowDelay = 750;

RECT WindowRect(HWND hwnd) {
  RECT rect = {};
  ::GetWindowRect(hwnd, &rect);
  return rect;
}

// The pointer where the mouse message says it was, on the screen: the message's own point, not
// the pointer's position now, which can run ahead of (or lag behind) the messages still queued.
POINT ScreenPointOf(HWND hwnd, LPARAM lParam) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(hwnd, &point);
  return point;
}

}  // namespace

CPreviewWnd::CPreviewWnd() : Dialog(IDD_PREVIEW) {}

CPreviewWnd::~CPreviewWnd() {
  if (Handle()) ::KillTimer(Handle(), kShowTimer);
}

bool CPreviewWnd::Create(HWND parent) { return CreateModeless(parent); }

bool CPreviewWnd::OnInitDialog() {
  const auto& layout = g_settings.frameLayout;
  ::SetWindowPos(Handle(), HWND_TOPMOST, layout.preview_x, layout.preview_y, layout.preview_w, layout.preview_h,
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);
  OnSize();
  return false;
}

// A window left off screen, or shrunk to nothing, comes back whole onto the work area of the
// display nearest to it.
void CPreviewWnd::BringOntoWorkArea() {
  const RECT now = WindowRect(Handle());
  MONITORINFO monitor = {sizeof monitor};
  if (!::GetMonitorInfoA(::MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST), &monitor))
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  const CRect placed = PlacePreviewOnArea(CRect(now), CRect(monitor.rcWork));
  if (::EqualRect(&placed, &now)) return;
  ::SetWindowPos(Handle(), nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPreviewWnd::ShowFile(const std::string& path) {
  BringOntoWorkArea();
  ++sequence_;
  if (!LoadImageAsync(Handle(), path.c_str(), sequence_, windowWidth_, windowHeight_)) {
    // No picture will come: nothing to wait for.
    HidePreview();
    return;
  }
  ::SetTimer(Handle(), kShowTimer, kShowDelay, nullptr);
  timerFired_ = false;
  imageArrived_ = false;
  active_ = true;
}

void CPreviewWnd::HidePreview() {
  image_.reset();
  active_ = false;
  ++sequence_;
  ::KillTimer(Handle(), kShowTimer);
  ::ShowWindow(Handle(), SW_HIDE);
}

void CPreviewWnd::SavePlacement() {
  const RECT rect = WindowRect(Handle());
  auto& layout = g_settings.frameLayout;
  layout.preview_x = rect.left;
  layout.preview_y = rect.top;
  layout.preview_w = rect.right - rect.left;
  layout.preview_h = rect.bottom - rect.top;
}

// Only the newest request's picture is shown, and only while the preview is wanted; any other is
// freed with its request.
void CPreviewWnd::OnImageLoaded(LPARAM carried) {
  std::unique_ptr<ImageLoadRequest> request = TakeImageLoadRequest(carried);
  if (!active_ || request->sequence != sequence_) return;
  if (timerFired_) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  imageArrived_ = true;
  image_ = std::move(request->image);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CPreviewWnd::OnTimer() {
  ::KillTimer(Handle(), kShowTimer);
  timerFired_ = true;
  if (imageArrived_ && active_) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

// Pictures are fitted into the client area: the window's own size, caption and border included,
// would cut off their lower and right edges.
void CPreviewWnd::OnSize() {
  if (dragging_) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  windowWidth_ = client.right;
  windowHeight_ = client.bottom;
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CPreviewWnd::OnPaint() {
  PaintDC paint(Handle());
  const HDC dc = paint.get();
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  GdiObject<HBRUSH> white(::CreateSolidBrush(0xFFFFFF));
  ::FillRect(dc, &client, white.get());
  if (!image_ || !image_->m_valid) return;
  HPALETTE oldPalette = nullptr;
  if (Cimage::S_use_palette && Cimage::S_hpal) {
    oldPalette = ::SelectPalette(dc, Cimage::S_hpal, FALSE);
    ::RealizePalette(dc);
  }
  const int x = image_->m_width < client.right ? (client.right - image_->m_width) / 2 : 0;
  const int y = image_->m_height < client.bottom ? (client.bottom - image_->m_height) / 2 : 0;
  image_->DisplayImage(dc, x, y);
  if (oldPalette) ::SelectPalette(dc, oldPalette, FALSE);
}

void CPreviewWnd::OnLButtonDown(LPARAM lParam) {
  const RECT rect = WindowRect(Handle());
  const POINT pointer = ScreenPointOf(Handle(), lParam);
  grabOffset_ = POINT{pointer.x - rect.left, pointer.y - rect.top};
  dragging_ = true;
  ::SetCapture(Handle());
}

void CPreviewWnd::OnMouseMove(LPARAM lParam) {
  if (!dragging_) return;
  const POINT pointer = ScreenPointOf(Handle(), lParam);
  ::SetWindowPos(Handle(), nullptr, pointer.x - grabOffset_.x, pointer.y - grabOffset_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPreviewWnd::OnLButtonUp() {
  dragging_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
}

bool CPreviewWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_IMAGE_LOADED:
      OnImageLoaded(lParam);
      result = kImageTaken;
      return true;
    case WM_TIMER:
      if (wParam != kShowTimer) return false;
      OnTimer();
      return true;
    case WM_SIZE:
      OnSize();
      return true;
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(lParam);
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp();
      return true;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return true;
    case WM_RBUTTONDOWN:
    case WM_CLOSE:
      HidePreview();
      return true;
    default:
      return false;
  }
}
