#include "message_pump.h"

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (::GetTickCount() - start > milliseconds) return done();
    ::Sleep(5);
  }
  return true;
}

void Pump(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  PumpUntil([&] { return ::GetTickCount() - start >= milliseconds; }, milliseconds + 1000);
}
