#include "collage_wnd.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "app.h"
#include "app_settings.h"
#include "canvas_size_dlg.h"
#include "command_ids.h"
#include "device_context.h"
#include "lent_frame_keys.h"
#include "picture_file_dialog.h"
#include "resource.h"
#include "save_image_dialog_rules.h"
#include "scale_collage_dlg.h"
#include "wait_cursor.h"

namespace {

constexpr COLORREF kMargin = RGB(32, 32, 32);

const struct {
  UINT id;
  double zoom;
} kZooms[] = {{ID_COLLAGE_ZOOM_QUARTER, 0.25},
              {ID_COLLAGE_ZOOM_HALF, 0.5},
              {ID_COLLAGE_ZOOM_1, 1.0},
              {ID_COLLAGE_ZOOM_2, 2.0},
              {ID_COLLAGE_ZOOM_3, 3.0}};

double ZoomOf(UINT id) {
  for (const auto& zoom : kZooms)
    if (zoom.id == id) return zoom.zoom;
  return 1.0;
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  GdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &area, brush.get());
}

}  // namespace

const CommandEntry<CCollageWnd> CCollageWnd::kCommands[] = {
    {ID_COLLAGE_REMOVE, ID_COLLAGE_REMOVE, &CCollageWnd::OnRemove, nullptr},
    {ID_COLLAGE_SET_DEFAULT, ID_COLLAGE_SET_DEFAULT, &CCollageWnd::OnSetDefault, &CCollageWnd::OnUpdateSetDefault},
    {ID_COLLAGE_SAVE, ID_COLLAGE_SAVE, &CCollageWnd::OnSave, nullptr},
    {ID_COLLAGE_SHRINK_FIT, ID_COLLAGE_SHRINK_FIT, &CCollageWnd::OnShrinkFit, nullptr},
    {ID_COLLAGE_SET_SIZE, ID_COLLAGE_SET_SIZE, &CCollageWnd::OnSetSize, nullptr},
    {ID_COLLAGE_SCALE, ID_COLLAGE_SCALE, &CCollageWnd::OnScale, nullptr},
    {ID_COLLAGE_ZOOM_1, ID_COLLAGE_ZOOM_HALF, &CCollageWnd::OnZoom, &CCollageWnd::OnUpdateZoom},
    {ID_COLLAGE_FRONT, ID_COLLAGE_FRONT, &CCollageWnd::OnFront, nullptr},
    {ID_COLLAGE_BACK, ID_COLLAGE_BACK, &CCollageWnd::OnBack, nullptr},
};

bool CCollageWnd::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

