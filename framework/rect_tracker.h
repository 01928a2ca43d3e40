#pragma once
// A rectangle the user draws and then moves or resizes with the mouse: drawn as a dotted frame
// with square handles just outside its corners and sides. Tracking runs its own mouse loop until
// the button goes up, showing the rectangle as an inverted frame meanwhile.
#include <windows.h>

class RectTracker {
 public:
  // What a point is over: a handle (corners first, then sides), the inside, or nothing.
  enum Hit { kOutside = -1, kTopLeft, kTopRight, kBottomRight, kBottomLeft, kTop, kRight, kBottom, kLeft, kInside };

  explicit RectTracker(const RECT& area) : rect(area) {}

  // Client coordinates of the window it is used in.
  RECT rect;

  Hit HitTest(POINT point) const;
  // Sets the cursor for what the point is over (resize arrows over handles, the arrow elsewhere).
  void SetCursor(POINT point) const;
  void Draw(HDC dc) const;

  // Draws a new rectangle from `start` while the button is held; false when the button went up
  // without the rectangle growing. The result is normalised (left <= right, top <= bottom).
  bool TrackRubberBand(HWND window, POINT start);
  // Moves or resizes the rectangle by the part under `start`; false when nothing changed or
  // `start` is outside it. An edge dragged past the opposite one turns the rectangle over.
  bool Track(HWND window, POINT start);

 private:
  static constexpr int kHandleSize = 7;
  RECT HandleRect(Hit handle) const;
  bool TrackHit(HWND window, POINT start, Hit hit);
};
