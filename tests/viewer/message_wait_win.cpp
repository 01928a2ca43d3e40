#include "message_wait_win.h"

#include <atomic>

#include "ui_driver.h"

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > milliseconds) return done();
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::Sleep(10);
  }
  return true;
}

void SendAnswered(HWND window, UINT message, WPARAM wParam, const std::function<void()>& user) {
  std::atomic<bool> done(false);
  UiDriver driver([&] {
    user();
    done = true;
  });
  ::SendMessageA(window, message, wParam, 0);
  PumpUntil([&] { return done.load(); }, 120000);
}
