// The main frame's part in printing many pictures: the one batch-print sheet, its job on the
// printer, its font choice, and contact sheets of the thumbnail view.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "app_settings.h"
#include "batch_print_job.h"
#include "batch_print_ps.h"
#include "contact_sheet_layout.h"
#include "hover_tip_hooks.h"
#include "main_frame.h"
#include "panes.h"
#include "print_thumbs_dlg.h"
#include "vireldan_app.h"

void CMainFrame::OnBatchPrint(UINT) {
  if (batchPrintSheet_) return;
  auto sheet = std::make_unique<CBatchPrintPS>(Handle(), theApp.Printer(),
                                               BatchPrintHooks{ThumbnailPanePaths, CopyPaneThumbnail});
  sheet->AddPages();
  if (!sheet->Create()) return;
  batchPrintSheet_ = std::move(sheet);
}

void CMainFrame::OnBatchPrintClosed() { batchPrintSheet_.reset(); }

void CMainFrame::BatchPrintJob() {
  BatchPrintRequest request;
  request.owner = Handle();
  request.files = BatchPrintList;  // the list goes only once the job has run: a failure keeps it
  request.skip = BatchPrintSkip;
  request.annotation = TipAnnotation;
  const std::unique_ptr<HDC__, decltype(&::DeleteDC)> dc(theApp.Printer().CreatePrinterDC(), &::DeleteDC);
  request.printer = dc.get();
  if (RunBatchPrintJob(request, g_settings.batchPrint) != BatchPrintEnd::kNotStarted) BatchPrintList.clear();
}

void CMainFrame::OnChooseBatchPrintFont() {
  CAppSettings::BatchPrint& print = g_settings.batchPrint;
  const HWND sheet = batchPrintSheet_ ? batchPrintSheet_->Handle() : nullptr;
  if (sheet) ::ShowWindow(sheet, SW_HIDE);
  LOGFONTA font = {};
  std::strncpy(font.lfFaceName, print.bp_font.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Handle();
  choose.lpLogFont = &font;
  choose.iPointSize = print.bp_points * 10;
  {
    const HDC screen = ::GetDC(nullptr);
    font.lfHeight = -::MulDiv(print.bp_points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
  }
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (::ChooseFontA(&choose)) {
    print.bp_font = font.lfFaceName;
    print.bp_points = std::max(1, choose.iPointSize / 10);
  }
  if (sheet) {
    ::ShowWindow(sheet, SW_SHOW);
    batchPrintSheet_->Changed();
  }
}

void CMainFrame::PrintThumbnails(UINT) {
  ContactSheetSource source;
  source.all = ThumbnailPaneSheetItems(false, &source.composed);
  source.selected = ThumbnailPaneSheetItems(true);
  source.title = statusText_;
  source.thumbnailSize = g_settings.thumbnails.thumbnailSize;
  source.thumbnail = CopyPaneThumbnail;
  PrintThumbnailSheets(Handle(), theApp.Printer(), source);
}
