#include "full_screen_wnd.h"

#include <windowsx.h>

#include "app_settings.h"
#include "full_screen_placement.h"
#include "image_sound.h"
#include "panes.h"
#include "picture_on_white.h"
#include "private_messages.h"

namespace {

// Decode fitted exactly into the screen.
constexpr int kFitExactly = 4;

}  // namespace

bool CFullScreenWnd::Create() {
  static const char* className = RegisterWindowClass("VireldanFullScreen", nullptr);
  return Window::Create(WS_EX_TOPMOST, "", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                        ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, className);
}

void CFullScreenWnd::ShowImage(Cimage* image, HWND owner) { Show(image, owner); }

void CFullScreenWnd::ShowFile(const std::string& path, HWND owner) {
  fileImage_.LoadImageA(path.c_str(), ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                        kFitExactly);
  Show(&fileImage_, owner);
  if (g_settings.audio.playondisplay) PlayImageSound(path);
}

void CFullScreenWnd::HideImage() {
  fileImage_ = Cimage();
  image_ = nullptr;
  owner_ = nullptr;
  dragging_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  ::ShowWindow(Handle(), SW_HIDE);
  showing_ = false;
}

void CFullScreenWnd::Show(Cimage* image, HWND owner) {
  image_ = image;
  owner_ = owner;
  // The whole screen, also when its size changed since the window was made.
  screenWidth_ = ::GetSystemMetrics(SM_CXSCREEN);
  screenHeight_ = ::GetSystemMetrics(SM_CYSCREEN);
  const bool hasPicture = image_ && image_->m_pixels;
  position_.x = CentredOffset(screenWidth_, hasPicture ? image_->m_width : 0);
  position_.y = CentredOffset(screenHeight_, hasPicture ? image_->m_height : 0);
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, screenWidth_, screenHeight_, SWP_SHOWWINDOW);
  showing_ = true;
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CFullScreenWnd::Paint() {
  if (!image_ || !showing_) {
    PaintPictureOnBackground(Handle(), nullptr, 0, 0, RGB(0, 0, 0));
    return;
  }
  const bool hasPicture = image_->m_pixels != nullptr;
  const COLORREF background =
      g_settings.slideShow.match && hasPicture ? COLORREF(image_->FindCommonColor()) : RGB(0, 0, 0);
  PaintPictureOnBackground(Handle(), image_, position_.x, position_.y, background);
}

void CFullScreenWnd::OnKeyDown(WPARAM key) {
  if (key != VK_SPACE) {
    HideImage();
    return;
  }
  // The view selects the next file and shows it here; with no view there is nothing to page to.
  if (HWND view = ThumbnailPaneWindow()) ::PostMessageA(view, WM_SELECT_ADJACENT, 0, 1);
}

void CFullScreenWnd::Drag(POINT pointer) {
  if (!image_ || !image_->m_pixels) return;
  position_.x = DraggedOffset(position_.x, pointer.x - lastMouse_.x, screenWidth_, image_->m_width);
  position_.y = DraggedOffset(position_.y, pointer.y - lastMouse_.y, screenHeight_, image_->m_height);
  lastMouse_ = pointer;
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CFullScreenWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT pointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      lastMouse_ = pointer;
      dragging_ = true;
      ::SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP:
      dragging_ = false;
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) Drag(pointer);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (owner_) ::PostMessageA(owner_, WM_CLOSE, 0, 0);
      HideImage();
      return 0;
    case WM_RBUTTONDOWN:
      HideImage();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Alt and F10 leave too: a topmost window must never trap the user.
      OnKeyDown(wParam);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}
