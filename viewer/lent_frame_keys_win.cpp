#include "lent_frame_keys.h"

bool IsKeyLentToMainFrame(const MSG& message) {
  const WPARAM key = message.wParam;
  if (key == VK_CONTROL || key == VK_MENU || key == VK_SHIFT) return false;
  const bool control = ::GetKeyState(VK_CONTROL) < 0;
  const bool alt = message.message == WM_SYSKEYDOWN || ::GetKeyState(VK_MENU) < 0;
  if (control || alt) return true;
  return key >= VK_F1 && key <= VK_F12 && key != VK_F2;
}
