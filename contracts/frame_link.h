#pragma once
// What the views and image windows ask of the program's main frame: its status bar, its list of
// image windows, printing, and the way home. The frame implements it, so a view needs only this
// header and never the frame's own.
#include <windows.h>

#include <string>

class Cimage;

class CFrameLink {
 public:
  virtual HWND Handle() const = 0;

  virtual void SetStatusText(const std::string& text) = 0;
  virtual void AppendStatusText(const std::string& text) = 0;
  virtual void SetStatusPane2(const std::string& text) = 0;

  // Image windows, newest first.
  virtual void AddImageWindow(HWND window) = 0;
  virtual void BringImageWindowFirst(HWND window) = 0;
  virtual void RemoveImageWindow(HWND window) = 0;

  virtual void GoHome() = 0;

  // Printing one picture on one page, laid out by the user: a file by its path, or a picture in
  // memory (printed from a copy, so the caller's stays as it is).
  virtual void PrintImageFile(std::string path) = 0;
  virtual void PrintImage(Cimage* image) = 0;

 protected:
  ~CFrameLink() = default;
};
