#pragma once
// What the picture previews and the full-screen window paint: the client area in one colour, one
// picture on it, drawn off-screen first so that a repaint does not flicker. With the library's
// palette mode on, its palette is selected and realised first.
#include <windows.h>

class Cimage;

enum class PictureAlignment {
  kCentred,          // centred on both axes, also where the picture is the larger
  kCentredOrOrigin,  // centred, but at 0 on an axis where the picture is the larger
};

// For the window's WM_PAINT; a missing or empty picture leaves the area white.
void PaintPictureOnWhite(HWND window, Cimage* picture, PictureAlignment alignment);

// For the window's WM_PAINT: the picture's top left corner at (x, y) on a background colour
// (COLORREF); a missing or empty picture leaves only the background.
void PaintPictureOnBackground(HWND window, Cimage* picture, int x, int y, COLORREF background);
