#include "fs_options_ps.h"

#include "app_settings.h"
#include "app.h"

namespace {
const char kCaption[] = "File Save Options";
}

CFSoptionsPS::CFSoptionsPS(HWND parent, int startPage)
    : PropertySheet(kCaption, parent, startPage),
      options_(CurrentSaveOptions()),
      bmp_(options_),
      gif_(options_),
      jpeg_(options_),
      png_(options_),
      tif_(options_) {
  AddPages();
}

CFSoptionsPS::CFSoptionsPS(HWND parent, const std::string& fileType)
    : CFSoptionsPS(parent, SavePageOfType(fileType)) {}

void CFSoptionsPS::AddPages() {
  AddPage(&bmp_);
  AddPage(&gif_);
  AddPage(&jpeg_);
  AddPage(&png_);
  AddPage(&tif_);
}

void CFSoptionsPS::OnConfirmed() { StoreSaveOptions(options_); }

bool PrepareSave(HWND owner, const std::string& path, bool optionsAsked) {
  const std::string type = SaveFileType(path);
  switch (StepBeforeSave(type, optionsAsked, g_settings.fileOptions.confirm != 0)) {
    case SaveStep::kRefuseType:
      ::MessageBoxA(owner, kInvalidSaveTypeMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
      return false;
    case SaveStep::kAskOptions:
      return CFSoptionsPS(owner, type).DoModal() == IDOK;
    case SaveStep::kSave:
      break;
  }
  return true;
}
