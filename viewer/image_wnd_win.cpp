// Opening an image window: loading the picture, making the frame in its mode, placing it on the
// screen, and its place in the main frame's list until it goes.
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "annotation_wnd.h"
#include "app_settings.h"
#include "full_screen_wnd.h"
#include "image_sound.h"
#include "image_wnd.h"
#include "frame_link.h"
#include "program_state.h"
#include "wait_cursor.h"

namespace {

constexpr char kLoadError[] = "Error loading image file";
constexpr char kTransferError[] = "Error transferring image file";
constexpr char kUntitled[] = "untitled.jpg";
constexpr int kFullSizeLoad = 5;
constexpr UINT_PTR kDismissTimer = 1;
constexpr UINT_PTR kAnimationTimer = 3;

constexpr DWORD kPanZoomStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL;
constexpr DWORD kAutosizingStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPSIBLINGS;
// The autosizing window's small caption leaves more of the screen to the picture.
constexpr DWORD kAutosizingExStyle = WS_EX_TOOLWINDOW;

// The corner the next window goes to when they cycle through the corners.
int g_nextCorner = 3;

void TellUser(const char* text) { ::MessageBoxA(nullptr, text, "Vireldan", MB_OK | MB_ICONEXCLAMATION); }

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
  std::string result = length && length < sizeof folder ? std::string(folder, length) : std::string();
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

HWND MainFrameHandle() { return g_program.mainFrame ? g_program.mainFrame->Handle() : nullptr; }

}  // namespace

CImageWnd::CImageWnd(const std::string& folder, const std::string& name)
    : fileName_(name), folder_(folder), path_(folder + name) {}

CImageWnd::~CImageWnd() { CloseAnnotation(); }

void CImageWnd::MeasureScreen(bool smallCaption) {
  RECT desktop = {};
  ::GetClientRect(::GetDesktopWindow(), &desktop);
  // A window never needs more room than a maximised one has.
  screenBox_ = {std::min<int>(desktop.right, ::GetSystemMetrics(SM_CXMAXIMIZED)),
                std::min<int>(desktop.bottom, ::GetSystemMetrics(SM_CYMAXIMIZED))};
  RECT frame = {0, 0, 0, 0};
  if (smallCaption)
    ::AdjustWindowRectEx(&frame, kAutosizingStyle, FALSE, kAutosizingExStyle);
  else
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  overhead_ = {frame.right - frame.left, frame.bottom - frame.top};
}

CImageWnd* CImageWnd::OpenFile(const std::string& folder, const std::string& name, bool quiet, OpenMode mode) {
  WaitCursor wait;
  const auto& frames = g_settings.pictureFrames;
  auto* window = new CImageWnd(folder, name);
  window->MeasureScreen(true);
  const WindowSize box = WindowBox(window->screenBox_, {frames.viewstyle, frames.preferedsize, frames.scalingmode}, mode);
  if (!window->LoadFile(quiet, mode, LoadBox(box, window->overhead_))) {
    delete window;
    return nullptr;
  }
  const HWND parent = frames.ontop && !quiet ? MainFrameHandle() : nullptr;
  bool created;
  if (window->panZoom_) {
    window->MeasureScreen(false);
    created = window->CreatePanZoomFrame(parent, box);
  } else {
    created = window->CreateAutosizingFrame(parent);
  }
  if (!created) {
    delete window;
    return nullptr;
  }
  return window->Present(mode);
}

bool CImageWnd::LoadFile(bool quiet, OpenMode mode, WindowSize loadBox) {
  const auto& frames = g_settings.pictureFrames;
  const OpeningSettings opening = {frames.viewstyle, frames.preferedsize, frames.scalingmode};
  bool full = !LoadsScaled(opening, mode);
  if (!full) {
    image_.LoadImageA(path_.c_str(), loadBox.width, loadBox.height, ScaledLoadMode(frames.scalingmode));
    full = !image_.m_valid && !image_.m_loadError;
  }
  if (full) {
    image_.LoadImageA(path_.c_str(), 0, 0, kFullSizeLoad);
    panZoom_ = true;
  }
  if (image_.m_loadError || !image_.m_valid) {
    if (!quiet) TellUser(kLoadError);
    return false;
  }
  if (image_.m_animated) panZoom_ = true;
  return true;
}

