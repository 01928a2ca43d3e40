// What an image window shows: the picture fitted (autosizing) or the visible part of it at the
// zoom ratio (pan/zoom), the scroll bars, the zoom ladder and the switch between the two modes.
#include <algorithm>
#include <cstdlib>

#include "command_ids.h"
#include "full_screen_wnd.h"
#include "image_edit_rules.h"
#include "image_wnd.h"
#include "program_state.h"
#include "wait_cursor.h"

namespace {

constexpr int kFullSizeLoad = 5;
constexpr UINT_PTR kResizeTimer = 2;
constexpr UINT_PTR kAnimationTimer = 3;
// A client this small or smaller shows nothing.
constexpr int kSmallestClient = 3;

}  // namespace

const CommandEntry<CImageWnd> CImageWnd::kCommands[] = {
    {ID_ZOOM_IN, ID_ZOOM_IN, &CImageWnd::OnZoomCommand, nullptr},
    {ID_ZOOM_OUT, ID_ZOOM_OUT, &CImageWnd::OnZoomCommand, nullptr},
    {ID_ZOOM_ONE_TO_ONE, ID_ZOOM_ONE_TO_ONE, &CImageWnd::OnZoomCommand, nullptr},
    {ID_FULL_SCREEN, ID_FULL_SCREEN, &CImageWnd::OnFullScreen, nullptr},
};

bool CImageWnd::Handles(UINT id) { return FindCommand(kCommands, id) || IsEditCommand(id); }

bool CImageWnd::OnCommand(UINT id) { return RunCommand(this, kCommands, id) || OnEditCommand(id); }

bool CImageWnd::OnUpdateCommand(CommandState& state) {
  return UpdateCommand(this, kCommands, state) || OnUpdateEditCommand(state);
}

void CImageWnd::OnZoomCommand(UINT id) {
  switch (id) {
    case ID_ZOOM_IN: ZoomIn(); break;
    case ID_ZOOM_OUT: ZoomOut(); break;
    default: ZoomOneToOne(); break;
  }
}

void CImageWnd::OnFullScreen(UINT) { ShowFullScreen(); }

void CImageWnd::ShowFullScreen() {
  if (!g_program.fullScreen) return;
  if (modified_)
    g_program.fullScreen->ShowImage(&image_, Handle());
  else
    g_program.fullScreen->ShowFile(path_, Handle());
}

void CImageWnd::ZoomIn() {
  if (panZoom_) return ApplyZoom(ZoomInStep(zoom_));
  const int percent = ShownPercent(image_.m_width, image_.m_origWidth);
  SwitchToPanZoom(false, true);
  ApplyZoom(ZoomInFromPercent(percent));
}

void CImageWnd::ZoomOut() {
  if (panZoom_) return ApplyZoom(ZoomOutStep(zoom_));
  const int percent = ShownPercent(image_.m_width, image_.m_origWidth);
  SwitchToPanZoom(false, true);
  ApplyZoom(ZoomOutFromPercent(percent));
}

void CImageWnd::ZoomOneToOne() {
  if (!panZoom_) return SwitchToPanZoom(false, false);
  zoom_ = {1, 1};
  Layout();
  UpdateTitle();
  Repaint();
}

void CImageWnd::ApplyZoom(ZoomRatio ratio) {
  zoom_ = ratio;
  ::KillTimer(Handle(), kAnimationTimer);
  image_.NoAnimation();
  Layout();
  UpdateTitle();
  Repaint();
}

