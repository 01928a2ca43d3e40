#include "ole_drag_driver.h"

#include "drop_files_source.h"

namespace {

constexpr DWORD kLongestDrag = 10000;

void SetKeyState(int key, BYTE state) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[key] = state;
  ::SetKeyboardState(keys);
}

std::function<bool()> g_releaseWhen;
DWORD g_dragStart = 0;

void CALLBACK ReleaseButtonWhenDone(HWND, UINT, UINT_PTR timer, DWORD) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  if (!g_releaseWhen() && ::GetTickCount() - g_dragStart < kLongestDrag) {
    // A hand never holds quite still: the drag loop hears of the pointer where it now is.
    static LONG step = 1;
    input.mi.dx = step = -step;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof input);
    return;
  }
  ::KillTimer(nullptr, timer);
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

// Until the pointer is at the point, handling this thread's messages meanwhile.
void MovePointerTo(POINT at) {
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = LONG(at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  move.mi.dy = LONG(at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &move, sizeof move);
  const DWORD start = ::GetTickCount();
  for (;;) {
    POINT now = {};
    ::GetCursorPos(&now);
    if ((now.x == at.x && now.y == at.y) || ::GetTickCount() - start > kLongestDrag) return;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace

DWORD DragOnto(HWND window, POINT client, DragKeys keys, const std::function<DWORD()>& drag,
               const std::function<bool()>& done) {
  POINT at = client;
  ::ClientToScreen(window, &at);
  MovePointerTo(at);
  SetKeyState(VK_LBUTTON, 0x80);
  if (keys.control) SetKeyState(VK_CONTROL, 0x80);
  if (keys.shift) SetKeyState(VK_SHIFT, 0x80);
  int rounds = 0;
  g_releaseWhen = [&] { return ++rounds > 4 && done(); };
  g_dragStart = ::GetTickCount();
  ::SetTimer(nullptr, 0, 100, ReleaseButtonWhenDone);
  const DWORD effect = drag();
  SetKeyState(VK_LBUTTON, 0);
  SetKeyState(VK_CONTROL, 0);
  SetKeyState(VK_SHIFT, 0);
  return effect;
}

DWORD DragFilesOnto(HWND window, POINT client, const std::string& block, DWORD allowedEffects, DragKeys keys,
                    const std::function<bool()>& done) {
  return DragOnto(window, client, keys, [&] { return DragDropFiles(block, allowedEffects); }, done);
}

DWORD DragBlockOnto(HWND window, POINT client, UINT format, const std::string& block, DWORD allowedEffects,
                    DragKeys keys) {
  return DragOnto(window, client, keys, [&] { return DragDropBlock(format, block, allowedEffects); });
}
