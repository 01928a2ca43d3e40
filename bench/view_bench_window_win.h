#pragma once
// What the thumbnail-view benchmarks share: a stopwatch, and the real view in a 1024 x 768
// window with the program's default settings (edge 90, names and sizes under the thumbnails,
// sorted by name) and the display set up as the program does it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "private_messages.h"
#include "vireldan_view.h"

class Stopwatch {
 public:
  Stopwatch() {
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&start_);
  }
  // Seconds since the start or the last lap.
  double Lap() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    const double seconds = double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
    start_ = now;
    return seconds;
  }

 private:
  LARGE_INTEGER frequency_, start_;
};

// What the program sets up before its first window: the settings, and the display's depth (which
// decides whether pictures get display copies). The application object's profile, until one is
// chosen, gives every default.
inline void SetUpAsTheProgram(App& program) {
  g_settings.Load(program.GetProfile(),
                  SettingsEnvironment{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), "C:\\"});
  Initialize_Palette();
}

inline std::string AsFolder(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

class ViewBenchWindow {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;

  // False, after saying so, when the windows could not be made.
  bool Open() {
    if (frame_.Create(0, "view bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr) &&
        view_.Create(frame_.Handle(), 1, frame_.Handle())) {
      RECT client = {};
      ::GetClientRect(frame_.Handle(), &client);
      ::MoveWindow(view_.Handle(), 0, 0, client.right, client.bottom, TRUE);
      bar_ = ::GetDlgItem(view_.Handle(), 1);
    }
    if (!bar_) std::fprintf(stderr, "no window\n");
    return bar_ != nullptr;
  }
  CVireldanView& View() { return view_; }
  HWND Frame() const { return frame_.Handle(); }
  HWND Bar() const { return bar_; }

  void Paint() {
    ::InvalidateRect(view_.Handle(), nullptr, FALSE);
    ::UpdateWindow(view_.Handle());
  }
  // The message loop as the main window runs it: the loader's results, sent to the frame, go
  // back to the view.
  void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_THUMB_READY && message.hwnd == frame_.Handle()) {
        view_.OnThumbnailReady();
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }

 private:
  Window frame_;
  CVireldanView view_;
  HWND bar_ = nullptr;
};