bool CImageWnd::CreatePanZoomFrame(HWND parent, WindowSize box) {
  xAxis_.centre = image_.m_width / 2;
  yAxis_.centre = image_.m_height / 2;
  const WindowSize bars = {::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
  window_ = PanZoomWindowSize({image_.m_width, image_.m_height}, overhead_, bars, box);
  // Made larger than it will be, so that laying out the first time sees room for the whole picture.
  const RECT area = {0, 0, window_.width + 80, window_.height + 80};
  sizingItself_ = true;
  const bool created = Create(0, fileName_.c_str(), kPanZoomStyle, area.left, area.top, area.right, area.bottom,
                              parent, nullptr, RegisterWindowClass("VireldanImage", nullptr));
  if (created) {
    Layout();
    ::SetWindowPos(Handle(), nullptr, 0, 0, window_.width, window_.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  sizingItself_ = false;
  return created;
}

bool CImageWnd::CreateAutosizingFrame(HWND parent) {
  window_ = {image_.m_width + overhead_.width, image_.m_height + overhead_.height};
  sizingItself_ = true;
  const bool created = Create(kAutosizingExStyle, fileName_.c_str(), kAutosizingStyle, 0, 0, 100, 100, parent,
                              nullptr, RegisterWindowClass("VireldanImage", nullptr));
  sizingItself_ = false;
  return created;
}

void CImageWnd::Place() {
  const Placement at = PlaceWindow(g_settings.pictureFrames.position, screenBox_, window_, g_nextCorner,
                                   std::rand() & 0x7FFF, std::rand() & 0x7FFF);
  windowPosition_ = {at.x, at.y};
  sizingItself_ = true;
  ::SetWindowPos(Handle(), nullptr, at.x, at.y, window_.width, window_.height, SWP_NOZORDER | SWP_NOACTIVATE);
  sizingItself_ = false;
}

CImageWnd* CImageWnd::Present(OpenMode mode) {
  const HWND handle = Handle();
  Place();
  UpdateTitle();
  if (g_program.mainFrame) g_program.mainFrame->AddImageWindow(handle);
  // The main frame's limit on open windows may have closed this very one.
  if (!::IsWindow(handle)) return nullptr;
  ShowOpened(mode);
  return this;
}

void CImageWnd::StartAnimation() {
  if (image_.m_animated) ::SetTimer(Handle(), kAnimationTimer, UINT(std::max(image_.m_frameDelay, 1)) * 10, nullptr);
}

void CImageWnd::ShowOpened(OpenMode mode) {
  const auto& frames = g_settings.pictureFrames;
  StartAnimation();
  if (OpensFullScreen(frames.viewstyle, mode) && g_program.fullScreen)
    g_program.fullScreen->ShowImage(&image_, Handle());
  if (frames.dismissondelay)
    ::SetTimer(Handle(), kDismissTimer, UINT(std::max(frames.dismisstime, 0)) * 1000, nullptr);
  if (g_settings.audio.playondisplay) PlayImageSound(path_);
  ::ShowWindow(Handle(), SW_SHOW);
  // The full-screen window stays in front when it shows the picture.
  if (g_program.fullScreen && g_program.fullScreen->IsShowing())
    ::SetWindowPos(g_program.fullScreen->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

CImageWnd* CImageWnd::CImageWndFromDib(HGLOBAL dib) { return FromPicture(nullptr, dib); }

CImageWnd* CImageWnd::CImageWndFromImage(const Cimage& image) { return FromPicture(&image, nullptr); }

CImageWnd* CImageWnd::FromPicture(const Cimage* image, HGLOBAL dib) {
  WaitCursor wait;
  auto* window = new CImageWnd(CurrentFolder(), kUntitled);
  if (image)
    window->image_.ZoomImage(const_cast<Cimage*>(image), 1, 1, 0, 0, image->m_width, image->m_height, 0);
  else
    window->image_.FromDIB(dib);
  window->panZoom_ = true;
  window->modified_ = true;
  window->MeasureScreen(false);
  const auto& frames = g_settings.pictureFrames;
  const WindowSize box = WindowBox(window->screenBox_, {frames.viewstyle, frames.preferedsize, frames.scalingmode},
                                   OpenMode::NeverFullScreen);
  if (!window->image_.m_valid || window->image_.m_loadError || !window->CreatePanZoomFrame(MainFrameHandle(), box)) {
    TellUser(kTransferError);
    delete window;
    return nullptr;
  }
  return window->Present(OpenMode::NeverFullScreen);
}

void CImageWnd::UpdateTitle() {
  const ZoomRatio shown = panZoom_ ? zoom_ : ZoomRatio{image_.m_scaleNum, image_.m_scaleDen};
  SetText(ImageWindowTitle(fileName_, image_.m_origWidth, image_.m_origHeight, shown.num, shown.den));
}

void CImageWnd::OnClose() {
  if (ConfirmClose()) Destroy();
}

LRESULT CImageWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && g_program.mainFrame) g_program.mainFrame->BringImageWindowFirst(Handle());
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int lines = wheel_.Add(GET_WHEEL_DELTA_WPARAM(wParam));
      for (int i = 0; i < lines; ++i) Scroll(SB_VERT, SB_LINEDOWN);
      for (int i = 0; i > lines; --i) Scroll(SB_VERT, SB_LINEUP);
      return 0;
    }
    case WM_KEYDOWN:
      OnKeyDown(UINT(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(UINT(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp();
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_RBUTTONDOWN:
      OnRButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_SETCURSOR:
      if (tracker_ && LOWORD(lParam) == HTCLIENT) {
        POINT point = {};
        ::GetCursorPos(&point);
        ::ScreenToClient(Handle(), &point);
        tracker_->SetCursor(point);
        return TRUE;
      }
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: a drag or a line in progress ends where it is.
      dragging_ = false;
      drawingLine_ = false;
      break;
    case WM_DESTROY:
      tracker_.reset();
      CloseAnnotation();
      for (UINT_PTR timer = 1; timer <= 4; ++timer) ::KillTimer(Handle(), timer);
      if (g_program.fullScreen) g_program.fullScreen->HideImage();
      if (g_program.mainFrame) g_program.mainFrame->RemoveImageWindow(Handle());
      break;
    default:
      break;
  }
  return FrameWindow::WndProc(message, wParam, lParam);
}
