#pragma once
// The page layout dialog's miniature of the page: the paper, white, with the picture on it at the
// chosen size and position. It takes the place of a static control of the dialog; the dialog
// handles the mouse and moves the picture through DragTo.
#include <windows.h>

#include "Cimage.h"
#include "page_layout.h"
#include "window.h"

class CPagePreviewWnd : public Window {
 public:
  // Keeps a copy of the picture reduced to fit 200 x 200 pixels.
  explicit CPagePreviewWnd(const Cimage& picture);

  void SetPage(int printableWidth, int printableHeight, int physicalWidth, int physicalHeight, int aspectX,
               int aspectY);
  void SetScale(int scale);
  void ResetPosition();
  // True when the screen point lies on the paper, edges included.
  bool HitTest(int screenX, int screenY) const;
  void DragTo(int screenX, int screenY);
  void ClampPosition();
  LayoutPoint Position() const { return position_; }
  LayoutSize Paper() const { return paper_; }
  LayoutSize Shown() const { return {shown_.m_width, shown_.m_height}; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  POINT ToClient(int screenX, int screenY) const;

  Cimage source_;
  Cimage shown_;
  LayoutSize paper_;
  LayoutPoint position_ = {kCentre, kCentre};
  LayoutSize physical_, printable_;
};