CCollageWnd* CCollageWnd::Open(HWND parent, const std::vector<std::string>& paths) {
  auto* window = new CCollageWnd();
  window->AddImages(paths);
  const RECT area = {0, 0, 800, 600};
  if (!window->CreateFrame("Collage", WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, 0, area, IDR_COLLAGE, 0,
                           nullptr)) {
    delete window;
    return nullptr;
  }
  const HWND handle = window->Handle();
  if (parent) ::SetWindowLongPtrA(handle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
  window->Lay();
  window->UpdateScrollBars();
  RECT work = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  ::SetWindowPos(handle, nullptr, work.left + (work.right - work.left - 800) / 2,
                 work.top + (work.bottom - work.top - 600) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::DragAcceptFiles(handle, TRUE);
  ::ShowWindow(handle, SW_SHOW);
  return window;
}

void CCollageWnd::AddImages(const std::vector<std::string>& paths) {
  WaitCursor wait;
  for (const std::string& path : paths)
    layout_.Add(path, g_settings.collage.defaultx, g_settings.collage.defaulty);
}

bool CCollageWnd::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CCollageWnd::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

RECT CCollageWnd::CanvasRect() const {
  const POINT corner = ToClient(0, 0);
  return {corner.x, corner.y, corner.x + layout_.canvasWidth, corner.y + layout_.canvasHeight};
}

RECT CCollageWnd::ItemRect(const CollageItem& item) const {
  const POINT corner = ToClient(item.x, item.y);
  return {corner.x, corner.y, corner.x + item.Width(), corner.y + item.Height()};
}

void CCollageWnd::Lay() {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  clientWidth_ = client.right;
  clientHeight_ = client.bottom;
  offsetX_ = layout_.canvasWidth < clientWidth_ ? (clientWidth_ - layout_.canvasWidth) / 2 : 0;
  offsetY_ = layout_.canvasHeight < clientHeight_ ? (clientHeight_ - layout_.canvasHeight) / 2 : 0;
}

void CCollageWnd::UpdateScrollBars() {
  Lay();
  scrollX_ = std::clamp(scrollX_, 0, std::max(0, layout_.canvasWidth - clientWidth_));
  scrollY_ = std::clamp(scrollY_, 0, std::max(0, layout_.canvasHeight - clientHeight_));
  const auto set = [&](int bar, int size, int page, int position) {
    SCROLLINFO info = {sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, size - 1, UINT(std::max(page, 0)), position, 0};
    ::SetScrollInfo(Handle(), bar, &info, TRUE);
  };
  set(SB_HORZ, layout_.canvasWidth, clientWidth_, scrollX_);
  set(SB_VERT, layout_.canvasHeight, clientHeight_, scrollY_);
}

void CCollageWnd::Scroll(int bar, int code) {
  const bool horizontal = bar == SB_HORZ;
  int& position = horizontal ? scrollX_ : scrollY_;
  const int client = horizontal ? clientWidth_ : clientHeight_;
  const int canvas = horizontal ? layout_.canvasWidth : layout_.canvasHeight;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(Handle(), bar, &info);
  switch (code) {
    case SB_LINEUP: position -= client / 10; break;
    case SB_LINEDOWN: position += client / 10; break;
    case SB_PAGEUP: position -= client * 8 / 10; break;
    case SB_PAGEDOWN: position += client * 8 / 10; break;
    case SB_THUMBTRACK:
      fastScroll_ = true;
      position = info.nTrackPos;
      break;
    case SB_THUMBPOSITION:
      fastScroll_ = false;
      position = info.nTrackPos;
      break;
    default: return;
  }
  position = std::clamp(position, 0, std::max(0, canvas - client));
  DropSelection();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::DropSelection() {
  tracker_.reset();
  selected_ = nullptr;
  moving_ = false;
}

void CCollageWnd::Paint() {
  PaintDC paint(Handle());
  Lay();
  const int width = std::max(clientWidth_, 1), height = std::max(clientHeight_, 1);
  MemoryDC memory(paint.get());
  GdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(paint.get(), width, height));
  if (!memory.get() || !bitmap.get()) return;
  const HGDIOBJ oldBitmap = ::SelectObject(memory.get(), bitmap.get());
  HPALETTE oldPalette = nullptr;
  if (Cimage::S_use_palette && Cimage::S_hpal) {
    oldPalette = ::SelectPalette(memory.get(), Cimage::S_hpal, FALSE);
    ::RealizePalette(memory.get());
  }
  const RECT whole = {0, 0, width, height};
  Fill(memory.get(), whole, kMargin);
  const RECT canvas = CanvasRect();
  Fill(memory.get(), canvas, canvasColour_);
  for (const auto& item : layout_.Items()) {
    if (!item->shown.m_pixels) continue;
    const POINT at = ToClient(item->x, item->y);
    item->shown.DisplayImage(memory.get(), at.x, at.y);
  }
  if (tracker_) tracker_->Draw(memory.get());
  if (marginRepaint_) {
    marginRepaint_ = false;
    Fill(memory.get(), {0, 0, width, canvas.top}, kMargin);
    Fill(memory.get(), {0, canvas.bottom, width, height}, kMargin);
    Fill(memory.get(), {0, canvas.top, canvas.left, canvas.bottom}, kMargin);
    Fill(memory.get(), {canvas.right, canvas.top, width, canvas.bottom}, kMargin);
  }
  ::BitBlt(paint.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  if (oldPalette) ::SelectPalette(memory.get(), oldPalette, FALSE);
  ::SelectObject(memory.get(), oldBitmap);
}

void CCollageWnd::OnLeftButtonDown(POINT point) {
  if (tracker_) {
    const RectTracker::Hit hit = tracker_->HitTest(point);
    if (hit != RectTracker::kOutside && hit != RectTracker::kInside) {
      if (tracker_->Track(Handle(), point)) {
        const RECT r = tracker_->rect;
        const POINT corner = ToCanvas({r.left, r.top});
        if (selected_) {
          std::string refusal;
          Done(layout_.Resize(*selected_, r.right - r.left, r.bottom - r.top, refusal), refusal);
          selected_->x = corner.x;
          selected_->y = corner.y;
          tracker_->rect = ItemRect(*selected_);
        } else {
          layout_.canvasWidth = std::max<int>(r.right - r.left, 1);
          layout_.canvasHeight = std::max<int>(r.bottom - r.top, 1);
          layout_.MoveAll(-corner.x, -corner.y);
          UpdateScrollBars();
          tracker_->rect = CanvasRect();
        }
      }
      Repaint();
      return;
    }
  }
  tracker_.reset();
  const POINT at = ToCanvas(point);
  selected_ = layout_.HitTest(at.x, at.y);
  if (selected_) {
    tracker_ = std::make_unique<RectTracker>(ItemRect(*selected_));
    grabX_ = at.x - selected_->x;
    grabY_ = at.y - selected_->y;
    moving_ = true;
  } else if (at.x >= 0 && at.y >= 0 && at.x < layout_.canvasWidth && at.y < layout_.canvasHeight) {
    tracker_ = std::make_unique<RectTracker>(CanvasRect());
    grabX_ = point.x;
    grabY_ = point.y;
    moving_ = true;
  } else {
    marginRepaint_ = true;
  }
  if (moving_) ::SetCapture(Handle());
  Repaint();
}

void CCollageWnd::OnMouseMove(POINT point) {
  if (!tracker_) return;
  tracker_->SetCursor(point);
  if (!moving_) return;
  if (selected_) {
    const POINT at = ToCanvas(point);
    selected_->x = at.x - grabX_;
    selected_->y = at.y - grabY_;
    tracker_->rect = ItemRect(*selected_);
  } else {
    tracker_->rect = CanvasRect();
    ::OffsetRect(&tracker_->rect, point.x - grabX_, point.y - grabY_);
  }
  Repaint();
}

void CCollageWnd::OnLeftButtonUp() {
  const bool movedCanvas = moving_ && !selected_ && tracker_;
  moving_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  if (!movedCanvas) return;
  // The canvas moves under the pictures.
  const POINT corner = ToCanvas({tracker_->rect.left, tracker_->rect.top});
  layout_.MoveAll(-corner.x, -corner.y);
  tracker_->rect = CanvasRect();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::OnDropFiles(HDROP drop) {
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(drop, i, path, MAX_PATH)) paths.push_back(path);
  }
  POINT point = {};
  ::DragQueryPoint(drop, &point);
  ::DragFinish(drop);
  if (paths.size() == 1) {
    const POINT at = ToCanvas(point);
    layout_.PlaceNextAt(at.x, at.y);
  }
  AddImages(paths);
  UpdateScrollBars();
  Repaint();
}

bool CCollageWnd::Done(bool made, const std::string& refusal) {
  if (!made && !refusal.empty()) ::MessageBoxA(Handle(), refusal.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  return made;
}

void CCollageWnd::OnRemove(UINT) {
  if (!selected_) return;
  layout_.Remove(selected_);
  DropSelection();
  Repaint();
}

void CCollageWnd::OnSetDefault(UINT) {
  if (!selected_) return;
  g_settings.collage.defaultx = selected_->Width();
  g_settings.collage.defaulty = selected_->Height();
}

void CCollageWnd::OnUpdateSetDefault(CommandState& state) { state.enabled = selected_ != nullptr; }

void CCollageWnd::OnSave(UINT) {
  if (layout_.Items().empty()) return;
  std::string path;
  if (!AskPictureFile(Handle(), true, kSaveImageFilter, "", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, path)) return;
  WaitCursor wait;
  ZoomTo(1.0);
  Cimage picture;
  std::string refusal;
  if (!Done(layout_.Flatten(picture, canvasColour_, refusal), refusal)) return;
  picture.SaveImage(path.c_str());
  if (picture.m_saveError) Done(false, kSaveErrorMessage);
}

void CCollageWnd::OnShrinkFit(UINT) {
  layout_.ShrinkFit();
  DropSelection();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::OnSetSize(UINT) {
  CCanvasSizeDlg dialog;
  dialog.width = layout_.canvasWidth;
  dialog.height = layout_.canvasHeight;
  if (dialog.DoModal(Handle()) != IDOK) return;
  layout_.canvasWidth = dialog.width;
  layout_.canvasHeight = dialog.height;
  DropSelection();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::OnScale(UINT) {
  CScaleCollageDlg dialog;
  dialog.factor = "1.0";
  if (dialog.DoModal(Handle()) != IDOK) return;
  std::string refusal;
  if (!Done(layout_.Scale(ParseScaleFactor(dialog.factor), refusal), refusal)) return;
  scrollX_ = scrollY_ = 0;
  DropSelection();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::ZoomTo(double zoom) {
  if (zoom == 1.0 && layout_.Zoom() == 1.0) return;
  std::string refusal;
  if (!Done(layout_.SetZoom(zoom, refusal), refusal)) return;
  scrollX_ = scrollY_ = 0;
  DropSelection();
  UpdateScrollBars();
  Repaint();
}

void CCollageWnd::OnZoom(UINT id) { ZoomTo(ZoomOf(id)); }

void CCollageWnd::OnUpdateZoom(CommandState& state) { state.checked = layout_.Zoom() == ZoomOf(state.id); }

void CCollageWnd::OnFront(UINT) {
  if (selected_) layout_.ToFront(selected_);
  Repaint();
}

void CCollageWnd::OnBack(UINT) {
  if (selected_) layout_.ToBack(selected_);
  Repaint();
}

LRESULT CCollageWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      clientWidth_ = LOWORD(lParam);
      clientHeight_ = HIWORD(lParam);
      DropSelection();
      UpdateScrollBars();
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(point);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      moving_ = false;
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    default:
      return FrameWindow::WndProc(message, wParam, lParam);
  }
}

bool CCollageWnd::LendsKeyToMainWindow(const MSG& message) const { return IsKeyLentToMainFrame(message); }
