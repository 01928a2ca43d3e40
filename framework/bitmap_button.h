#pragma once
// A push button drawn with two bitmaps, one for up and one for pressed, and sized to them. The
// button is owner-drawn in its template; its parent hands each WM_DRAWITEM to DrawItem.
#include <windows.h>

#include "device_context.h"
#include "window.h"

class BitmapButton : public Window {
 public:
  // Takes over the dialog's button and loads the two bitmaps from the resources (the program's
  // own when none); false when either is missing.
  bool Bind(HWND button, int upBitmap, int downBitmap, HINSTANCE resources = nullptr);

  // Draws a bitmap button for its parent's WM_DRAWITEM; false when the item is not one.
  static bool DrawItem(const DRAWITEMSTRUCT* item);

 private:
  void Draw(const DRAWITEMSTRUCT& item) const;

  GdiObject<HBITMAP> up_;
  GdiObject<HBITMAP> down_;
};
