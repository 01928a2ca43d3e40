#pragma once
// Contact sheets: the thumbnails of the view's folder (all or the selected ones) printed in a
// grid of square cells, with an optional page title and up to three caption lines each. The
// modal "Print thumbnails setup" dialog shows a miniature of the first page; printing runs on the
// calling thread with the shared progress window.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Cimage.h"
#include "app_settings.h"
#include "contact_sheet_layout.h"
#include "dialog.h"
#include "printer_access.h"

struct ContactSheetSource {
  std::vector<ContactSheetItem> all, selected;
  bool composed = false;  // a list of several folders: only the selection can be printed
  std::string title;      // what the status bar last said
  int thumbnailSize = 2;  // the view's "Thumbnail Size"
  // A copy of the thumbnail the view holds for a path; false when it has none.
  std::function<bool(const std::string& path, Cimage& copy)> thumbnail;
};

class CPrintThumbsDlg;

// The miniature of the first page.
class CThumbLayoutPreview : public Window {
 public:
  explicit CThumbLayoutPreview(const CPrintThumbsDlg& dialog) : dialog_(dialog) {}

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const CPrintThumbsDlg& dialog_;
};

class CPrintThumbsDlg : public Dialog {
 public:
  CPrintThumbsDlg(PrinterAccess& printer, const ContactSheetSource& source);
  ~CPrintThumbsDlg() override;

  // The dialog's choices (the "ThumbPrint" values it edits), its title and layout.
  const CAppSettings::ThumbPrint& Choices() const { return choices_; }
  const std::string& Title() const { return title_; }
  const ContactSheetLayout& Layout() const { return layout_; }
  const ContactSheetPrinter& Printer() const { return page_; }
  const std::vector<ContactSheetItem>& ItemsToPrint() const;
  const ContactSheetSource& Source() const { return source_; }
  int RasterCaps() const { return rasterCaps_; }
  // The printer's device context, which the caller then owns; null when there is none.
  HDC TakePrinterDC();

  void ReadPrinterCaps();
  void ComputeLayout();
  void UpdateTexts();
  void ShowPrinterName();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  ContactSheetChoices LayoutChoices() const;
  void Changed();

  PrinterAccess& printer_;
  const ContactSheetSource& source_;
  CAppSettings::ThumbPrint choices_;
  std::string title_;
  ContactSheetLayout layout_;
  ContactSheetPrinter page_;
  int rasterCaps_ = 0;
  HDC dc_ = nullptr;
  CThumbLayoutPreview preview_;
};

// The whole flow: the dialog, then the pages. Every failure is told the user.
void PrintThumbnailSheets(HWND owner, PrinterAccess& printer, const ContactSheetSource& source);
