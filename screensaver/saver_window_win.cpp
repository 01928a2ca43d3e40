#include "saver_window_win.h"

#include <windowsx.h>

#include <cstdlib>
#include <memory>

#include "Cimage.h"

namespace {

// Decoded straight into the window's size, keeping the picture's shape.
constexpr int kFitExactly = 4;
constexpr UINT_PTR kNextPictureTimer = 1;
// Pointer jitter (and the move a newly shown window reports) below this does not end the saver.
constexpr int kMouseSlack = 4;

struct Saver {
  std::string folder;
  std::vector<std::string> playlist;
  size_t next = 0;
  Cimage picture;
  bool fullScreen = true;
  bool pointerKnown = false;
  POINT pointer = {};
};

// Loads the next picture that decodes, dropping those that do not; false when none is left.
bool ShowNextPicture(HWND window, Saver& saver) {
  RECT client = {};
  ::GetClientRect(window, &client);
  while (!saver.playlist.empty()) {
    if (saver.next >= saver.playlist.size()) saver.next = 0;
    saver.picture = Cimage();
    saver.picture.LoadImageA(saver.playlist[saver.next].c_str(), client.right, client.bottom, kFitExactly);
    if (saver.picture.m_valid && saver.picture.m_pixels) {
      ++saver.next;
      ::InvalidateRect(window, nullptr, FALSE);
      return true;
    }
    saver.playlist.erase(saver.playlist.begin() + long(saver.next));
  }
  saver.picture = Cimage();
  ::InvalidateRect(window, nullptr, FALSE);
  return false;
}

void DrawNoPicturesText(HDC dc, const RECT& client, const std::string& folder, bool fullScreen) {
  const std::string text = "VN Screen Saver has no pictures to show.\n\nPut pictures in the folder\n" + folder +
                           "\nand they will be shown here, in the slide order you give them in Vireldan.";
  HFONT font = ::CreateFontA(fullScreen ? 28 : 11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(220, 220, 220));
  RECT measured = client;
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  ::DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
  RECT placed = client;
  placed.top = (client.bottom - (measured.bottom - measured.top)) / 2;
  ::DrawTextA(dc, text.c_str(), -1, &placed, format);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
}

// Drawn off-screen first, so that a new picture replaces the old one without a black flash.
void Paint(HWND window, Saver& saver) {
  PAINTSTRUCT paint;
  HDC screen = ::BeginPaint(window, &paint);
  RECT client = {};
  ::GetClientRect(window, &client);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP buffer = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  if (memory && buffer) {
    HGDIOBJ old = ::SelectObject(memory, buffer);
    ::FillRect(memory, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (saver.picture.m_pixels)
      saver.picture.DisplayImage(memory, (client.right - saver.picture.m_width) / 2,
                                 (client.bottom - saver.picture.m_height) / 2);
    else
      DrawNoPicturesText(memory, client, saver.folder, saver.fullScreen);
    ::BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
  }
  if (buffer) ::DeleteObject(buffer);
  if (memory) ::DeleteDC(memory);
  ::EndPaint(window, &paint);
}

// The first position the window hears of is where the pointer rests; moving off it ends.
bool PointerMovedAway(Saver& saver, LPARAM position) {
  const POINT now = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (!saver.pointerKnown) {
    saver.pointer = now;
    saver.pointerKnown = true;
    return false;
  }
  return std::abs(now.x - saver.pointer.x) > kMouseSlack || std::abs(now.y - saver.pointer.y) > kMouseSlack;
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    ::SetWindowLongPtrA(window, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  Saver* saver = reinterpret_cast<Saver*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!saver) return ::DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(window, *saver); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER: ShowNextPicture(window, *saver); return 0;
    case WM_SETCURSOR:
      if (saver->fullScreen) {
        ::SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (saver->fullScreen && PointerMovedAway(*saver, lParam)) ::DestroyWindow(window);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (saver->fullScreen) ::DestroyWindow(window);
      return 0;
    case WM_ACTIVATEAPP:
      if (saver->fullScreen && !wParam) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::KillTimer(window, kNextPictureTimer);
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunSaverWindow(const std::string& folder, std::vector<std::string> playlist, HWND preview) {
  Cimage::S_Initialize();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = SaverProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kSaverWindowClass;
  ::RegisterClassA(&windowClass);

  auto saver = std::make_unique<Saver>();
  saver->folder = folder;
  saver->playlist = std::move(playlist);
  saver->fullScreen = preview == nullptr;
  RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (preview) ::GetClientRect(preview, &area);
  HWND window = ::CreateWindowExA(preview ? 0 : WS_EX_TOPMOST, kSaverWindowClass, "VN Screen Saver",
                                  preview ? WS_CHILD : WS_POPUP, 0, 0, area.right, area.bottom, preview, nullptr,
                                  windowClass.hInstance, saver.get());
  if (!window) return 1;
  if (ShowNextPicture(window, *saver)) ::SetTimer(window, kNextPictureTimer, kSaverSecondsPerPicture * 1000, nullptr);
  ::ShowWindow(window, SW_SHOW);
  if (!preview) ::SetForegroundWindow(window);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  Cimage::S_UnInitialize();
  return int(message.wParam);
}
