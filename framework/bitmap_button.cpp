#include "bitmap_button.h"

bool BitmapButton::Bind(HWND button, int upBitmap, int downBitmap, HINSTANCE resources) {
  if (!resources) resources = ::GetModuleHandleA(nullptr);
  up_.reset(::LoadBitmapA(resources, MAKEINTRESOURCEA(upBitmap)));
  down_.reset(::LoadBitmapA(resources, MAKEINTRESOURCEA(downBitmap)));
  if (!up_.get() || !down_.get() || !Subclass(button)) return false;
  BITMAP size = {};
  ::GetObjectA(up_.get(), sizeof size, &size);
  ::SetWindowPos(button, nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool BitmapButton::DrawItem(const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_BUTTON) return false;
  const BitmapButton* button = dynamic_cast<const BitmapButton*>(FromHandle(item->hwndItem));
  if (!button) return false;
  button->Draw(*item);
  return true;
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
  MemoryDC memory(item.hDC);
  const HBITMAP bitmap = (item.itemState & ODS_SELECTED) ? down_.get() : up_.get();
  SelectedObject selected(memory.get(), bitmap);
  const RECT& area = item.rcItem;
  ::BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), 0, 0,
           SRCCOPY);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = area;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(item.hDC, &focus);
  }
}
