// The image window's mouse, keys and timers: panning and moving, the crop rectangle and the
// de-skew line, the pixel read-out, the context menu, paging to the neighbouring file, the
// auto-dismiss, the refit after a resize, animation and the annotation shown while the button is
// held.
#include <cstdlib>

#include "annotation_wnd.h"
#include "app_settings.h"
#include "frame_link.h"
#include "full_screen_wnd.h"
#include "image_wnd.h"
#include "key_index.h"
#include "lent_frame_keys.h"
#include "panes.h"
#include "private_messages.h"
#include "program_state.h"
#include "resource.h"
#include "wait_cursor.h"

namespace {

constexpr UINT_PTR kDismissTimer = 1;
constexpr UINT_PTR kResizeTimer = 2;
constexpr UINT_PTR kAnimationTimer = 3;
constexpr UINT_PTR kHoldTimer = 4;
constexpr UINT kHoldInterval = 100;
constexpr int kHoldTicks = 4;
// The context menus' pop-ups of the image window: pan/zoom mode's (with Undo), autosizing mode's.
constexpr int kPanZoomMenu = 2;
constexpr int kAutosizingMenu = 3;
constexpr int kFitResample = 2;
constexpr int kFitExactly = 4;

bool PrimaryButtonDown() {
  const int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return ::GetAsyncKeyState(button) < 0;
}

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

bool IsPagingKey(UINT key) { return key == VK_SPACE || key == VK_NEXT || key == VK_BACK || key == VK_PRIOR; }

}  // namespace

void CImageWnd::OnKeyDown(UINT key) {
  CFullScreenWnd* fullScreen = g_program.fullScreen;
  if (fullScreen && fullScreen->IsShowing()) {
    // The full-screen window pages through the folder while it shows the picture.
    if (!IsPagingKey(key)) return;
    const bool previous = key == VK_BACK || key == VK_PRIOR;
    if (HWND view = ThumbnailPaneWindow()) ::PostMessageA(view, WM_SELECT_ADJACENT, previous, 1);
    return;
  }
  if (fullScreen) fullScreen->HideImage();
  const bool shift = KeyHeld(VK_SHIFT);
  if (panZoom_) {
    switch (key) {
      case VK_DOWN: Scroll(SB_VERT, shift ? SB_PAGEDOWN : SB_LINEDOWN); break;
      case VK_UP: Scroll(SB_VERT, shift ? SB_PAGEUP : SB_LINEUP); break;
      case VK_RIGHT: Scroll(SB_HORZ, shift ? SB_PAGEDOWN : SB_LINEDOWN); break;
      case VK_LEFT: Scroll(SB_HORZ, shift ? SB_PAGEUP : SB_LINEUP); break;
      case VK_HOME: MoveCentre(-xAxis_.centre, -yAxis_.centre); break;
      case VK_END: MoveCentre(image_.m_width - xAxis_.centre, image_.m_height - yAxis_.centre); break;
      default: break;
    }
  }
  switch (key) {
    case VK_ADD:
    case VK_OEM_PLUS: ZoomIn(); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomOut(); break;
    case VK_BACK:
    case VK_PRIOR: CloseAndOpenNeighbour(true); break;
    case VK_SPACE:
    case VK_NEXT: CloseAndOpenNeighbour(false); break;
    case VK_RETURN:
      if (ConfirmClose()) Destroy();
      break;
    default: break;
  }
}

void CImageWnd::CloseAndOpenNeighbour(bool previous) {
  // A modified picture is offered for saving first; a window that stays open opens nothing.
  if (!ConfirmClose()) return;
  if (HWND view = ThumbnailPaneWindow()) ::PostMessageA(view, WM_SELECT_ADJACENT, previous, 0);
  Destroy();
}

void CImageWnd::OnLButtonDown(UINT flags, POINT point) {
  const bool alt = KeyHeld(VK_MENU), shift = (flags & MK_SHIFT) != 0;
  if (!alt && !shift && !(flags & MK_CONTROL)) {
    pressPoint_ = point;
    holdTicks_ = 0;
    holdTimer_ = ::SetTimer(Handle(), kHoldTimer, kHoldInterval, nullptr) != 0;
  }
  if (alt) {
    drawingLine_ = true;
    lineComplete_ = false;
    lineStart_ = lineEnd_ = point;
  } else if (shift || tracker_) {
    // The tracker follows the mouse until the button goes up, so nothing stays captured.
    TrackCrop(point);
    return;
  } else {
    dragging_ = true;
    POINT screen = point;
    ::ClientToScreen(Handle(), &screen);
    RECT frame = {};
    ::GetWindowRect(Handle(), &frame);
    grabOffset_ = {screen.x - frame.left, screen.y - frame.top};
    panAnchor_ = ClientToImage(point);
  }
  ::SetCapture(Handle());
}

void CImageWnd::TrackCrop(POINT point) {
  if (tracker_) {
    tracker_->rect = CropRectOnClient();
    if (tracker_->HitTest(point) == RectTracker::kOutside) {
      tracker_.reset();
      Repaint();
      return;
    }
    tracker_->Track(Handle(), point);
  } else {
    tracker_ = std::make_unique<RectTracker>(RECT{});
    // A click without a drag draws no rectangle and leaves no tracker behind.
    if (!tracker_->TrackRubberBand(Handle(), point)) {
      tracker_.reset();
      Repaint();
      return;
    }
  }
  const POINT topLeft = ClientToImage(POINT{tracker_->rect.left, tracker_->rect.top});
  const POINT bottomRight = ClientToImage(POINT{tracker_->rect.right, tracker_->rect.bottom});
  cropRect_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  Repaint();
}

