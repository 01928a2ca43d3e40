#pragma once
// What the display tests share: a window on the real display to draw pictures on, what it shows
// read back, and checks of what the drawing calls leave in the picture.
#include <windows.h>

#include <vector>

#include "palette_test_pictures.h"

// What an area of the screen shows, as 24-bit colours, rows top first.
struct ScreenArea {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// A visible pop-up window at the desktop's top-left corner whose whole area is client area.
// Nothing paints it but the test: it erases no background of its own.
class TestWindow {
 public:
  TestWindow(int width, int height);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  void Fill(Rgb colour);
  // The client area as the display holds it (on a 16-bit display, 5-6-5 values widened).
  ScreenArea Read() const;

 private:
  HWND hwnd_;
  int width_, height_;
};

// The display's bits per pixel.
int ScreenDepth();

// The shared display palette as Initialize_Palette makes it: the 6 × 6 × 6 cube, then black,
// none of it collapsing onto the system's colours.
::testing::AssertionResult IsTheDisplayPalette(HPALETTE palette);

// The picture's pixel buffer, padding and all.
std::vector<uint8_t> PixelBytes(const Cimage& picture);

// Shows the picture twice, the second time from the display copy that the first one made; then
// sets every byte of its pixels to fill, drops the copy as every change of the pixels does, and
// shows it again from a new copy.
::testing::AssertionResult KeepsItsCopyUntilThePixelsChange(Cimage& picture, HDC dc, int x, int y, uint8_t fill);

// Every pixel of the area from x, y equals the picture's; the rest of the screen area equals
// background.
::testing::AssertionResult ShowsPictureAt(const ScreenArea& screen, const BgrImage& picture, int x, int y,
                                          Rgb background);
