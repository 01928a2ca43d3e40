#include "dialog_user_win.h"

#include <commctrl.h>

#include <cstdlib>

#include "device_context.h"
#include "ui_driver.h"

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<std::string> ControlTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    ::GetClassNameA(child, className, sizeof className);
    // The tip window is the dialog's too, but no control of its template.
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) texts.push_back(TextOf(child));
  }
  return texts;
}

namespace {

BOOL CALLBACK FindTips(HWND window, LPARAM found) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

std::string TipText(HWND dialog, int id) {
  HWND tips = nullptr;
  ::EnumThreadWindows(::GetWindowThreadProcessId(dialog, nullptr), FindTips, reinterpret_cast<LPARAM>(&tips));
  if (!tips) return "(no tip window)";
  char text[1024] = {};
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, id));
  tool.lpszText = text;
  ::SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

void Click(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

HeldKey::HeldKey(HWND dialog, int key) : key_(key) {
  if (!key_) return;
  // Sharing the dialog thread's input state makes this thread's key state the one it reads.
  target_ = ::GetWindowThreadProcessId(dialog, nullptr);
  attached_ = ::AttachThreadInput(::GetCurrentThreadId(), target_, TRUE) != FALSE;
  Set(0x80);
}

HeldKey::~HeldKey() {
  if (!key_) return;
  Set(0);
  if (attached_) ::AttachThreadInput(::GetCurrentThreadId(), target_, FALSE);
}

void HeldKey::Set(BYTE state) const {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[key_] = state;
  ::SetKeyboardState(keys);
}

Cimage ShownPicture(HWND window, bool wholeWindow, const char* name, bool redraw) {
  if (redraw)
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT area = {};
  if (wholeWindow) {
    ::GetWindowRect(window, &area);
    ::OffsetRect(&area, -area.left, -area.top);
  } else {
    ::GetClientRect(window, &area);
  }
  Cimage shown;
  {
    HDC dc = wholeWindow ? ::GetWindowDC(window) : ::GetDC(window);
    shown.FromDC(dc, area.right, area.bottom);
    ::ReleaseDC(window, dc);
  }
  const char* folder = std::getenv("VIRELDAN_SCREENSHOTS");
  if (folder && name) shown.SaveImage((std::string(folder) + "\\" + name + ".png").c_str());
  return shown;
}

Cimage ShownPictureOnce(HWND window, const std::function<bool(Cimage&)>& painted, DWORD milliseconds) {
  Cimage shown = ShownPicture(window);
  for (const DWORD start = ::GetTickCount(); !painted(shown) && ::GetTickCount() - start < milliseconds;) {
    ::Sleep(50);
    shown = ShownPicture(window);
  }
  return shown;
}
