// The screen-capture hot key: the foreground window (or the whole desktop) saved as a picture
// under "Capture" path, prefix and a running index.
#include <cstdio>

#include "Cimage.h"
#include "app_settings.h"
#include "image_window_entry_points.h"
#include "main_frame.h"

namespace {

const char* CaptureExtension(int format) {
  switch (format) {
    case 1: return "bmp";
    case 2: return "tif";
    case 3: return "png";
    case 4: return "gif";
    default: return "jpg";
  }
}

}  // namespace

void CMainFrame::CaptureScreen() {
  auto& capture = g_settings.capture;
  HWND window = capture.window ? ::GetDesktopWindow() : ::GetForegroundWindow();
  if (!window) return;
  RECT area = {};
  ::GetWindowRect(window, &area);
  HDC dc = ::GetWindowDC(window);
  Cimage picture;
  picture.FromDC(dc, area.right - area.left, area.bottom - area.top);
  const char* extension = CaptureExtension(capture.format);
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%s%i.%s", capture.prefix.c_str(), capture.index, extension);
  const std::string path = capture.path + "\\" + name;
  picture.SaveImage(path.c_str());
  ::ReleaseDC(window, dc);
  if (capture.sound) ::MessageBeep(MB_ICONINFORMATION);
  if (capture.display && !picture.m_saveError) OpenImageWindow(capture.path + "\\", name, 2, false);
  ++capture.index;
}
