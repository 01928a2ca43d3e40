// The thumbnail view's mouse and keyboard: clicks with Ctrl, Shift and Alt, the rubber band,
// dragging the selection inside the view to set the slide order, arrow keys that move a single
// selection (and the pointer with it), and the selection commands. The rules themselves are in
// thumb_selection.h.
#include "app_settings.h"
#include "command_ids.h"
#include "device_context.h"
#include "drag_threshold.h"
#include "frame_link.h"
#include "full_screen_wnd.h"
#include "image_window_entry_points.h"
#include "panes.h"
#include "preview_wnd.h"
#include "private_messages.h"
#include "program_state.h"
#include "vireldan_view.h"

namespace {

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

RECT ToRect(const BandRect& band) { return RECT{band.left, band.top, band.right, band.bottom}; }

// The focus rectangle is drawn inverted: drawing it again at the same place erases it.
void DrawFocusBand(HDC dc, const BandRect& band) {
  const RECT rect = ToRect(band);
  ::DrawFocusRect(dc, &rect);
}

}  // namespace

void CVireldanView::DeselectAll() {
  items_.SaveSelection();
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::Reselect() {
  items_.RestoreSelection();
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::SelectAll() {
  SelectAllItems(items_);
  anchor_ = nullptr;
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::InvertSelection() {
  InvertItemSelection(items_);
  anchor_ = nullptr;
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::SelectById(int id) {
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext())
    if (item->id == id) item->selected = 1;
  anchor_ = nullptr;
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::SlideOrderChanged() {
  slideOrderChanged_ = true;
  SaveSlideTable();
  UpdateScrollAndStatus();
  Redraw();
}

// The right click or Alt+click that chose the target may have replaced the selection: the one
// kept for Reselect is the one that moves.
void CVireldanView::MoveSelectedInSlideTable() {
  items_.RestoreSelection();
  if (DropSelection(items_, HitTest(movePoint_.x, movePoint_.y, true), sortType_)) SlideOrderChanged();
}

void CVireldanView::QueueItemForOpen(const CThumbItem* item, int mode) {
  CThumbItem* queued = openQueue_.AddTail();
  if (!queued) return;
  queued->name = item->name;
  queued->folder = item->folder;
  queued->selected = mode;
}

void CVireldanView::ShowInPreview(const CThumbItem* item) {
  if (g_program.preview && g_settings.frameLayout.preview_on) g_program.preview->ShowFile(item->folder + item->name);
}

void CVireldanView::HidePreview() {
  if (g_program.preview) g_program.preview->HidePreview();
}

void CVireldanView::OnKillFocus(HWND gaining) {
  if (!g_program.preview || (gaining && gaining == g_program.preview->Handle())) return;
  HidePreview();
}

void CVireldanView::OnLButtonDown(WPARAM flags, POINT point) {
  ::SetFocus(Handle());
  CancelTip();
  CThumbItem* hit = HitTest(point.x, point.y, false);
  if (hit) {
    dragOrigin_ = point;
    dragArmed_ = true;
    dragOffset_ = POINT{};
  } else {
    bandArmed_ = true;
    bandOrigin_ = bandEnd_ = point;
    dragArmed_ = false;
  }
  if (ClickSelect(items_, hit, anchor_, ClickKeys{(flags & MK_CONTROL) != 0, (flags & MK_SHIFT) != 0},
                  g_settings.thumbnails.accumulate != 0))
    ShowInPreview(hit);
  else
    HidePreview();
  if (KeyHeld(VK_MENU) && sortType_ == kSortBySlideOrder) {
    movePoint_ = point;
    MoveSelectedInSlideTable();
  }
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::EndDrag() {
  dragging_ = false;
  dragOffset_ = POINT{};
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  Redraw();
}

void CVireldanView::OnMouseMove(WPARAM flags, POINT point) {
  if (point.x != hoverPoint_.x || point.y != hoverPoint_.y) CancelTip();
  const bool leftDown = (flags & MK_LBUTTON) != 0;
  if (dragArmed_ && leftDown && !dragging_ && !WithinDragThreshold(dragOrigin_, point)) {
    dragging_ = true;
    ::SetCapture(Handle());
    HidePreview();
  }
  if (dragging_) {
    const int gridRight = ClientWidth() - (grid_.scrollBarShown ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    POINT screen = point;
    ::ClientToScreen(Handle(), &screen);
    const HWND under = ::WindowFromPoint(screen);
    const bool overOtherWindow = under && under != Handle() && ::GetParent(under) != Handle();
    if (point.x >= gridRight || overOtherWindow) {
      // The selection leaves the view: the drag inside it ends, changing nothing. Off the right
      // edge the files may open instead of going elsewhere.
      EndDrag();
      dragArmed_ = false;
      if (point.x >= gridRight && g_settings.mainOptions.rightopen)
        QueueForOpen(0);
      else
        DragSelectionOut();
      return;
    }
    dragOffset_ = POINT{point.x - dragOrigin_.x, point.y - dragOrigin_.y};
    Redraw();
    return;
  }
  if (bandArmed_ && leftDown) bandActive_ = true;
  if (bandActive_) {
    ClientDC dc(Handle());
    if (!leftDown) {
      // The button went up outside the window: the band ends without selecting.
      if (bandDrawn_) DrawFocusBand(dc.get(), bandRect_);
      bandDrawn_ = bandActive_ = bandArmed_ = false;
      Redraw();
      return;
    }
    bandEnd_ = point;
    DrawBand(dc.get());
    return;
  }
  CThumbItem* hovered = HitTest(point.x, point.y, false);
  ArmHoverTip(hovered, point);
  if (g_program.mainFrame) {
    if (hovered != lastHovered_) g_program.mainFrame->SetStatusText(hovered ? hovered->folder + hovered->name : "");
    lastHovered_ = hovered;
  }
  // The view hears when the pointer leaves it (into the tree, off the window), so that the tip
  // and the hovered path go with it.
  if (!leaveTracked_) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
    leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
  }
}

void CVireldanView::OnMouseLeave() {
  leaveTracked_ = false;
  // The path the pointer showed goes with it, as over the view's empty space.
  if (lastHovered_ && g_program.mainFrame) g_program.mainFrame->SetStatusText("");
  ForgetHover();
}

// The status bar is left alone: a new listing's folder may be shown there already.
void CVireldanView::ForgetHover() {
  CancelTip();
  lastHovered_ = nullptr;
}

// Frames the items the band would take (and the selected ones) and draws the band itself, both
// straight onto the screen; the next paint puts the picture back.
void CVireldanView::DrawBand(HDC dc) {
  if (bandDrawn_) DrawFocusBand(dc, bandRect_);
  bandRect_ = NormalisedBand(bandOrigin_.x, bandOrigin_.y, bandEnd_.x, bandEnd_.y);
  MeasureClient();
  GdiObject<HPEN> highlight(::CreatePen(PS_SOLID, 3, highlight_));
  GdiObject<HPEN> window(::CreatePen(PS_SOLID, 3, ::GetSysColor(COLOR_WINDOW)));
  SelectedObject noFill(dc, ::GetStockObject(NULL_BRUSH));
  const int inset = layout_.frameInset;
  const int outer = layout_.edge + 2 * layout_.pad - inset;
  int position = 1;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext(), ++position) {
    if (!IsVisiblePosition(position, scroll_.firstVisible, grid_)) continue;
    const bool taken = item->selected || BandTouches(bandRect_, position, scroll_.firstVisible, grid_, layout_);
    SelectedObject pen(dc, taken ? highlight.get() : window.get());
    const CellPoint cell = CellOrigin(position, scroll_.firstVisible, grid_, layout_);
    ::Rectangle(dc, cell.x + inset, cell.y + inset, cell.x + outer, cell.y + outer);
  }
  DrawFocusBand(dc, bandRect_);
  bandDrawn_ = true;
}

void CVireldanView::OnLButtonUp(POINT point) {
  if (bandActive_) {
    MeasureClient();
    SelectInBand(items_, NormalisedBand(bandOrigin_.x, bandOrigin_.y, point.x, point.y), scroll_.firstVisible,
                 grid_, layout_);
    bandDrawn_ = bandActive_ = false;
    UpdateScrollAndStatus();
    Redraw();
  }
  bandArmed_ = false;
  dragArmed_ = false;
  if (!dragging_) return;
  EndDrag();
  if (DropSelection(items_, HitTest(point.x, point.y, true), sortType_)) SlideOrderChanged();
}

void CVireldanView::OnLButtonDblClk(WPARAM flags, POINT point) {
  HidePreview();
  CancelTip();
  dragArmed_ = bandArmed_ = bandActive_ = bandDrawn_ = false;
  if (dragging_) EndDrag();
  const CThumbItem* hit = HitTest(point.x, point.y, false);
  if (!hit) return;
  // Ctrl or Shift: pixel for pixel; Alt: also full screen; else as the "Picture Frames" settings say.
  const int viewMode = (flags & (MK_CONTROL | MK_SHIFT)) ? 1 : ::GetKeyState(VK_MENU) < 0 ? 3 : 0;
  // Copied first: a picture that fails to load says so in a modal box, while the list may change.
  const std::string folder = hit->folder, name = hit->name;
  OpenImageWindow(folder, name, viewMode, false);
}

void CVireldanView::OnRButtonDown(WPARAM flags, POINT point) {
  CancelTip();
  if (bandActive_) {
    // A right click cancels the band and does nothing else.
    bandDrawn_ = bandActive_ = bandArmed_ = false;
    Redraw();
    return;
  }
  if (flags & MK_LBUTTON) return;
  CThumbItem* hit = HitTest(point.x, point.y, false);
  anchor_ = hit;
  if (hit) {
    if (!(flags & MK_CONTROL) && !hit->selected) items_.SaveSelection();
    hit->selected = 1;
  }
  movePoint_ = point;
  UpdateScrollAndStatus();
  Redraw();
  ShowContextMenu(point);
}

void CVireldanView::MovePointerToItem(const CThumbItem* item) {
  MeasureClient();
  const int position = PositionOf(item);
  if (!position || !IsVisiblePosition(position, scroll_.firstVisible, grid_)) return;
  const CellPoint cell = CellOrigin(position, scroll_.firstVisible, grid_, layout_);
  POINT centre = {cell.x + layout_.cellWidth / 2, cell.y + layout_.cellHeight / 2};
  ::ClientToScreen(Handle(), &centre);
  ::SetCursorPos(centre.x, centre.y);
  ShowInPreview(item);
}

void CVireldanView::MoveSelection(ArrowKey key) {
  if (items_.CountSelected() != 1) return;
  MeasureClient();
  const ArrowMove move =
      MoveByArrow(key, PositionOf(items_.GetFirstSelected()), items_.GetCount(), scroll_.firstVisible, grid_);
  // Scrolled first, so that the pointer can follow the item onto the new row.
  if (move.scroll != ScrollFirst::kNone) OnVScroll(move.scroll == ScrollFirst::kLineUp ? SB_LINEUP : SB_LINEDOWN);
  if (!move.position) return;
  CThumbItem* target = ItemAt(move.position);
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) item->selected = item == target;
  MovePointerToItem(target);
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::OnKeyDown(UINT key) {
  CancelTip();
  const auto scroll = [&](int code) { ::PostMessageA(Handle(), WM_VSCROLL, WPARAM(code), LPARAM(scrollBar_)); };
  switch (key) {
    case VK_HOME:
      HidePreview();
      if (g_program.mainFrame) g_program.mainFrame->GoHome();
      return;
    case VK_DELETE:
      HidePreview();
      return;
    case VK_NEXT:
      scroll(SB_PAGEDOWN);
      return;
    case VK_PRIOR:
      scroll(SB_PAGEUP);
      return;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
      break;
    default:
      return;
  }
  if (items_.CountSelected() == 0) {
    if (CThumbItem* first = items_.GetFirst()) {
      first->selected = 1;
      MovePointerToItem(first);
      UpdateScrollAndStatus();
      Redraw();
    }
    return;
  }
  const bool vertical = key == VK_UP || key == VK_DOWN;
  if (vertical && (KeyHeld(VK_CONTROL) || KeyHeld(VK_SHIFT))) {
    const bool up = key == VK_UP;
    scroll(KeyHeld(VK_CONTROL) ? (up ? SB_LINEUP : SB_LINEDOWN) : (up ? SB_PAGEUP : SB_PAGEDOWN));
    return;
  }
  switch (key) {
    case VK_UP: MoveSelection(ArrowKey::kUp); break;
    case VK_DOWN: MoveSelection(ArrowKey::kDown); break;
    case VK_LEFT: MoveSelection(ArrowKey::kLeft); break;
    default: MoveSelection(ArrowKey::kRight); break;
  }
}

void CVireldanView::ClickAtPointer(bool doubleClick) {
  POINT point = {};
  ::GetCursorPos(&point);
  ::ScreenToClient(Handle(), &point);
  const WPARAM flags = MK_LBUTTON | (KeyHeld(VK_CONTROL) ? MK_CONTROL : 0) | (KeyHeld(VK_SHIFT) ? MK_SHIFT : 0);
  OnLButtonDown(flags, point);
  OnLButtonUp(point);
  if (doubleClick) OnLButtonDblClk(flags, point);
}

void CVireldanView::OnChar(UINT character) {
  switch (character) {
    case '\t':
      ::PostMessageA(FolderTreeWindow(), WM_TREE_ENSUREVISIBLE, 0, 0);
      break;
    case ' ':
      ClickAtPointer(false);
      break;
    case '\r':
      HidePreview();
      ClickAtPointer(true);
      break;
    default:
      break;
  }
}

// Next and previous from an image window (the item opens through the queue) or from the
// full-screen window (which shows the file itself).
void CVireldanView::OnSelectAdjacent(bool previous, bool fullScreen) {
  CThumbItem* item = SelectAdjacent(items_, previous);
  if (!item) return;
  if (!fullScreen)
    QueueItemForOpen(item, 0);
  else if (g_program.fullScreen)
    g_program.fullScreen->ShowFile(item->folder + item->name, nullptr);
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::OnSelectionCommand(UINT id) {
  switch (id) {
    case ID_SELECT_ALL: SelectAll(); break;
    case ID_DESELECT_ALL: DeselectAll(); break;
    case ID_INVERT_SELECTION: InvertSelection(); break;
    default: Reselect(); break;
  }
}

void CVireldanView::OnMoveInSlideOrder(UINT) { MoveSelectedInSlideTable(); }

void CVireldanView::OnUpdateMoveInSlideOrder(CommandState& state) {
  state.enabled =
      slideOrderChanged_ && plainFolder_ && sortType_ == kSortBySlideOrder && items_.CountSelected() > 0;
}
