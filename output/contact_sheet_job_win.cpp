// Printing contact sheets after the Print thumbnails setup dialog.
#include <cstdio>
#include <memory>

#include "app.h"
#include "app_settings.h"
#include "device_context.h"
#include "message_loop.h"
#include "print_thumbs_dlg.h"
#include "progress_window.h"

namespace {

void Tell(HWND owner, const char* text) { ::MessageBoxA(owner, text, MessageCaption(), MB_OK); }

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using GdiObject = std::unique_ptr<void, GdiObjectDeleter>;

HFONT MakeFont(int height) {
  return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

// What one cell prints: the picture (loaded at the thumbnail size, or in draft the view's
// thumbnail doubled) and its size in the file.
struct CellPicture {
  Cimage picture;
  bool draft = false;
  bool Usable() const { return !picture.m_loadError && picture.m_valid && picture.m_width > 0 && picture.m_height > 0; }
};

void LoadCellPicture(CellPicture& cell, const ContactSheetSource& source, const ContactSheetItem& item, bool draft,
                     int thumbSize) {
  cell.draft = draft && source.thumbnail && source.thumbnail(item.path, cell.picture) && cell.Usable();
  if (cell.draft) {
    const int width = cell.picture.m_origWidth, height = cell.picture.m_origHeight;
    cell.picture.ReSample(cell.picture.m_width * 2, cell.picture.m_height * 2, 2);
    cell.picture.m_origWidth = width;
    cell.picture.m_origHeight = height;
    return;
  }
  cell.picture = Cimage();
  cell.picture.LoadImageA(item.path.c_str(), thumbSize, thumbSize, 1);
}

void CrossedSquare(HDC dc, int x, int y, int width, int height) {
  ::Rectangle(dc, x, y, x + width, y + height);
  ::MoveToEx(dc, x, y, nullptr);
  ::LineTo(dc, x + width, y + height);
  ::MoveToEx(dc, x + width, y, nullptr);
  ::LineTo(dc, x, y + height);
}

class ContactSheetJob {
 public:
  ContactSheetJob(HWND owner, HDC dc, const CPrintThumbsDlg& dialog)
      : owner_(owner), dc_(dc), dialog_(dialog), layout_(dialog.Layout()), page_(dialog.Printer()),
        choices_(dialog.Choices()), items_(dialog.ItemsToPrint()) {}
  void Run();

 private:
  void PrintCell(const ContactSheetItem& item, int x, int y);
  void Caption(const std::string& text, int x, int& y);

  HWND owner_;
  HDC dc_;
  const CPrintThumbsDlg& dialog_;
  const ContactSheetLayout& layout_;
  const ContactSheetPrinter& page_;
  const CAppSettings::ThumbPrint& choices_;
  const std::vector<ContactSheetItem>& items_;
  GdiObject captionFont_, titleFont_;
};

void ContactSheetJob::Caption(const std::string& text, int x, int& y) {
  RECT line = {x, y, x + layout_.thumbSize, y + layout_.spacing};
  ::DrawTextA(dc_, text.c_str(), int(text.size()), &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  y += layout_.spacing;
}

void ContactSheetJob::PrintCell(const ContactSheetItem& item, int x, int y) {
  const int square = ThumbSquareHeight(layout_.thumbSize, page_.aspectX, page_.aspectY);
  CellPicture cell;
  LoadCellPicture(cell, dialog_.Source(), item, choices_.draft != 0, layout_.thumbSize);
  if (!cell.Usable()) {
    CrossedSquare(dc_, x, y, layout_.thumbSize, square);
  } else {
    const ThumbPlacement place =
        cell.draft ? PlaceDraftThumb(cell.picture.m_width, cell.picture.m_height, layout_.thumbSize, page_.aspectX,
                                     page_.aspectY)
                   : PlaceLoadedThumb(cell.picture.m_width, cell.picture.m_height, layout_.thumbSize, page_.aspectX,
                                      page_.aspectY);
    CDC printer(dc_);
    cell.picture.PrintImage(&printer, x + place.x, y + place.y, place.width, place.height);
  }
  ::SelectObject(dc_, captionFont_.get());
  int line = y + square + layout_.spacing / 8;
  if (choices_.filenames) Caption(item.name, x, line);
  if (choices_.filedates) Caption(item.dateText, x, line);
  if (choices_.filesizes) {
    char text[64];
    const bool known = cell.Usable();
    std::snprintf(text, sizeof text, "%i K, %i x %i", item.sizeKB, known ? cell.picture.m_origWidth : 0,
                  known ? cell.picture.m_origHeight : 0);
    Caption(text, x, line);
  }
}

void ContactSheetJob::Run() {
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  const std::string name = dialog_.Title().empty() ? "Vireldan Thumbnails" : dialog_.Title();
  document.lpszDocName = name.c_str();
  if (::StartDocA(dc_, &document) <= 0) {
    Tell(owner_, "Error setting up printer");
    return;
  }
  CProgressWnd progress(owner_, false);
  progress.SetPos(0, 100);
  progress.SetLines("Page 0 of 0", "Initializing...");
  MessageLoop::DispatchWaiting();
  GdiObject pen(::CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
  const HGDIOBJ oldPen = ::SelectObject(dc_, pen.get());
  const HGDIOBJ oldBrush = ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
  const HGDIOBJ oldFont = ::GetCurrentObject(dc_, OBJ_FONT);
  captionFont_.reset(MakeFont(layout_.spacing * 8 / 10));
  titleFont_.reset(MakeFont(layout_.topBand * 7 / 8));
  ::SetBkMode(dc_, TRANSPARENT);
  g_bCancel = 0;
  size_t next = 0;
  int pageNumber = 0;
  bool nothingFits = false;
  while (next < items_.size() && !g_bCancel) {
    char line[64];
    std::snprintf(line, sizeof line, "Page %i of %i", ++pageNumber, layout_.pages);
    progress.SetLine1(line);
    ::StartPage(dc_);
    if (choices_.title) {
      ::SelectObject(dc_, titleFont_.get());
      RECT band = {0, layout_.topBand / 16 + layout_.extraTop, page_.horzRes, layout_.topBand + layout_.extraTop};
      ::DrawTextA(dc_, dialog_.Title().c_str(), -1, &band, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    const size_t first = next;
    for (int row = 0; row < layout_.rows && next < items_.size() && !g_bCancel; ++row)
      for (int column = 0; column < choices_.nx && next < items_.size() && !g_bCancel; ++column) {
        const ContactSheetItem& item = items_[next++];
        progress.SetLine2(("File: " + item.name).c_str());
        PrintCell(item, layout_.originX + column * layout_.cellWidth,
                  layout_.originY + layout_.extraTop + row * layout_.cellHeight);
        progress.SetPos(int(next), int(items_.size()));
      }
    ::EndPage(dc_);
    // A page that placed nothing would be followed by as many more: the job ends instead.
    if (next == first && !g_bCancel) {
      nothingFits = true;
      break;
    }
  }
  if (g_bCancel || nothingFits)
    ::AbortDoc(dc_);
  else
    ::EndDoc(dc_);
  ::SelectObject(dc_, oldFont);
  ::SelectObject(dc_, oldBrush);
  ::SelectObject(dc_, oldPen);
  progress.Close();
  if (nothingFits) Tell(owner_, "No thumbnail fits on a page of this printer.\nNothing was printed.");
}

}  // namespace

void PrintThumbnailSheets(HWND owner, PrinterAccess& printer, const ContactSheetSource& source) {
  CPrintThumbsDlg dialog(printer, source);
  const bool print = dialog.DoModal(owner) == IDOK;
  const std::unique_ptr<HDC__, decltype(&::DeleteDC)> dc(dialog.TakePrinterDC(), &::DeleteDC);
  if (!print) return;
  const CAppSettings::ThumbPrint& choices = dialog.Choices();
  if (choices.draft && choices.nx < DraftQualityLimit(source.thumbnailSize) &&
      ::MessageBoxA(owner,
                    "Using draft quality with large printed thumbnail sizes\nmay produce poor results.\n"
                    "Continue anyway?",
                    MessageCaption(), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  if (!(dialog.RasterCaps() & RC_STRETCHDIB)) {
    Tell(owner, dc ? "Printer doesn't support bitmap transfers\nUnable to continue"
                   : "Error creating printer device context");
    return;
  }
  if (dialog.ItemsToPrint().empty()) {
    Tell(owner, "Nothing to print...");
    return;
  }
  const bool ownerWasEnabled = owner && !::EnableWindow(owner, FALSE);
  ContactSheetJob(owner, dc.get(), dialog).Run();
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
}
