// The library's three entry points, exported under their plain names (postlark.def).
#include <windows.h>
#include <commctrl.h>

#include "mailer_dialogs_win.h"
#include "mailer_registry_win.h"
#include "postlark_resource.h"

extern "C" int Postlark_Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  LoadMailerSettings(g_mailerSettings);
  return 0;
}

extern "C" HWND Postlark_NewEmailMessage(HWND parent, const char* attachments) {
  HWND window = ::CreateDialogParamA(PostlarkModule(), MAKEINTRESOURCEA(IDD_MESSAGE), parent, MessageWindowProc,
                                     reinterpret_cast<LPARAM>(attachments));
  if (window) ::ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

extern "C" int Postlark_HelpContext() { return g_helpContext; }
