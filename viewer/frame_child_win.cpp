#include "frame_child.h"

bool CreateInsideFrame(Window& child, HWND frame) {
  if (!frame) return false;
  RECT inside = {};
  ::GetClientRect(frame, &inside);
  const UINT_PTR id = UINT_PTR(::GetDlgCtrlID(frame));
  return child.Create(0, "preview", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, inside.right, inside.bottom, frame,
                      reinterpret_cast<HMENU>(id));
}
