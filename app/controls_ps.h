#pragma once
// The "Vireldan options" sheet: nine pages bound straight to the settings. The page it was
// closed on is remembered for the rest of the run, so the options open there next time.
#include <string>

#include "options_pages.h"
#include "property_sheet.h"

// The page indices other commands open the sheet on.
constexpr int kOptionsSlideshowPage = 2;
constexpr int kOptionsTransitionsPage = 3;
constexpr int kOptionsSystemPage = 4;
constexpr int kOptionsCachePage = 7;

class CControlsPS : public PropertySheet {
 public:
  // "Vireldan options", modal to the owner (none: no window is disabled); the start page becomes
  // the remembered one.
  explicit CControlsPS(int startPage, HWND owner = nullptr);
  CControlsPS(const std::string& caption, HWND parent, int startPage);

  // The page the options open on when no page is asked for: 0 at start, then the last closed on.
  static int s_startPage;

 protected:
  void OnClosed() override;

 private:
  void AddPages();

  CThumbnailsPP thumbnails_;
  CImagePP images_;
  CSlideshowPP slideshow_;
  CTransitionsPP transitions_;
  CSystemPP system_;
  CCachePP cache_;
  CPreferencesPP preferences_;
  CCaptureOptionsPP capture_;
  CAudioPP audio_;
};
