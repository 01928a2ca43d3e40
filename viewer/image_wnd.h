#pragma once
// One picture in a window of its own. A window opens in one of two modes and can only go from the
// first to the second:
// - autosizing: the picture was loaded fitted to a share of the screen, the window is sized to it
//   and moves when the picture is dragged; resizing the window refits the picture;
// - pan/zoom: the picture is held at its full size and shown at a ratio of the zoom ladder, with
//   scroll bars; dragging pans it.
// Zooming and every edit first take an autosizing window to pan/zoom mode, so that edits work on
// the full-size picture. The window owns itself: it is deleted after its last message. The main
// frame keeps the open windows in a list, newest (or last activated) first.
#include <windows.h>

#include <memory>
#include <string>

#include "Cimage.h"
#include "frame_window.h"
#include "image_view_layout.h"
#include "image_window_rules.h"
#include "image_zoom_rules.h"
#include "rect_tracker.h"

class CAnnotationWnd;

class CImageWnd : public FrameWindow {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  // Opens a file in a new window. `quiet` suppresses the load-error message and makes the
  // window stand alone instead of above the main frame. Null when the file did not load.
  static CImageWnd* OpenFile(const std::string& folder, const std::string& name, bool quiet, OpenMode mode);
  // A new pan/zoom window at 1:1 holding a transferred device-independent bitmap (the caller
  // keeps the memory) or a copy of a picture; named "untitled.jpg" in the current folder and
  // marked modified, as it was never saved. Null (after telling the user) when it failed.
  static CImageWnd* CImageWndFromDib(HGLOBAL dib);
  static CImageWnd* CImageWndFromImage(const Cimage& image);

  // --- For the editing commands ---------------------------------------------------------------
  // Runs an editing command (crop, resize, colour, turns, filters, red-eye, de-skew, bevel, undo,
  // save, wallpaper, clipboard, print); false when the id is none of them.
  bool OnEditCommand(UINT id);
  static bool IsEditCommand(UINT id);
  bool OnUpdateEditCommand(CommandState& state);
  // Saves the working picture under a name the user picks; 1 when it was saved.
  int SaveAs();
  // Asked when the window is about to close; true when it may close. A modified picture is
  // offered for saving; a window whose question is already up stays.
  bool ConfirmClose();

  // Takes an autosizing window to pan/zoom mode, reloading the file at full size: at the ladder's
  // ratio nearest the shown scale (keepScale) or at 1:1; repaints unless noRepaint.
  void SwitchToPanZoom(bool keepScale, bool noRepaint);
  // Works out the view of a pan/zoom window from its client size, ratio and centre.
  void Layout();
  void UpdateTitle();
  void Repaint();
  // Client and picture coordinates in the window's mode (not bounded to the picture).
  POINT ClientToImage(POINT client) const;
  POINT ImageToClient(POINT image) const;
  bool IsPanZoom() const { return panZoom_; }
  const std::string& FilePath() const { return path_; }

  // The data model.
  Cimage image_;      // the working picture
  Cimage zoomImage_;  // the visible part of the working picture at the zoom ratio
  Cimage undoImage_;  // empty when there is nothing to undo
  std::string fileName_;
  std::string folder_;  // ends with a backslash
  std::string path_;    // folder + name
  std::unique_ptr<RectTracker> tracker_;
  RECT cropRect_ = {};     // picture coordinates
  POINT rightClick_ = {};  // picture coordinates of the last right click
  WindowSize window_ = {};
  WindowSize screenBox_ = {};
  WindowSize overhead_ = {};
  ZoomRatio zoom_ = {1, 1};
  ViewAxis xAxis_;  // origin, centre, visible size (picture pixels) and display offset (client)
  ViewAxis yAxis_;
  POINT windowPosition_ = {};
  WheelAccumulator wheel_;
  POINT lineStart_ = {};  // de-skew line, client pixels
  POINT lineEnd_ = {};
  bool lineComplete_ = false;
  bool modified_ = false;
  bool interacted_ = false;  // stops the auto-dismiss timer from closing the window

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id) override;
  bool LendsKeyToMainWindow(const MSG& message) const override;
  bool OnUpdateCommand(CommandState& state) override;
  void OnClose() override;
  void OnFinalMessage() override { delete this; }

 private:
  CImageWnd(const std::string& folder, const std::string& name);
  ~CImageWnd() override;

  // Construction.
  bool LoadFile(bool quiet, OpenMode mode, WindowSize loadBox);
  bool CreatePanZoomFrame(HWND parent, WindowSize box);
  bool CreateAutosizingFrame(HWND parent);
  static CImageWnd* FromPicture(const Cimage* image, HGLOBAL dib);
  void MeasureScreen(bool smallCaption);
  void Place();
  // Places a new window, names it, lists it with the main frame and shows it; null when the
  // main frame's limit on open windows closed it at once.
  CImageWnd* Present(OpenMode mode);
  void ShowOpened(OpenMode mode);
  void StartAnimation();

  // View.
  void Paint();
  void PaintPanZoom(HDC dc, const RECT& dirty);
  void FillMargins(HDC dc, const RECT& client, const RECT& picture);
  void DrawDeskewLine();
  void Scroll(int bar, int code);
  void MoveCentre(int dx, int dy);
  void ShowMoved(const ViewAxis& oldX, const ViewAxis& oldY);
  void SetScrollBars();
  void ZoomIn();
  void ZoomOut();
  void ZoomOneToOne();
  void ApplyZoom(ZoomRatio ratio);
  void ShowFullScreen();
  RECT PictureRect() const;
  RECT CropRectOnClient() const;

  // Input.
  void OnKeyDown(UINT key);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp();
  void OnMouseMove(POINT point);
  void OnRButtonDown(POINT point);
  void OnLButtonDblClk();
  void OnSize();
  void OnTimer(UINT_PTR id);
  void RefitToClient();
  void OnHoldTick();
  void CloseAnnotation();
  void ShowStatus(POINT point);
  void ShowContextMenu(POINT point);
  void TrackCrop(POINT point);
  void CloseAndOpenNeighbour(bool previous);

  // Command handlers.
  void OnZoomCommand(UINT id);
  void OnFullScreen(UINT id);
  static const CommandEntry<CImageWnd> kCommands[];

  // Holding the button still shows the file's annotation.
  int holdTicks_ = 0;
  POINT pressPoint_ = {};
  bool holdTimer_ = false;
  CAnnotationWnd* annotation_ = nullptr;

  bool resizePending_ = false;
  bool sizingItself_ = false;  // size changes the window makes are not the user's
  POINT grabOffset_ = {};      // cursor minus window origin, screen pixels
  POINT panAnchor_ = {};       // picture pixels
  bool dragging_ = false;
  bool drawingLine_ = false;
  bool panZoom_ = false;
  // A reduced picture kept after the full-size reload failed on the switch to pan/zoom.
  bool holdsReduced_ = false;
  bool fastDraw_ = false;  // while a scroll bar's thumb is dragged
  bool askingToClose_ = false;  // the save question, or the save it leads to, is up
  // What the scroll bars were last set to (cbSize 0: never).
  SCROLLINFO verticalBar_ = {};
  SCROLLINFO horizontalBar_ = {};
};
