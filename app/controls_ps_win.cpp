#include "controls_ps.h"

int CControlsPS::s_startPage = 0;

CControlsPS::CControlsPS(int startPage, HWND owner) : PropertySheet("Vireldan options", owner, startPage) {
  s_startPage = startPage;
  AddPages();
}

CControlsPS::CControlsPS(const std::string& caption, HWND parent, int startPage)
    : PropertySheet(caption, parent, startPage) {
  AddPages();
}

void CControlsPS::AddPages() {
  for (PropertyPage* page : std::initializer_list<PropertyPage*>{&thumbnails_, &images_, &slideshow_, &transitions_,
                                                                 &system_, &preferences_, &capture_, &cache_, &audio_})
    AddPage(page);
}

void CControlsPS::OnClosed() { s_startPage = ActivePage(); }