void CImageWnd::OnLButtonUp() {
  if (drawingLine_) {
    drawingLine_ = false;
    lineComplete_ = true;
  }
  dragging_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
}

void CImageWnd::OnMouseMove(POINT point) {
  if ((holdTimer_ || annotation_) && (std::abs(point.x - pressPoint_.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                                      std::abs(point.y - pressPoint_.y) > ::GetSystemMetrics(SM_CYDRAG))) {
    ::KillTimer(Handle(), kHoldTimer);
    holdTimer_ = false;
    CloseAnnotation();
  }
  if (dragging_) {
    if (panZoom_) {
      const POINT now = ClientToImage(point);
      MoveCentre(panAnchor_.x - now.x, panAnchor_.y - now.y);
    } else {
      POINT screen = point;
      ::ClientToScreen(Handle(), &screen);
      ::SetWindowPos(Handle(), nullptr, screen.x - grabOffset_.x, screen.y - grabOffset_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (drawingLine_) {
    POINT screen = point;
    ::ClientToScreen(Handle(), &screen);
    if (::WindowFromPoint(screen) == Handle()) {
      lineEnd_ = point;
      Repaint();
      DrawDeskewLine();
    } else {
      drawingLine_ = false;
      ::ReleaseCapture();
      Repaint();
    }
  }
  ShowStatus(point);
}

void CImageWnd::ShowStatus(POINT point) {
  if (!g_program.mainFrame) return;
  if (!panZoom_) return g_program.mainFrame->SetStatusText(path_);
  // A point beside the picture reads the nearest pixel of it.
  const POINT at = ClientToImage(point);
  const int x = OnPicture(at.x, image_.m_width), y = OnPicture(at.y, image_.m_height);
  g_program.mainFrame->SetStatusText(PixelStatusText(x, y, image_.GetRGB(x, y)));
}

void CImageWnd::OnRButtonDown(POINT point) {
  interacted_ = true;
  dragging_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  rightClick_ = ClientToImage(point);
  ShowContextMenu(point);
}

void CImageWnd::ShowContextMenu(POINT point) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  if (!menu) return;
  HMENU popup = ::GetSubMenu(menu, panZoom_ ? kPanZoomMenu : kAutosizingMenu);
  ::ClientToScreen(Handle(), &point);
  if (popup) ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
  ::DestroyMenu(menu);
}

void CImageWnd::OnLButtonDblClk() {
  if (g_settings.pictureFrames.dismissonclick) ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void CImageWnd::OnTimer(UINT_PTR id) {
  switch (id) {
    case kDismissTimer:
      // A window the user worked with, or whose picture is not saved, stays.
      if (interacted_ || modified_ || !g_settings.pictureFrames.dismissondelay)
        ::KillTimer(Handle(), kDismissTimer);
      else
        Destroy();
      break;
    case kResizeTimer:
      if (!PrimaryButtonDown()) {
        ::KillTimer(Handle(), kResizeTimer);
        if (resizePending_ && !panZoom_) RefitToClient();
        resizePending_ = false;
      }
      break;
    case kAnimationTimer:
      if (!image_.m_animated) {
        ::KillTimer(Handle(), kAnimationTimer);
        break;
      }
      image_.NextFrame();
      StartAnimation();
      Repaint();
      if (g_program.fullScreen && g_program.fullScreen->IsShowing())
        ::InvalidateRect(g_program.fullScreen->Handle(), nullptr, FALSE);
      break;
    case kHoldTimer:
      OnHoldTick();
      break;
    default:
      break;
  }
}

void CImageWnd::OnHoldTick() {
  if (!PrimaryButtonDown()) {
    ::KillTimer(Handle(), kHoldTimer);
    holdTimer_ = false;
    return;
  }
  if (++holdTicks_ < kHoldTicks) return;
  ::KillTimer(Handle(), kHoldTimer);
  holdTimer_ = false;
  std::string annotation;
  if (g_keyIndex.GetAnnotation(path_, &annotation) && !annotation.empty()) {
    CloseAnnotation();
    annotation_ = new CAnnotationWnd(Handle(), pressPoint_.x, pressPoint_.y, annotation);
  }
}

void CImageWnd::CloseAnnotation() {
  delete annotation_;
  annotation_ = nullptr;
}

void CImageWnd::RefitToClient() {
  RECT frame = {};
  ::GetWindowRect(Handle(), &frame);
  windowPosition_ = {frame.left, frame.top};
  WaitCursor wait;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const WindowSize fitted =
      RefitClient({client.right, client.bottom}, {image_.m_width, image_.m_height},
                  {screenBox_.width - overhead_.width, screenBox_.height - overhead_.height});
  const bool valid = image_.m_valid && !image_.m_loadError && image_.m_pixels;
  if (RefitMethod(fitted.width, image_.m_width, image_.m_origWidth, valid) == Refit::Reload) {
    // The file loaded again replaces the shown picture only when it loaded.
    Cimage reloaded;
    reloaded.LoadImageA(path_.c_str(), fitted.width, fitted.height, kFitExactly);
    if (reloaded.m_valid && !reloaded.m_loadError) image_ = reloaded;
  } else {
    image_.ReSample(fitted.width, fitted.height, kFitResample);
  }
  image_.m_scaleNum = image_.m_width;
  image_.m_scaleDen = image_.m_height;
  window_ = {image_.m_width + overhead_.width, image_.m_height + overhead_.height};
  sizingItself_ = true;
  ::SetWindowPos(Handle(), nullptr, windowPosition_.x, windowPosition_.y, window_.width, window_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  sizingItself_ = false;
  UpdateTitle();
  Repaint();
}

bool CImageWnd::LendsKeyToMainWindow(const MSG& message) const { return IsKeyLentToMainFrame(message); }