void CImageWnd::SwitchToPanZoom(bool keepScale, bool noRepaint) {
  if (panZoom_) return;
  const int percent = ShownPercent(image_.m_width, image_.m_origWidth);
  {
    WaitCursor wait;
    // The full-size picture replaces the shown one only once it loaded: a file gone meanwhile
    // leaves the window as it was.
    Cimage full;
    full.LoadImageA(path_.c_str(), 0, 0, kFullSizeLoad);
    if (full.m_valid && !full.m_loadError)
      image_ = full;
    else
      // Still the reduced picture, now shown as if it were the file's: a save must warn as before.
      holdsReduced_ = ShownReduced(true, image_.m_scaleNum, image_.m_scaleDen, image_.m_origWidth);
  }
  zoom_ = keepScale ? NearestZoom(percent) : ZoomRatio{1, 1};
  panZoom_ = true;
  xAxis_ = ViewAxis{};
  yAxis_ = ViewAxis{};
  xAxis_.centre = image_.m_width / 2;
  yAxis_.centre = image_.m_height / 2;
  ::KillTimer(Handle(), kResizeTimer);
  resizePending_ = false;
  sizingItself_ = true;
  ::SetWindowLongPtrA(Handle(), GWL_STYLE,
                      ::GetWindowLongPtrA(Handle(), GWL_STYLE) | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_HSCROLL | WS_VSCROLL);
  ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & ~LONG_PTR(WS_EX_TOOLWINDOW));
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  MeasureScreen(false);
  Layout();
  // One pixel more at the top and at the bottom makes the frame lay itself out anew.
  RECT r = {};
  ::GetWindowRect(Handle(), &r);
  ::SetWindowPos(Handle(), nullptr, r.left, r.top - 1, r.right - r.left, r.bottom - r.top + 2,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  sizingItself_ = false;
  Layout();
  UpdateTitle();
  if (!noRepaint) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void CImageWnd::Layout() {
  if (!panZoom_ || !Handle()) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  xAxis_ = LayoutAxis(xAxis_, client.right, image_.m_width, zoom_.num, zoom_.den);
  yAxis_ = LayoutAxis(yAxis_, client.bottom, image_.m_height, zoom_.num, zoom_.den);
  SetScrollBars();
}

void CImageWnd::SetScrollBars() {
  const struct {
    int bar;
    const ViewAxis& axis;
    int size;
    SCROLLINFO& shown;
  } bars[] = {{SB_VERT, yAxis_, image_.m_height, verticalBar_}, {SB_HORZ, xAxis_, image_.m_width, horizontalBar_}};
  for (const auto& b : bars) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.nMin = 0;
    info.nMax = std::max(b.size - 1, 0);
    info.nPage = UINT(std::max(b.axis.visible, 0));
    info.nPos = b.axis.origin;
    // Setting a bar costs a redraw of it (a slow one under some systems): only what changed is set.
    if (b.shown.cbSize && info.nMax == b.shown.nMax && info.nPage == b.shown.nPage) {
      if (info.nPos == b.shown.nPos) continue;
      info.fMask = SIF_POS;
    } else {
      info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    }
    ::SetScrollInfo(Handle(), b.bar, &info, TRUE);
    b.shown = info;
  }
}

void CImageWnd::Scroll(int bar, int code) {
  if (!panZoom_) return;
  ViewAxis& axis = bar == SB_VERT ? yAxis_ : xAxis_;
  switch (code) {
    case SB_LINEUP: axis.centre -= LineStep(axis.visible); break;
    case SB_LINEDOWN: axis.centre += LineStep(axis.visible); break;
    case SB_PAGEUP: axis.centre -= PageStep(axis.visible); break;
    case SB_PAGEDOWN: axis.centre += PageStep(axis.visible); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(Handle(), bar, &info);
      fastDraw_ = code == SB_THUMBTRACK;
      axis.centre = info.nTrackPos + axis.visible / 2;
      break;
    }
    default: return;
  }
  const ViewAxis oldX = xAxis_, oldY = yAxis_;
  Layout();
  // Dragging the thumb on a palette screen would realise the palette at every step.
  if (code != SB_THUMBTRACK || !Cimage::S_use_palette) ShowMoved(oldX, oldY);
}

void CImageWnd::MoveCentre(int dx, int dy) {
  const ViewAxis oldX = xAxis_, oldY = yAxis_;
  xAxis_.centre += dx;
  yAxis_.centre += dy;
  Layout();
  ShowMoved(oldX, oldY);
}

void CImageWnd::ShowMoved(const ViewAxis& oldX, const ViewAxis& oldY) {
  // What stays in view is moved on the screen; only the strip it uncovers is drawn anew.
  const int dx = ShownShift(oldX.origin, xAxis_.origin, zoom_.num, zoom_.den);
  const int dy = ShownShift(oldY.origin, yAxis_.origin, zoom_.num, zoom_.den);
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  if (oldX.offset != xAxis_.offset || oldY.offset != yAxis_.offset || drawingLine_ || std::abs(dx) >= client.right ||
      std::abs(dy) >= client.bottom)
    return Repaint();
  if (dx || dy) ::ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  ::UpdateWindow(Handle());
}

void CImageWnd::Repaint() {
  ::InvalidateRect(Handle(), nullptr, FALSE);
  ::UpdateWindow(Handle());
}

