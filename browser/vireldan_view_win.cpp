// The thumbnail view's window: creation, the back buffer, scrolling, the mouse, timers and the
// command table.
#include "vireldan_view.h"

#include <windowsx.h>

#include "app_settings.h"
#include "command_ids.h"
#include "device_context.h"
#include "private_messages.h"
#include "thumb_loader.h"

namespace {

constexpr UINT kScrollBarId = 1;
constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT_PTR kChangeTimer = 2;
// The back buffer is this much taller than the client area, for the rows drawn below it while
// the scroll box is dragged.
constexpr int kBufferExtraHeight = 210;

const char* ViewClass() {
  static const char* name = Window::RegisterWindowClass("VireldanThumbnailView", nullptr);
  return name;
}

}  // namespace

const CommandEntry<CVireldanView> CVireldanView::kCommands[] = {
    {ID_OPEN_SELECTED, ID_OPEN_SELECTED, &CVireldanView::OnOpenSelected, &CVireldanView::OnUpdateOpenSelected},
    {ID_OPEN_SELECTED_ONE_TO_ONE, ID_OPEN_SELECTED_ONE_TO_ONE, &CVireldanView::OnOpenSelected,
     &CVireldanView::OnUpdateOpenSelected},
    {ID_BIGGER_THUMBNAILS, ID_SMALLER_THUMBNAILS, &CVireldanView::OnThumbnailSizeStep, nullptr},
    {ID_SUBFOLDER_CONTENTS, ID_SUBFOLDER_CONTENTS, &CVireldanView::OnSubfolderContents, nullptr},
    {ID_CACHE_PURGE, ID_CACHE_INFO, &CVireldanView::OnCacheCommand, nullptr},
    {ID_CACHE_SQUEEZE, ID_CACHE_SQUEEZE, &CVireldanView::OnCacheCommand, nullptr},
    {ID_CACHE_LOCK, ID_CACHE_LOCK, &CVireldanView::OnCacheCommand, &CVireldanView::OnUpdateCacheLock},
    {ID_SELECT_ALL, ID_INVERT_SELECTION, &CVireldanView::OnSelectionCommand, nullptr},
    {ID_RESELECT, ID_RESELECT, &CVireldanView::OnSelectionCommand, nullptr},
    {ID_MOVE_IN_SLIDE_ORDER, ID_MOVE_IN_SLIDE_ORDER, &CVireldanView::OnMoveInSlideOrder,
     &CVireldanView::OnUpdateMoveInSlideOrder},
    {ID_CREATE_INDEX, ID_CREATE_INDEX, &CVireldanView::CreateIndexImage, nullptr},
    // Tools on the selected files.
    {ID_COPY_FILENAME_HTML, ID_COPY_FILENAME_HTML, &CVireldanView::OnCopyFilenameHtml,
     &CVireldanView::OnUpdateExactlyOneSelected},
    {ID_EDIT_ANNOTATION, ID_EDIT_ANNOTATION, &CVireldanView::OnEditAnnotation,
     &CVireldanView::OnUpdateExactlyOneSelected},
    {ID_GO_TO_IMAGE_DIR, ID_GO_TO_IMAGE_DIR, &CVireldanView::OnGoToImageDir,
     &CVireldanView::OnUpdateExactlyOneSelected},
    {ID_SYNC_DATE_TO_EXIF, ID_SYNC_DATE_TO_EXIF, &CVireldanView::OnSyncDateToExif, &CVireldanView::OnUpdateAnySelected},
    {ID_EXTRACT_AUDIO, ID_EXTRACT_AUDIO, &CVireldanView::OnExtractAudio, nullptr},
    {ID_LOSSLESS_CLOCKWISE, ID_LOSSLESS_COUNTERCLOCKWISE, &CVireldanView::OnLosslessTransform,
     &CVireldanView::OnUpdateAnySelected},
    {ID_LOSSLESS_180, ID_LOSSLESS_FLIP_HORIZONTAL, &CVireldanView::OnLosslessTransform,
     &CVireldanView::OnUpdateAnySelected},
    {ID_SELECT_LIKE_FILENAMES, ID_SELECT_LIKE_FILENAMES, &CVireldanView::OnSelectLikeFilenames,
     &CVireldanView::OnUpdateExactlyOneSelected},
    {ID_SEND_TO_FIRST, ID_SEND_TO_LAST, &CVireldanView::OnSendTo, nullptr},
    // File commands on the selection.
    {ID_DELETE_FILES, ID_DELETE_FILES, &CVireldanView::OnFileCommand, nullptr},
    {ID_DELETE_KEY, ID_DELETE_KEY, &CVireldanView::OnFileCommand, nullptr},
    {ID_RENAME_SELECTED, ID_RENAME_SELECTED, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdateAnySelected},
    {ID_RENAME_F2, ID_RENAME_F2, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdateAnySelected},
    {ID_EDIT_COPY, ID_EDIT_CUT, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdateAnySelected},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdatePaste},
    {ID_FILE_CUT, ID_FILE_COPY, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdateAnySelected},
    {ID_FILE_PASTE, ID_FILE_PASTE, &CVireldanView::OnFileCommand, &CVireldanView::OnUpdatePaste},
};

