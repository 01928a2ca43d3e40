// The batch-print sheet's miniature of the first page.
#include <algorithm>

#include "app.h"
#include "app_settings.h"
#include "batch_print_picture.h"
#include "batch_print_ps.h"
#include "device_context.h"

namespace {

bool s_capsMessageShown = false;

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  const HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &area, brush);
  ::DeleteObject(brush);
}

// Maps the printer's page onto the miniature's paper.
class PaperMap {
 public:
  PaperMap(const RECT& paper, const BatchPrinterCaps& caps) : paper_(paper), caps_(caps) {}
  // Device pixels of the physical page to miniature pixels.
  int X(int64_t device) const { return paper_.left + int(device * Width() / caps_.physicalWidth); }
  int Y(int64_t device) const { return paper_.top + int(device * Height() / caps_.physicalHeight); }
  // Layout lengths, measured from the physical page's corner, to miniature pixels.
  int LayoutX(int64_t length) const { return X(length * caps_.dpiX / kLayoutUnitsPerInch); }
  int LayoutY(int64_t length) const { return Y(length * caps_.dpiY / kLayoutUnitsPerInch); }

 private:
  int64_t Width() const { return paper_.right - paper_.left; }
  int64_t Height() const { return paper_.bottom - paper_.top; }
  RECT paper_;
  BatchPrinterCaps caps_;
};

// The paper: the client area less 4 pixels a side, in the page's shape, centred.
RECT PaperIn(const RECT& client, const BatchPrinterCaps& caps) {
  const int64_t width = std::max<LONG>(0, client.right - client.left - 8);
  const int64_t height = std::max<LONG>(0, client.bottom - client.top - 8);
  int64_t w = width, h = width * caps.physicalHeight / caps.physicalWidth;
  if (h > height) {
    h = height;
    w = height * caps.physicalWidth / caps.physicalHeight;
  }
  const int left = int(client.left + (client.right - client.left - w) / 2);
  const int top = int(client.top + (client.bottom - client.top - h) / 2);
  return {left, top, left + int(w), top + int(h)};
}

// The picture shaped as the job shapes it for the printer, then brought to the size it is drawn
// at, since the miniature draws pixel for pixel.
void DrawPicture(HDC dc, const Cimage& thumbnail, const RECT& area, const CAppSettings::BatchPrint& p) {
  Cimage copy(thumbnail);
  if (!copy.m_valid || copy.m_width <= 0 || copy.m_height <= 0) return;
  bool turned = false;
  const PictureFit fit =
      ShapePictureForArea(copy, area.right - area.left, area.bottom - area.top, p.upright != 0, p.overfill != 0, turned);
  if (!fit.Prints()) return;
  if (copy.m_width != fit.width || copy.m_height != fit.height) copy.ReSample(fit.width, fit.height, 2);
  copy.DisplayImage(dc, area.left + fit.offsetX, area.top + fit.offsetY);
}

// A text area: its outline and lines every 3 pixels, in the text colour.
void DrawTextArea(HDC dc, const RECT& area, COLORREF colour) {
  const HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
  const HGDIOBJ old = ::SelectObject(dc, pen);
  const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
  for (int y = area.top + 2; y < area.bottom - 1; y += 3) {
    ::MoveToEx(dc, area.left + 3, y, nullptr);
    ::LineTo(dc, area.right - 3, y);
  }
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, old);
  ::DeleteObject(pen);
}

}  // namespace

LRESULT CLayoutPreviewStatic::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return TRUE;
  if (message != WM_PAINT) return Window::WndProc(message, wParam, lParam);
  bool tell = false;
  {
    PaintDC paint(Handle());
    RECT client = {};
    ::GetClientRect(Handle(), &client);
    Fill(paint.get(), client, RGB(64, 64, 64));
    if (sheet_.TimerFired()) {
      if (caps_.Known() && caps_.physicalWidth > 0 && caps_.physicalHeight > 0)
        Paint(paint.get(), client);
      else
        tell = !s_capsMessageShown;
    }
  }
  if (tell) {
    s_capsMessageShown = true;
    ::MessageBoxA(::GetParent(Handle()), "Error loading printer capabilities...\nTry Print->Setup", MessageCaption(),
                  MB_OK | MB_ICONEXCLAMATION);
  }
  return 0;
}

void CLayoutPreviewStatic::Paint(HDC dc, const RECT& client) {
  const CAppSettings::BatchPrint& p = g_settings.batchPrint;
  const RECT paper = PaperIn(client, caps_);
  const PaperMap map(paper, caps_);
  Fill(dc, paper, RGB(229, 229, 229));
  Fill(dc, {map.X(caps_.offsetX), map.Y(caps_.offsetY), map.X(int64_t(caps_.offsetX) + caps_.horzRes),
            map.Y(int64_t(caps_.offsetY) + caps_.vertRes)},
       RGB(255, 255, 255));
  const int rows = std::clamp(p.rows, 1, kMaxGridCount), cols = std::clamp(p.cols, 1, kMaxGridCount);
  int skip = BatchSkippedCells(BatchPrintSkip, rows * cols);
  CBPFilesPP& files = sheet_.Files();
  const Cimage* picture = skip > 0 ? nullptr : files.NextThumbnail(true);
  int copiesShown = 0;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < cols; ++column) {
      const int64_t cellX = p.coloffset + int64_t(column) * p.colwidth, cellY = p.rowoffset + int64_t(row) * p.colheight;
      const RECT area = {map.LayoutX(cellX + p.paoffsetx), map.LayoutY(cellY + p.paoffsety),
                         map.LayoutX(cellX + p.paoffsetx + p.pawidth), map.LayoutY(cellY + p.paoffsety + p.paheight)};
      Fill(dc, area, RGB(224, 224, 224));
      if (picture) {
        DrawPicture(dc, *picture, area, p);
        if (++copiesShown >= std::max(p.copies, 1)) {
          copiesShown = 0;
          picture = files.NextThumbnail(false);
        }
      } else if (skip > 0 && --skip == 0) {
        picture = files.NextThumbnail(true);
      }
      if (p.bp_dotext)
        DrawTextArea(dc,
                     {map.LayoutX(cellX + p.taoffsetx), map.LayoutY(cellY + p.taoffsety),
                      map.LayoutX(cellX + p.taoffsetx + p.tasizex), map.LayoutY(cellY + p.taoffsety + p.tasizey)},
                     COLORREF(p.bp_txtcolor));
    }
  const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  const int left = map.LayoutX(p.coloffset), right = map.LayoutX(p.coloffset + int64_t(cols) * p.colwidth);
  const int top = map.LayoutY(p.rowoffset), bottom = map.LayoutY(p.rowoffset + int64_t(rows) * p.colheight);
  for (int row = 0; row <= rows; ++row) {
    const int y = map.LayoutY(p.rowoffset + int64_t(row) * p.colheight);
    ::MoveToEx(dc, left, y, nullptr);
    ::LineTo(dc, right, y);
  }
  for (int column = 0; column <= cols; ++column) {
    const int x = map.LayoutX(p.coloffset + int64_t(column) * p.colwidth);
    ::MoveToEx(dc, x, top, nullptr);
    ::LineTo(dc, x, bottom);
  }
  ::SelectObject(dc, old);
}