void CImageWnd::OnSize() {
  if (panZoom_) {
    Layout();
    ::InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  ::InvalidateRect(Handle(), nullptr, FALSE);
  if (sizingItself_) return;
  resizePending_ = true;
  ::SetTimer(Handle(), kResizeTimer, 100, nullptr);
}

POINT CImageWnd::ClientToImage(POINT client) const {
  if (panZoom_)
    return {ClientToPicture(client.x, xAxis_, zoom_.num, zoom_.den),
            ClientToPicture(client.y, yAxis_, zoom_.num, zoom_.den)};
  return {ClientToFile(client.x, xAxis_.offset, image_.m_width, image_.m_origWidth),
          ClientToFile(client.y, yAxis_.offset, image_.m_height, image_.m_origHeight)};
}

POINT CImageWnd::ImageToClient(POINT image) const {
  if (panZoom_)
    return {PictureToClient(image.x, xAxis_, zoom_.num, zoom_.den), PictureToClient(image.y, yAxis_, zoom_.num, zoom_.den)};
  return {FileToClient(image.x, xAxis_.offset, image_.m_width, image_.m_origWidth),
          FileToClient(image.y, yAxis_.offset, image_.m_height, image_.m_origHeight)};
}

RECT CImageWnd::PictureRect() const {
  if (!panZoom_)
    return {xAxis_.offset, yAxis_.offset, xAxis_.offset + image_.m_width, yAxis_.offset + image_.m_height};
  return {xAxis_.offset, yAxis_.offset, xAxis_.offset + xAxis_.visible * zoom_.num / zoom_.den,
          yAxis_.offset + yAxis_.visible * zoom_.num / zoom_.den};
}

RECT CImageWnd::CropRectOnClient() const {
  const POINT topLeft = ImageToClient(POINT{cropRect_.left, cropRect_.top});
  const POINT bottomRight = ImageToClient(POINT{cropRect_.right, cropRect_.bottom});
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CImageWnd::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Handle(), &paint);
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  if (client.right > kSmallestClient && client.bottom > kSmallestClient) {
    HPALETTE oldPalette = nullptr;
    if (Cimage::S_use_palette && Cimage::S_hpal) {
      oldPalette = ::SelectPalette(dc, Cimage::S_hpal, FALSE);
      ::RealizePalette(dc);
    }
    if (panZoom_) {
      PaintPanZoom(dc, paint.rcPaint);
    } else {
      xAxis_.offset = std::max(int(client.right - image_.m_width) / 2, 0);
      yAxis_.offset = std::max(int(client.bottom - image_.m_height) / 2, 0);
      image_.DisplayImage(dc, xAxis_.offset, yAxis_.offset);
    }
    FillMargins(dc, client, PictureRect());
    if (tracker_) {
      tracker_->rect = CropRectOnClient();
      tracker_->Draw(dc);
    }
    if (oldPalette) ::SelectPalette(dc, oldPalette, FALSE);
  }
  ::EndPaint(Handle(), &paint);
}

void CImageWnd::PaintPanZoom(HDC dc, const RECT& dirty) {
  const int num = zoom_.num, den = zoom_.den;
  if (fastDraw_ && den == 1 && image_.m_components == 3 && image_.m_pixels && !Cimage::S_use_palette) {
    // Straight from the working picture's rows: the header describes only the visible rows, so
    // the stretch needs no source row arithmetic of the top-down layout.
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = image_.m_width;
    header.bmiHeader.biHeight = -yAxis_.visible;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    const uint8_t* rows = image_.m_pixels + size_t(yAxis_.origin) * size_t(image_.m_stride);
    ::StretchDIBits(dc, xAxis_.offset, yAxis_.offset, xAxis_.visible * num, yAxis_.visible * num, xAxis_.origin, 0,
                    xAxis_.visible, yAxis_.visible, rows, &header, DIB_RGB_COLORS, SRCCOPY);
    return;
  }
  // Only the part that needs painting is zoomed: after a scroll that is the strip uncovered.
  const PictureSpan x = SpanCovering(dirty.left, dirty.right, xAxis_, image_.m_width, num, den);
  const PictureSpan y = SpanCovering(dirty.top, dirty.bottom, yAxis_, image_.m_height, num, den);
  if (x.end <= x.first || y.end <= y.first) return;
  zoomImage_.ZoomImage(&image_, num, den, x.first, y.first, x.end - x.first, y.end - y.first, fastDraw_);
  const int left = xAxis_.offset + (x.first - BlockOrigin(xAxis_.origin, den)) / den * num;
  const int top = yAxis_.offset + (y.first - BlockOrigin(yAxis_.origin, den)) / den * num;
  zoomImage_.DisplayImage(dc, left, top);
}

void CImageWnd::FillMargins(HDC dc, const RECT& client, const RECT& picture) {
  HBRUSH brush = ::GetSysColorBrush(COLOR_WINDOW);
  const RECT margins[] = {
      {0, 0, picture.left, client.bottom},
      {picture.right, 0, client.right, client.bottom},
      {picture.left, 0, picture.right, picture.top},
      {picture.left, picture.bottom, picture.right, client.bottom},
  };
  for (const RECT& margin : margins)
    if (margin.right > margin.left && margin.bottom > margin.top) ::FillRect(dc, &margin, brush);
}

void CImageWnd::DrawDeskewLine() {
  HDC dc = ::GetDC(Handle());
  HPEN pen = ::CreatePen(PS_DASH, 1, RGB(255, 255, 255));
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  ::MoveToEx(dc, lineStart_.x, lineStart_.y, nullptr);
  ::LineTo(dc, lineEnd_.x, lineEnd_.y);
  ::SetBkMode(dc, oldMode);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(pen);
  ::ReleaseDC(Handle(), dc);
}
