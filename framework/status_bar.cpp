#include "status_bar.h"

#include <commctrl.h>

bool StatusBar::Create(HWND parent, UINT id) {
  return CreateControl(STATUSCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, RECT{0, 0, 0, 0}, parent, id);
}

void StatusBar::SetPaneWidths(const std::vector<int>& widths) {
  widths_ = widths;
  Resize();
}

void StatusBar::Resize() {
  ::SendMessageA(Handle(), WM_SIZE, 0, 0);
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  // Parts are given by their right edges: the first pane stretches, the others keep their widths.
  std::vector<int> edges(widths_.size() + 1);
  int right = client.right;
  for (size_t i = widths_.size(); i > 0; --i) {
    edges[i] = right;
    right -= widths_[i - 1];
  }
  edges[0] = right > 0 ? right : 0;
  if (!edges.empty()) edges.back() = -1;
  ::SendMessageA(Handle(), SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPaneText(int pane, const std::string& text) {
  // The first pane, where command prompts appear, is drawn without a border.
  const WPARAM how = WPARAM(pane) | (pane == 0 ? SBT_NOBORDERS : 0);
  ::SendMessageA(Handle(), SB_SETTEXTA, how, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PaneText(int pane) const {
  const LRESULT length = LOWORD(::SendMessageA(Handle(), SB_GETTEXTLENGTHA, WPARAM(pane), 0));
  std::string text(size_t(length) + 1, '\0');
  ::SendMessageA(Handle(), SB_GETTEXTA, WPARAM(pane), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(size_t(length));
  return text;
}

int StatusBar::Height() const {
  RECT r = {};
  ::GetWindowRect(Handle(), &r);
  return ::IsWindowVisible(Handle()) ? int(r.bottom - r.top) : 0;
}
