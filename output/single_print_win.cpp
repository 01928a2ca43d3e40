#include "single_print.h"

#include <memory>

#include "app.h"
#include "device_context.h"
#include "page_layout.h"
#include "page_layout_dlg.h"
#include "wait_cursor.h"

namespace {

void Tell(HWND owner, const char* text) { ::MessageBoxA(owner, text, MessageCaption(), MB_OK); }

// A picture that did not load, or that has no pixels, is never sent to the printer.
bool Printable(const Cimage& picture) {
  return !picture.m_loadError && picture.m_valid && picture.m_pixels && picture.m_width > 0 && picture.m_height > 0;
}

void LayOutAndPrint(HWND owner, PrinterAccess& printer, Cimage& picture, const std::string& documentName) {
  if (!Printable(picture)) {
    Tell(owner, "Error reloading image");
    return;
  }
  CPageLayoutDlg layout(picture, printer);
  const bool print = layout.DoModal(owner) == IDOK;
  const std::unique_ptr<HDC__, decltype(&::DeleteDC)> dc(layout.TakePrinterDC(), &::DeleteDC);
  if (!print) return;
  // Without a printer there is nothing to ask about bitmap transfers: say what is missing.
  if (!layout.PrinterOpened() || !dc) {
    Tell(owner, "Error creating printer device context");
    return;
  }
  if (!(layout.RasterCaps() & RC_STRETCHDIB)) {
    Tell(owner, "Printer doesn't support bitmap transfers\nUnable to continue");
    return;
  }
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = documentName.c_str();
  if (::StartDocA(dc.get(), &document) <= 0) {
    Tell(owner, "Error setting up printer");
    return;
  }
  WaitCursor wait;
  ::StartPage(dc.get());
  const PrinterPage& page = layout.Page();
  const LayoutSize printed = PrintedSize(layout.Printable(), page.aspectX, page.aspectY,
                                         {picture.m_width, picture.m_height}, layout.Scale());
  const LayoutPoint origin =
      KeepOnPrintableArea(PrintedOrigin(page, layout.Position(), printed), printed, page, layout.Printable());
  CDC cdc(dc.get());
  picture.PrintImage(&cdc, origin.x, origin.y, printed.width, printed.height);
  ::EndPage(dc.get());
  ::EndDoc(dc.get());
}

}  // namespace

void PrintPictureFile(HWND owner, PrinterAccess& printer, const std::string& path) {
  Cimage picture;
  {
    WaitCursor wait;
    picture.LoadImageA(path.c_str(), 0, 0, 5);
  }
  LayOutAndPrint(owner, printer, picture, path);
}

void PrintPicture(HWND owner, PrinterAccess& printer, const Cimage& picture) {
  Cimage copy(picture);
  LayOutAndPrint(owner, printer, copy, "Vireldan Image");
}
