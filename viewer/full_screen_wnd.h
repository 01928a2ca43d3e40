#pragma once
// The one full-screen window: a picture alone on the whole screen, centred on a background, that
// the user drags when it is larger than the screen. Image windows show their working picture in
// it; the thumbnail view shows files in it while the user pages through a folder with Space. A
// click, a right click or any other key leaves it.
#include <windows.h>

#include <string>

#include "Cimage.h"
#include "window.h"

class CFullScreenWnd : public Window {
 public:
  // Creates the window hidden, borderless and topmost over the whole screen.
  bool Create();

  // Shows a picture the caller keeps: the owner hides this window before the picture goes.
  void ShowImage(Cimage* image, HWND owner);
  // Loads the file fitted to the screen and shows it; a file that does not load shows only the
  // background, and the window still pages and leaves as always.
  void ShowFile(const std::string& path, HWND owner);
  // Forgets the picture and the owner, empties the file's picture and hides the window.
  void HideImage();
  // Image windows send their paging keys to the thumbnail view while this is true.
  bool IsShowing() const { return showing_; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Show(Cimage* image, HWND owner);
  void Paint();
  void OnKeyDown(WPARAM key);
  void Drag(POINT pointer);

  Cimage* image_ = nullptr;
  HWND owner_ = nullptr;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  bool dragging_ = false;
  POINT position_ = {};
  POINT lastMouse_ = {};
  bool showing_ = false;
  // The picture of the file shown by ShowFile; there is one such window in the program.
  Cimage fileImage_;
};
