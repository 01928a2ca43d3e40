#include "tips.h"

#include "app_settings.h"
#include "resource.h"
#include "tip_dlg.h"

namespace {

// The tips text resource, loaded once; empty when it is missing.
const std::string& AllTips() {
  static const std::string tips = [] {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(IDR_TIPS), "TIPSTXT");
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    return text ? std::string(text, ::SizeofResource(instance, found)) : std::string();
  }();
  return tips;
}

}  // namespace

void ShowTips(HWND owner) {
  int n = g_settings.mainOptions.tipnum;
  for (;;) {
    std::string text;
    if (!TipText(AllTips(), n, text)) {
      n = 1;
      if (!TipText(AllTips(), n, text)) return;  // no tips at all
    }
    ++n;
    CTipDlg tip(text.c_str());
    const INT_PTR result = tip.DoModal(owner);
    if (tip.dontShow) g_settings.mainOptions.tipson = 0;
    if (result != IDCANCEL) break;
  }
  g_settings.mainOptions.tipnum = n;
}
