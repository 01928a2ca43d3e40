#pragma once
// The File Save Options sheet: a page for each format the library writes, on a copy of the save
// options that goes back to the library and the settings only when the sheet is confirmed.
#include <string>

#include "fs_options_pages.h"
#include "property_sheet.h"

class CFSoptionsPS : public PropertySheet {
 public:
  // Opens on the page given (the Save Options command opens on the JPEG page).
  CFSoptionsPS(HWND parent, int startPage);
  // Opens on the page of a file type (see SaveFileType); a save refuses a type with no page
  // before it gets here (see PrepareSave).
  CFSoptionsPS(HWND parent, const std::string& fileType);

 protected:
  void OnConfirmed() override;

 private:
  void AddPages();

  SaveOptions options_;
  CFSbmpPP bmp_;
  CFSgifPP gif_;
  CFSjpgPP jpeg_;
  CFSpngPP png_;
  CFStifPP tif_;
};

// Before a save writes its file: refuses a type the library cannot write, and shows the sheet on
// the file's page when options were asked for (Ctrl or Shift) or "confirm" is on. True lets the
// save go on; false (refused, or the sheet cancelled) ends it.
bool PrepareSave(HWND owner, const std::string& path, bool optionsAsked);
