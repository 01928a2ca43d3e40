#pragma once
// "Collage": a window in which the user arranges pictures on a canvas, moves and resizes them with
// a rectangle tracker, stacks them, scales the whole and saves it flattened as one picture. Each
// collage window stands on its own and frees itself when closed; files dropped on it join it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "collage_layout.h"
#include "frame_window.h"
#include "rect_tracker.h"

class CCollageWnd : public FrameWindow {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  // Opens a collage of the files, owned by parent; null when the window could not be made.
  static CCollageWnd* Open(HWND parent, const std::vector<std::string>& paths);

  const CollageLayout& Layout() const { return layout_; }

  bool OnCommand(UINT id) override;
  bool LendsKeyToMainWindow(const MSG& message) const override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage() override { delete this; }

 private:
  CCollageWnd() = default;
  void AddImages(const std::vector<std::string>& paths);

  // Canvas and client coordinates.
  POINT ToClient(int x, int y) const { return {x + offsetX_ - scrollX_, y + offsetY_ - scrollY_}; }
  POINT ToCanvas(POINT client) const { return {client.x + scrollX_ - offsetX_, client.y + scrollY_ - offsetY_}; }
  RECT CanvasRect() const;
  RECT ItemRect(const CollageItem& item) const;

  void Lay();
  void UpdateScrollBars();
  void Scroll(int bar, int code);
  void DropSelection();
  void Repaint() { ::InvalidateRect(Handle(), nullptr, FALSE); }
  void Paint();
  void OnLeftButtonDown(POINT point);
  void OnMouseMove(POINT point);
  void OnLeftButtonUp();
  void OnDropFiles(HDROP drop);
  // Tells the user why a change was not made; true when it was made.
  bool Done(bool made, const std::string& refusal);

  void OnRemove(UINT id);
  void OnSetDefault(UINT id);
  void OnUpdateSetDefault(CommandState& state);
  void OnSave(UINT id);
  void OnShrinkFit(UINT id);
  void OnSetSize(UINT id);
  void OnScale(UINT id);
  void OnZoom(UINT id);
  void OnUpdateZoom(CommandState& state);
  void OnFront(UINT id);
  void OnBack(UINT id);
  void ZoomTo(double zoom);
  static const CommandEntry<CCollageWnd> kCommands[];

  CollageLayout layout_;
  std::unique_ptr<RectTracker> tracker_;
  bool moving_ = false;
  bool fastScroll_ = false;
  bool marginRepaint_ = false;
  int grabX_ = 0, grabY_ = 0;
  CollageItem* selected_ = nullptr;
  int scrollX_ = 0, scrollY_ = 0;
  int clientWidth_ = 800, clientHeight_ = 600;
  int offsetX_ = 0, offsetY_ = 0;
  COLORREF canvasColour_ = RGB(255, 255, 255);
};
