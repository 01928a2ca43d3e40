// The thumbnail view's picture: the grid of cells drawn into the back buffer, the scroll bar and
// the status text, and the layout made from the "Thumbnails" settings.
#include <memory>

#include "Cimage.h"
#include "app_settings.h"
#include "caption_line.h"
#include "device_context.h"
#include "frame_link.h"
#include "program_state.h"
#include "thumb_captions.h"
#include "thumb_loader.h"
#include "vireldan_view.h"

void CVireldanView::ApplyThumbnailSize() {
  const auto& settings = g_settings.thumbnails;
  if (settings.thumbnailSize != sizeType_) {
    // Results still on their way for the old size must match nothing.
    for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) {
      item->FreeThumbnail();
      item->id = nextId_++;
    }
    scheduleCursor_.Reset();
    sizeType_ = settings.thumbnailSize;
  }
  showSize_ = settings.showsizeinfo != 0;
  showName_ = settings.showfilename != 0;
  showDate_ = settings.showfiledate != 0;
  layout_ = MakeCellLayout(sizeType_, showName_, showDate_, showSize_);
  anchor_ = nullptr;
  scroll_ = ScrollState();
  items_.SaveSelection();
  if (loader_) loader_->SetEdge(layout_.edge);
  LoadNextThumbnail();
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::UpdateScrollAndStatus() {
  if (!Handle()) return;
  const bool wasShown = grid_.scrollBarShown;
  MeasureClient();
  if (grid_.scrollBarShown) {
    if (!scroll_.tracking) {
      SCROLLINFO info = {sizeof info, SIF_ALL | SIF_DISABLENOSCROLL};
      info.nMin = 1;
      info.nMax = kScrollRange;
      info.nPage = UINT(ScrollPage(grid_));
      info.nPos = scroll_.scrollPos;
      ::SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
    }
  } else {
    scroll_.firstVisible = 1;
    scroll_.scrollPos = 1;
  }
  if (scrollBar_) ::ShowWindow(scrollBar_, grid_.scrollBarShown ? SW_SHOW : SW_HIDE);
  if (wasShown && !grid_.scrollBarShown) Redraw();
  if (g_program.mainFrame)
    g_program.mainFrame->SetStatusPane2(ListingStatusText(items_.GetCount(), items_.GetTotalKB(),
                                                          items_.CountSelected(), items_.GetSelectedKB()));
}

void CVireldanView::DrawCaption(HDC dc, const std::string& text, int x, int y) {
  DrawCaptionLine(dc, text, x, y, layout_.edge, layout_.lineHeight);
}

void CVireldanView::DrawItem(HDC dc, CThumbItem& item, int x, int y) {
  const int pad = layout_.pad;
  if (showName_) DrawCaption(dc, item.name, x + pad, y + layout_.nameY);
  if (showDate_) DrawCaption(dc, item.GetDateText(), x + pad, y + layout_.dateY);
  if (showSize_) DrawCaption(dc, SizeCaption(item), x + pad, y + layout_.sizeY);

  if (item.selected) {
    const int inset = layout_.frameInset;
    const int outer = layout_.edge + 2 * pad - inset;
    GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 3, highlight_));
    SelectedObject usePen(dc, pen.get());
    SelectedObject noFill(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, x + inset, y + inset, x + outer, y + outer);
  }

  const int left = x + pad, top = y + pad, right = left + layout_.edge, bottom = top + layout_.edge;
  Cimage* thumbnail = item.thumbnail;
  if (!thumbnail || thumbnail->m_loadError) {
    SelectedObject noFill(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, left, top, right, bottom);
    if (thumbnail) {
      ::MoveToEx(dc, left, top, nullptr);
      ::LineTo(dc, right - 1, bottom - 1);
      ::MoveToEx(dc, right - 1, top, nullptr);
      ::LineTo(dc, left, bottom - 1);
    }
    return;
  }
  const int pictureTop = bottom - thumbnail->m_height;
  if (item.marked) {
    Cimage brightened(*thumbnail);
    brightened.ApplyGain(100);
    brightened.DisplayImage(dc, left, pictureTop);
  } else {
    thumbnail->DisplayImage(dc, left, pictureTop);
  }
}

void CVireldanView::OnDraw(HDC dc) {
  GdiObject<HFONT> font(CreateCaptionFont());
  SelectedObject useFont(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  UpdateScrollAndStatus();
  if (grid_.columns <= 0) return;

  // While the box is dragged two more rows fill the margin below.
  const int64_t shown = int64_t(grid_.pageCount) + (scroll_.tracking ? 2 * grid_.columns : 0);
  // While the selection is dragged it is drawn in a second pass, displaced, above the rest.
  const int passes = dragging_ ? 2 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const bool floating = pass == 1;
    const POINT offset = floating ? dragOffset_ : POINT{};
    int64_t index = 1 - int64_t(scroll_.firstVisible);  // of the item's cell, from the top-left one
    for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext(), ++index) {
      if (dragging_ && (item->selected != 0) != floating) continue;
      if (hideSelected_ && item->selected) continue;
      const int64_t y = index / grid_.columns * layout_.cellHeight;
      if (index >= 0 && index < shown && y < bufferHeight_)
        DrawItem(dc, *item, int(index % grid_.columns) * layout_.cellWidth + offset.x, int(y) + offset.y);
      else if (item->thumbnail && item->thumbnail->m_dispBits)
        // Display copies are kept for the cells on screen only: thousands of thumbnails would
        // otherwise hold one each on palette and 15/16-bit displays.
        item->thumbnail->FreeDisplayCopy();
    }
  }
}
