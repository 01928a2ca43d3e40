#pragma once
// What the picture previews paint: the client area white, one picture on it, drawn off-screen
// first so that a repaint does not flicker. With the library's palette mode on, its palette is
// selected and realised first.
#include <windows.h>

class Cimage;

enum class PictureAlignment {
  kCentred,          // centred on both axes, also where the picture is the larger
  kCentredOrOrigin,  // centred, but at 0 on an axis where the picture is the larger
};

// For the window's WM_PAINT; a missing or empty picture leaves the area white.
void PaintPictureOnWhite(HWND window, Cimage* picture, PictureAlignment alignment);
