#include "slide_show.h"

#include <algorithm>
#include <cstdlib>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "device_context.h"
#include "frame_link.h"
#include "image_sound.h"
#include "panes.h"
#include "slide_playlist.h"
#include "slide_transition.h"

namespace {

constexpr UINT_PTR kAdvanceTimer = 1;

HWND MainWindow() { return App::Instance() ? App::Instance()->MainWindow() : nullptr; }

void Tell(const char* text) { ::MessageBoxA(MainWindow(), text, MessageCaption(), MB_OK | MB_ICONEXCLAMATION); }

int RandomNumber() { return std::rand() & 0x7FFF; }

std::string PathOf(const CThumbItem& item) { return item.folder + item.name; }

}  // namespace

// The controller.

CSlideShow::~CSlideShow() { Stop(); }

void CSlideShow::Start(CThumbList& viewItems, bool plainFolder, const std::string& folder) {
  if (!window_) {
    const CAppSettings::SlideShow& show = g_settings.slideShow;
    CThumbList& playlist = sequence_.Playlist();
    CThumbItem* start = CopyViewItems(viewItems, playlist, show.include);
    if (show.include == 2 && plainFolder && !ScanFolder(folder, false, g_settings, playlist)) {
      playlist.RemoveAll();
      Tell("Error locating files...");
      return;
    }
    if (playlist.GetCount() == 0) {
      Tell("No files are included in the slideshow...");
      return;
    }
    OrderPlaylist(playlist, show, start != nullptr);
    if (!keys_) {
      keys_ = std::make_unique<CSlideShowKeyWnd>(*this);
      keys_->Create(MainWindow());
    }
    ::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &screenSaverWasActive_, 0);
    ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    running_ = true;
    sequence_.Begin(start, false);
    sequence_.focusPending = true;
    window_ = std::make_unique<CSlideShowWnd>(sequence_);
    window_->SetKeyWindow(keys_->Handle());
    if (!window_->Create()) {
      Stop();
      return;
    }
  }
  DeselectAllInThumbnailPane();
}

void CSlideShow::Stop() {
  window_.reset();
  keys_.reset();
  if (running_ && screenSaverWasActive_) ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  running_ = false;
  sequence_.End();
}

void CSlideShow::Next() {
  if (window_) window_->RestartTimer();
  sequence_.Next();
}

void CSlideShow::Previous() {
  if (window_) window_->RestartTimer();
  sequence_.Previous();
}

void CSlideShow::NextAndSelect() {
  Next();
  SelectInThumbnailPane(sequence_.currentId);
}

int CSlideShow::OnIdle() {
  if (sequence_.focusPending) {
    sequence_.focusPending = false;
    if (keys_) ::SetFocus(keys_->Handle());
  }
  if (!running_ || !window_) return 0;
  if (!sequence_.OnIdle(*window_, g_settings.slideShow.recycle != 0)) Stop();
  return 1;
}

// The key window.

bool CSlideShowKeyWnd::Create(HWND owner) {
  static const char* className = RegisterWindowClass("VireldanSlideShowKeys", nullptr);
  if (!Window::Create(0, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr, className)) return false;
  ::EnableWindow(Handle(), TRUE);
  ::SetFocus(Handle());
  return true;
}

LRESULT CSlideShowKeyWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATEAPP) {
    if (wParam) ::SetFocus(Handle());
    return 0;
  }
  if (message != WM_KEYDOWN) return Default(message, wParam, lParam);
  switch (wParam) {
    case VK_SPACE:
    case VK_RIGHT:
    case 'F':
    case VK_NUMPAD6: show_.Next(); break;
    case VK_LEFT:
    case 'B':
    case VK_NUMPAD2: show_.Previous(); break;
    case VK_RETURN: show_.NextAndSelect(); break;
    case VK_F11: show_.Pause(); break;
    case VK_F12:
      if (g_settings.slideShow.onkey) show_.Next();
      break;
    // The frame's Abort ends the show, and this window with it: after this message is handled.
    case VK_ESCAPE: ::PostMessageA(MainWindow(), WM_COMMAND, ID_ABORT_OPERATION, 0); break;
    default: break;
  }
  return 0;
}

// The show window.

bool CSlideShowWnd::Create() {
  static const char* className = RegisterWindowClass("VireldanSlideShow", nullptr);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  if (!Window::Create(WS_EX_TOPMOST, "", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, width, height, nullptr, nullptr,
                      className))
    return false;
  RECT area;
  ::GetWindowRect(Handle(), &area);
  screenWidth_ = area.right - area.left;
  screenHeight_ = area.bottom - area.top;
  const SlidePoint box = SlideLoadBox(g_settings.slideShow.size, screenWidth_, screenHeight_);
  loadWidth_ = box.x;
  loadHeight_ = box.y;
  corner_ = 0;
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
  ::ShowCursor(FALSE);
  RestartTimer();
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return true;
}

void CSlideShowWnd::RestartTimer() {
  ::KillTimer(Handle(), kAdvanceTimer);
  const int period = SlideTimerPeriod(g_settings.slideShow);
  if (period > 0)
    ::SetTimer(Handle(), kAdvanceTimer, UINT(period), nullptr);
  else if (period == 0)
    sequence_.continuous = true;
}