bool CVireldanView::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

CVireldanView::CVireldanView() : highlight_(::GetSysColor(COLOR_HIGHLIGHT)) {}

CVireldanView::~CVireldanView() {
  StopLoader();
  anchor_ = nullptr;
  items_.RemoveAll();
  openQueue_.RemoveAll();
  if (memDC_) {
    if (originalBitmap_) ::SelectObject(memDC_, originalBitmap_);
    ::DeleteDC(memDC_);
  }
  if (backBitmap_) ::DeleteObject(backBitmap_);
  changes_.Close();
}

bool CVireldanView::Create(HWND parent, UINT id, HWND notify) {
  notify_ = notify;
  if (!Window::Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ViewClass()))
    return false;
  ::DragAcceptFiles(Handle(), TRUE);
  OnInitialUpdate();
  return true;
}

void CVireldanView::OnInitialUpdate() {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  scrollBar_ = ::CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, client.right - barWidth, 0,
                                 barWidth, client.bottom, Handle(), reinterpret_cast<HMENU>(UINT_PTR(kScrollBarId)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  if (!memDC_) {
    ClientDC dc(Handle());
    memDC_ = ::CreateCompatibleDC(dc.get());
    ApplyThumbnailSize();
  }
  loader_ = Cthumbloader::Begin(notify_);
  ::SetTimer(Handle(), kChangeTimer, 2000, nullptr);
  initialised_ = true;
  OnSize();
}

void CVireldanView::OnSize() {
  if (!initialised_) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  ::MoveWindow(scrollBar_, client.right - barWidth, 0, barWidth, client.bottom, TRUE);
  ClientDC dc(Handle());
  const int width = client.right > 0 ? client.right : 1;
  bufferHeight_ = (client.bottom > 0 ? client.bottom : 0) + kBufferExtraHeight;
  // Without memory for a new buffer the old one stays; painting clips to it.
  if (HBITMAP bitmap = ::CreateCompatibleBitmap(dc.get(), width, bufferHeight_)) {
    const HGDIOBJ previous = ::SelectObject(memDC_, bitmap);
    if (!originalBitmap_) originalBitmap_ = static_cast<HBITMAP>(previous);
    if (backBitmap_) ::DeleteObject(backBitmap_);
    backBitmap_ = bitmap;
  }
  UpdateScrollAndStatus();
  // However the size changed (the frame's border, a splitter bar, a pane hidden or shown), the
  // system may keep parts of the old picture, moved along with the window: the new grid is
  // painted over all of it.
  Redraw();
}

int CVireldanView::ClientWidth() const {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  return client.right;
}

int CVireldanView::ClientHeight() const {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  return client.bottom;
}

void CVireldanView::MeasureClient() {
  grid_ = MeasureGrid(layout_, ClientWidth(), ClientHeight(), ::GetSystemMetrics(SM_CXVSCROLL), items_.GetCount());
  if (!scroll_.tracking) scroll_.firstVisible = ClampFirstVisible(scroll_.firstVisible, grid_, items_.GetCount());
}

void CVireldanView::Redraw() { ::InvalidateRect(Handle(), nullptr, FALSE); }

void CVireldanView::OnPaint() {
  PaintDC paint(Handle());
  // A paint that starts while another is drawing does nothing.
  if (painting_ || !memDC_ || !backBitmap_) return;
  painting_ = true;
  const HDC screen = paint.get();
  HPALETTE oldScreenPalette = nullptr, oldBufferPalette = nullptr;
  if (Cimage::S_use_palette && Cimage::S_hpal) {
    oldScreenPalette = ::SelectPalette(screen, Cimage::S_hpal, FALSE);
    oldBufferPalette = ::SelectPalette(memDC_, Cimage::S_hpal, FALSE);
    ::RealizePalette(screen);
    ::RealizePalette(memDC_);
  }
  const int width = ClientWidth();
  RECT buffer = {0, 0, width, bufferHeight_};
  ::FillRect(memDC_, &buffer, ::GetSysColorBrush(COLOR_WINDOW));
  OnDraw(memDC_);
  const int shownWidth = width - (grid_.scrollBarShown ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
  ::BitBlt(screen, 0, 0, shownWidth, ClientHeight(), memDC_, 0, scroll_.pixelOffset, SRCCOPY);
  if (oldScreenPalette) ::SelectPalette(screen, oldScreenPalette, FALSE);
  if (oldBufferPalette) ::SelectPalette(memDC_, oldBufferPalette, FALSE);
  painting_ = false;
}

void CVireldanView::OnVScroll(int code) {
  ScrollAction action;
  switch (code) {
    case SB_LINEUP: action = ScrollAction::kLineUp; break;
    case SB_LINEDOWN: action = ScrollAction::kLineDown; break;
    case SB_PAGEUP: action = ScrollAction::kPageUp; break;
    case SB_PAGEDOWN: action = ScrollAction::kPageDown; break;
    case SB_THUMBPOSITION: action = ScrollAction::kThumbPosition; break;
    case SB_THUMBTRACK: action = ScrollAction::kThumbTrack; break;
    case SB_TOP: action = ScrollAction::kTop; break;
    case SB_BOTTOM: action = ScrollAction::kBottom; break;
    default: action = ScrollAction::kEnd; break;
  }
  // The scroll bar's own 32-bit track position, not the 16 bits of the message.
  SCROLLINFO info = {sizeof info, SIF_TRACKPOS};
  ::GetScrollInfo(scrollBar_, SB_CTL, &info);
  MeasureClient();
  ApplyScroll(scroll_, action, info.nTrackPos, grid_, layout_, items_.GetCount());
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::OnMouseWheel(int delta) {
  const int notches = delta / WHEEL_DELTA != 0 ? delta / WHEEL_DELTA : (delta < 0 ? -1 : 1);
  for (int step = 0; step < (notches < 0 ? -notches : notches); ++step) OnVScroll(notches < 0 ? SB_LINEDOWN : SB_LINEUP);
}

void CVireldanView::OnTimer(UINT_PTR id) {
  if (id == kRepaintTimer) {
    ::KillTimer(Handle(), kRepaintTimer);
    repaintPending_ = false;
    Redraw();
  } else if (id == kChangeTimer) {
    PollFolderChanges();
  } else if (id == kHoverTimer) {
    OnHoverTimer();
  }
}

CThumbItem* CVireldanView::ItemAt(int position) {
  int at = 1;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext(), ++at)
    if (at == position) return item;
  return nullptr;
}

int CVireldanView::PositionOf(const CThumbItem* item) {
  int at = 1;
  for (const CThumbItem* walk = items_.GetFirst(); walk; walk = items_.GetNext(), ++at)
    if (walk == item) return at;
  return 0;
}

CThumbItem* CVireldanView::HitTest(int x, int y, bool anywhere) {
  MeasureClient();
  const int position = HitPosition(x, y, anywhere, scroll_.firstVisible, items_.GetCount(), grid_, layout_, [&](int at) {
    const CThumbItem* item = ItemAt(at);
    HitShape shape;
    shape.selected = item && item->selected;
    shape.hasThumbnail = item && item->thumbnail && !item->thumbnail->m_loadError;
    if (shape.hasThumbnail) {
      shape.thumbWidth = item->thumbnail->m_width;
      shape.thumbHeight = item->thumbnail->m_height;
    }
    return shape;
  });
  return position ? ItemAt(position) : nullptr;
}

LRESULT CVireldanView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      View::WndProc(message, wParam, lParam);
      OnSize();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == scrollBar_) OnVScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      break;
    case WM_LBUTTONDOWN:
      OnLButtonDown(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_RBUTTONDOWN:
      OnRButtonDown(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(UINT(wParam));
      break;
    case WM_CHAR:
      OnChar(UINT(wParam));
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_FILE_CHANGED:
      OnFileChanged(reinterpret_cast<const char*>(wParam));
      return 0;
    case WM_SELECT_ADJACENT:
      OnSelectAdjacent(wParam == 1, lParam != 0);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: a drag in progress ends where it is, changing nothing.
      if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) {
        dragging_ = false;
        dragOffset_ = POINT{};
        Redraw();
      }
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus(reinterpret_cast<HWND>(wParam));
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 0;
    case WM_DESTROY:
      CancelTip();
      ::KillTimer(Handle(), kRepaintTimer);
      ::KillTimer(Handle(), kChangeTimer);
      break;
    default:
      break;
  }
  return View::WndProc(message, wParam, lParam);
}

bool CVireldanView::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CVireldanView::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

void CVireldanView::OnOpenSelected(UINT id) { QueueForOpen(id == ID_OPEN_SELECTED_ONE_TO_ONE ? 1 : 0); }

void CVireldanView::OnUpdateOpenSelected(CommandState& state) { state.enabled = items_.CountSelected() > 0; }

void CVireldanView::OnThumbnailSizeStep(UINT id) {
  int& size = g_settings.thumbnails.thumbnailSize;
  size = id == ID_BIGGER_THUMBNAILS ? LargerThumbnailSize(size) : SmallerThumbnailSize(size);
  ApplyThumbnailSize();
}

void CVireldanView::OnSubfolderContents(UINT) { ShowSubfolderContents(); }
