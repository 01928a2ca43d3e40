#pragma once
// The preview pop-up: a small always-on-top tool window that shows a larger picture of the
// thumbnail the user clicks or moves to. The picture loads on a thread of its own, and the window
// appears only once both the picture is there and 750 ms have passed since the request, so that
// quick moves through the grid do not flash pictures; a picture of an older request, or one that
// arrives after the preview was hidden, is dropped. The user can drag the window anywhere; its
// place is kept in the "Frame Layout" settings.
#include <windows.h>

#include <memory>
#include <string>

#include "Cimage.h"
#include "dialog.h"

class CPreviewWnd : public Dialog {
 public:
  CPreviewWnd();
  ~CPreviewWnd() override;

  // Creates the (hidden) window where the settings put it, owned by parent.
  bool Create(HWND parent);
  void ShowFile(const std::string& path);
  // Drops the picture and any load still running, and hides the window.
  void HidePreview();
  // Stores the window rectangle in the "Frame Layout" preview values.
  void SavePlacement();

  int Sequence() const { return sequence_; }
  const Cimage* Picture() const { return image_.get(); }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { HidePreview(); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnImageLoaded(LPARAM request);
  void OnTimer();
  void OnSize();
  void OnPaint();
  void OnLButtonDown(LPARAM lParam);
  void OnMouseMove(LPARAM lParam);
  void OnLButtonUp();
  void BringOntoWorkArea();

  std::unique_ptr<Cimage> image_;
  bool active_ = false;  // a request is outstanding or shown
  int sequence_ = 0;     // the newest request; every hide moves it on too
  int windowWidth_ = 0, windowHeight_ = 0;  // the client area, the box pictures are loaded into
  bool dragging_ = false;
  bool timerFired_ = false;
  bool imageArrived_ = false;
  POINT grabOffset_ = {};  // the pointer from the window's corner while dragging
};
