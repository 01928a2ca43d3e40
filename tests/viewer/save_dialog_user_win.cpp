#include "save_dialog_user_win.h"

#include <dlgs.h>

#include "property_sheet_driver.h"
#include "ui_driver.h"

namespace {

constexpr char kCaption[] = "Save As";

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM data) {
  OwnedSearch* search = reinterpret_cast<OwnedSearch*>(data);
  if (::GetWindow(window, GW_OWNER) != search->owner || !::IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// A window the dialog opened over itself (the replace question), if one comes.
HWND WaitForOwnedWindow(HWND owner, DWORD milliseconds) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        OwnedSearch search = {owner, nullptr};
        ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), MatchOwned, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr || !::IsWindow(owner);
      },
      milliseconds);
  return found;
}

// The file name box: an edit in the classic template, a combo box in the newer one.
HWND NameBox(HWND dialog) {
  if (HWND edit = ::GetDlgItem(dialog, edt1)) return edit;
  return ::GetDlgItem(dialog, cmb13);
}

std::vector<std::string> Types(HWND dialog) {
  std::vector<std::string> types;
  HWND combo = ::GetDlgItem(dialog, cmb1);
  const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    types.push_back(text);
  }
  return types;
}

}  // namespace

bool AnswerSaveDialog(const std::string& path, SaveDialogView* view, DWORD milliseconds) {
  HWND dialog = WaitForWindow(kCaption, milliseconds);
  return dialog && AnswerSaveDialogWindow(dialog, path, view);
}

namespace {

// The dialog fills its controls after it shows.
void WaitUntilFilled(HWND dialog) {
  WaitFor([&] { return ::SendMessageA(::GetDlgItem(dialog, cmb1), CB_GETCOUNT, 0, 0) > 0; });
}

}  // namespace

std::string SaveAnsweringReplace(const std::string& path, int button, DWORD milliseconds) {
  HWND dialog = WaitForWindow(kCaption, milliseconds);
  if (!dialog) return "(no save dialog)";
  WaitUntilFilled(dialog);
  ::SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PressButton(dialog, IDOK);
  std::string text = "(no question)";
  if (HWND question = WaitForOwnedWindow(dialog, 3000)) {
    text = ControlText(question, 0xFFFF);
    PressButton(question, button);
    WaitUntilClosed(question);
    if (button == IDNO) PressButton(dialog, IDCANCEL);
  }
  WaitUntilClosed(dialog);
  return text;
}

bool AnswerSaveDialogWindow(HWND dialog, const std::string& path, SaveDialogView* view) {
  WaitUntilFilled(dialog);
  if (view) {
    view->proposedName = ControlText(dialog, ::GetDlgCtrlID(NameBox(dialog)));
    view->types = Types(dialog);
  }
  if (path.empty()) {
    PressButton(dialog, IDCANCEL);
  } else {
    ::SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
    if (HWND question = WaitForOwnedWindow(dialog, 3000)) {
      PressButton(question, IDYES);
      WaitUntilClosed(question);
    }
  }
  return WaitUntilClosed(dialog);
}
