// An image window on one file, as the program opens it, for bench/image_open.sh:
//   image_window_bench open FILE    opens the file fitted to the screen, paints it once, ends
//                                   (the script times the whole process against djpeg.exe);
//   image_window_bench scroll FILE  opens it at full size, zooms, and prints the milliseconds of
//                                   one line of scrolling with its repaint, averaged over the
//                                   whole way down, at 2:1 and at 1:4.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_settings.h"
#include "command_ids.h"
#include "image_wnd.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

CImageWnd* Open(const std::string& path, OpenMode mode) {
  const size_t slash = path.find_last_of("\\/");
  CImageWnd* window = CImageWnd::OpenFile(path.substr(0, slash + 1), path.substr(slash + 1), true, mode);
  if (window) ::UpdateWindow(window->Handle());
  return window;
}

// Scrolls a line at a time from the top to the bottom; the mean milliseconds of a step.
double LineScrollMilliseconds(CImageWnd* window) {
  ::SendMessageA(window->Handle(), WM_KEYDOWN, VK_HOME, 0);
  int steps = 0;
  const double start = Seconds();
  for (int last = -1; window->yAxis_.origin != last && steps < 1000; ++steps) {
    last = window->yAxis_.origin;
    ::SendMessageA(window->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  }
  return steps ? (Seconds() - start) * 1000 / steps : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: image_window_bench open|scroll FILE\n");
    return 2;
  }
  auto& frames = g_settings.pictureFrames;
  frames = {};
  frames.position = 1;
  const std::string job = argv[1];
  if (job == "open") return Open(argv[2], OpenMode::Settings) ? 0 : 1;

  CImageWnd* window = Open(argv[2], OpenMode::OneToOne);
  if (!window) return 1;
  ::SendMessageA(window->Handle(), WM_COMMAND, ID_ZOOM_IN, 0);
  const double doubled = LineScrollMilliseconds(window);
  for (int i = 0; i < 4; ++i) ::SendMessageA(window->Handle(), WM_COMMAND, ID_ZOOM_OUT, 0);
  const double quarter = LineScrollMilliseconds(window);
  std::printf("scroll_2_to_1 %.3f\nscroll_1_to_4 %.3f\n", doubled, quarter);
  return 0;
}
