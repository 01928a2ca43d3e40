#include "frame_window.h"

#include <commctrl.h>

#include "app.h"

namespace {

constexpr char kIdlePrompt[] = "Ready";

}  // namespace

bool FrameWindow::CreateFrame(const char* title, DWORD style, DWORD exStyle, const RECT& area, int menuId,
                              int acceleratorsId, HICON icon) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  HMENU menu = menuId ? ::LoadMenuA(instance, MAKEINTRESOURCEA(menuId)) : nullptr;
  if (acceleratorsId) accelerators_ = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(acceleratorsId));
  const char* className = RegisterWindowClass("VireldanFrame", reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1),
                                              CS_DBLCLKS, icon);
  return Create(exStyle, title, style, area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr,
                menu, className);
}

void FrameWindow::RecalcLayout() {
  if (!Handle()) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  int top = 0, bottom = client.bottom;
  if (toolBar_.Handle()) {
    ::SendMessageA(toolBar_.Handle(), TB_AUTOSIZE, 0, 0);
    top = toolBar_.Height();
  }
  if (statusBar_.Handle()) {
    statusBar_.Resize();
    bottom -= statusBar_.Height();
  }
  if (client_) ::MoveWindow(client_, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

bool FrameWindow::RouteCommand(UINT id) {
  if (activeView_ && activeView_->OnCommand(id)) return true;
  if (OnCommand(id)) return true;
  App* app = App::Instance();
  return app && app->OnCommand(id);
}

bool FrameWindow::RouteUpdate(CommandState& state) {
  if (activeView_ && activeView_->OnUpdateCommand(state)) return true;
  if (OnUpdateCommand(state)) return true;
  App* app = App::Instance();
  return app && app->OnUpdateCommand(state);
}

void FrameWindow::UpdateControlBars() {
  if (!toolBar_.Handle()) return;
  struct FrameRoute : CommandTarget {
    FrameWindow* frame;
    bool OnUpdateCommand(CommandState& state) override { return frame->RouteUpdate(state); }
  } route;
  route.frame = this;
  toolBar_.UpdateButtons(route);
}

void FrameWindow::UpdateMenu(HMENU menu) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    if (id == 0 || id == UINT(-1)) continue;  // separators and submenus
    CommandState state;
    state.id = id;
    if (!RouteUpdate(state)) state.enabled = false;
    ::EnableMenuItem(menu, UINT(i), MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, UINT(i), MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void FrameWindow::ShowPrompt(UINT id, UINT flags, HMENU menu) {
  if (!statusBar_.Handle()) return;
  if (flags == 0xFFFF && !menu) {
    statusBar_.SetPaneText(0, kIdlePrompt);
    return;
  }
  statusBar_.SetPaneText(0, (flags & (MF_POPUP | MF_SEPARATOR)) ? std::string() : CommandPrompt(id));
}

bool FrameWindow::PreTranslateMessage(MSG& message) {
  // Keys typed into an edit control (a label being renamed, a text field) are the control's own:
  // Delete, Escape and F2 must not turn into commands there.
  char className[16] = {};
  if (message.hwnd) ::GetClassNameA(message.hwnd, className, sizeof className);
  if (::lstrcmpiA(className, "Edit") == 0) return false;
  return accelerators_ && ::TranslateAcceleratorA(Handle(), accelerators_, &message);
}

LRESULT FrameWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreateFrame() ? 0 : -1;
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_COMMAND:
      // Menus, accelerators and the toolbar's buttons; controls' own notifications go on.
      if (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolBar_.Handle()) {
        RouteCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lParam)) UpdateMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      ShowPrompt(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == TTN_GETDISPINFOA) {
        static std::string tip;  // the tool tip keeps the pointer until it asks again
        tip = CommandTip(UINT(header->idFrom));
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(tip.c_str());
        return 0;
      }
      break;
    }
    case WM_SETFOCUS:
      if (activeView_ && activeView_->Handle()) ::SetFocus(activeView_->Handle());
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      if (App::Instance() && App::Instance()->MainWindow() == Handle()) ::PostQuitMessage(0);
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}