void CSlideShowWnd::LoadSlide(CThumbItem& item) {
  if (item.thumbnail) return;
  Cimage* picture = item.NewThumbnail();
  if (const int mode = SlideLoadMode(g_settings.slideShow.fitmode); picture && mode)
    picture->LoadImageA(PathOf(item).c_str(), loadWidth_, loadHeight_, mode);
}

void CSlideShowWnd::SlideChanged(CThumbItem& item) {
  if (g_settings.audio.playonslideshow) PlayImageSound(PathOf(item));
  // A step taken by the paint itself is shown by that paint.
  if (!painting_) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CSlideShowWnd::Paint() {
  PaintDC paint(Handle());
  CThumbItem* item = sequence_.SlideToPaint(*this);
  if (!item) return;
  sequence_.currentId = item->id;
  const int W = screenWidth_, H = screenHeight_;
  MemoryDC memory(paint.get());
  GdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(paint.get(), W, H));
  if (!memory.get() || !bitmap.get()) return;
  const HGDIOBJ oldBitmap = ::SelectObject(memory.get(), bitmap.get());
  Cimage* picture = SlideLoaded(*item) ? item->thumbnail : nullptr;
  const COLORREF background =
      g_settings.slideShow.match && picture ? COLORREF(picture->FindCommonColor()) : RGB(0, 0, 0);
  HPALETTE oldScreenPalette = nullptr, oldMemoryPalette = nullptr;
  if (Cimage::S_use_palette && Cimage::S_hpal) {
    oldMemoryPalette = ::SelectPalette(memory.get(), Cimage::S_hpal, FALSE);
    oldScreenPalette = ::SelectPalette(paint.get(), Cimage::S_hpal, FALSE);
    ::RealizePalette(paint.get());
  }
  const RECT whole = {0, 0, W, H};
  if (sequence_.firstPaint) {
    GdiObject<HBRUSH> brush(::CreateSolidBrush(background));
    ::FillRect(memory.get(), &whole, brush.get());
    ::BitBlt(paint.get(), 0, 0, W, H, memory.get(), 0, 0, SRCCOPY);
    sequence_.firstPaint = false;
  }
  SlidePoint at = {0, 0};
  if (picture)
    at = PlaceSlide(g_settings.slideShow.position, W, H, picture->m_width, picture->m_height, corner_, RandomNumber);
  if (g_settings.slideShow.overlap) {
    // Slides pile up: only the picture's own rectangle reaches the screen.
    if (picture) {
      picture->DisplayImage(memory.get(), 0, 0);
      ::BitBlt(paint.get(), at.x, at.y, picture->m_width, picture->m_height, memory.get(), 0, 0, SRCCOPY);
    }
  } else {
    Present(paint.get(), memory.get(), picture, at.x, at.y, background,
            g_settings.slideShow.shownames ? SlideCaption(item->name) : std::string());
  }
  if (oldMemoryPalette) ::SelectPalette(memory.get(), oldMemoryPalette, FALSE);
  if (oldScreenPalette) ::SelectPalette(paint.get(), oldScreenPalette, FALSE);
  ::SelectObject(memory.get(), oldBitmap);
}

void CSlideShowWnd::Present(HDC screen, HDC memory, Cimage* picture, int x, int y, COLORREF background,
                            const std::string& caption) {
  const int W = screenWidth_, H = screenHeight_;
  const RECT whole = {0, 0, W, H};
  GdiObject<HBRUSH> brush(::CreateSolidBrush(background));
  ::FillRect(memory, &whole, brush.get());
  if (picture) picture->DisplayImage(memory, x, y);
  if (!caption.empty()) {
    SIZE text = {};
    ::GetTextExtentPoint32A(memory, caption.c_str(), int(caption.size()), &text);
    const int width = std::min<int>(text.cx, W - 20), left = (W - width) / 2;
    const RECT box = {left, H - text.cy - 5, left + width, H - 3};
    ::FillRect(memory, &box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetTextColor(memory, RGB(255, 255, 255));
    ::SetBkMode(memory, TRANSPARENT);
    ::ExtTextOutA(memory, left, H - text.cy - 4, ETO_CLIPPED, &box, caption.c_str(), UINT(caption.size()), nullptr);
  }
  if (g_settings.transitions.enable)
    DrawTransition(screen, memory, W, H);
  else
    ::BitBlt(screen, 0, 0, W, H, memory, 0, 0, SRCCOPY);
}

LRESULT CSlideShowWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      painting_ = true;
      Paint();
      painting_ = false;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      RestartTimer();
      if (g_settings.slideShow.onmouse) sequence_.Next();
      return 0;
    case WM_LBUTTONDBLCLK:
      sequence_.stopRequest = true;
      return 0;
    case WM_KEYDOWN:
      if (keys_) ::SendMessageA(keys_, message, wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kAdvanceTimer) sequence_.Tick();
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam) {
        ::ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        sequence_.focusPending = true;
      } else {
        ::ShowWindow(Handle(), SW_HIDE);
      }
      return 0;
    case WM_DESTROY:
      ::KillTimer(Handle(), kAdvanceTimer);
      sequence_.preloadDue = sequence_.advanceRequested = false;
      ::ShowCursor(TRUE);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}
