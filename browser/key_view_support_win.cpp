#include "key_view_support.h"

#include "progress_window.h"

KeyWalkEscape::KeyWalkEscape() { g_bCancel = 0; }

bool KeyWalkEscape::CancelRequested() {
  if (::GetAsyncKeyState(VK_ESCAPE) < 0) g_bCancel = 1;
  return g_bCancel != 0;
}
