#include "mailer_dialogs_win.h"

#include <vector>

int g_helpContext = 0;

HINSTANCE PostlarkModule() { return ::GetModuleHandleA("postlark.dll"); }

void CenterOnDesktop(HWND window) {
  RECT desktop, own;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  ::SetWindowPos(window, nullptr, desktop.left + (desktop.right - desktop.left - width) / 2,
                 desktop.top + (desktop.bottom - desktop.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

std::string WindowText(HWND window, size_t limit) {
  std::vector<char> text(limit + 1);
  ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}
