#pragma once
// Points, sizes and rectangles in device units, as the image library and the windows share them.
// On Windows a CRect is a RECT and a CPoint a POINT, so they pass straight to Win32 calls.
#include <algorithm>

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <cstdint>
struct tagPOINT {
  int32_t x, y;
};
struct tagSIZE {
  int32_t cx, cy;
};
struct tagRECT {
  int32_t left, top, right, bottom;
};
#endif

struct CPoint : tagPOINT {
  CPoint() : tagPOINT{0, 0} {}
  CPoint(int x0, int y0) : tagPOINT{x0, y0} {}
  bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const CPoint& o) const { return !(*this == o); }
};

struct CSize : tagSIZE {
  CSize() : tagSIZE{0, 0} {}
  CSize(int w, int h) : tagSIZE{w, h} {}
  bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct CRect : tagRECT {
  CRect() : tagRECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
  CRect(const tagRECT& r) : tagRECT(r) {}
  CRect(CPoint topLeft, CSize size) : tagRECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

  // Swaps the edges where right lies left of left or bottom above top.
  void NormalizeRect() {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
  }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void InflateRect(int dx, int dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  // The overlap of a and b; an empty rectangle (all zero) when they do not overlap.
  bool IntersectRect(const CRect& a, const CRect& b) {
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) *this = CRect();
    return !IsRectEmpty();
  }
  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const CRect& o) const { return !(*this == o); }
};
