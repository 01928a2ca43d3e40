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
POINT g_dropPoint = {};

// An absolute move to the point of the screen.
INPUT MoveTo(POINT at) {
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = LONG(at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  move.mi.dy = LONG(at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return move;
}

bool AtDropPoint() {
  POINT now = {};
  ::GetCursorPos(&now);
  return now.x >= g_dropPoint.x - 1 && now.x <= g_dropPoint.x + 1 && now.y == g_dropPoint.y;
}

// The button goes up only with the pointer at the drop point: under Wine on a busy machine the
// display can hand back a position from before the last move, and the drop would land there.
void CALLBACK ReleaseButtonWhenDone(HWND, UINT, UINT_PTR timer, DWORD) {
  const bool ready = g_releaseWhen();
  if (!(ready && AtDropPoint()) && ::GetTickCount() - g_dragStart < kLongestDrag) {
    // A hand never holds quite still: the drag loop hears of the pointer where it now is.
    static LONG step = 1;
    step = 1 - step;
    INPUT move = MoveTo(POINT{g_dropPoint.x + step, g_dropPoint.y});
    ::SendInput(1, &move, sizeof move);
    return;
  }
  ::KillTimer(nullptr, timer);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

// Until the pointer is at the point, handling this thread's messages meanwhile.
void MovePointerTo(POINT at) {
  INPUT move = MoveTo(at);
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
  g_dropPoint = at;
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
