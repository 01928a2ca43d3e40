#include "setup_dialogs_win.h"

#include "unfurl_resource.h"

namespace {

void CenterWindowOnScreen(HWND window) {
  RECT desktop, own;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  ::MoveWindow(window, desktop.left + (desktop.right - desktop.left - width) / 2,
               desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height, FALSE);
}

// The OK button ends with 1, Cancel (and the close box) with 0; the dialog is centred.
bool HandleCommonMessage(HWND dialog, UINT message, WPARAM wParam) {
  if (message == WM_INITDIALOG) CenterWindowOnScreen(dialog);
  if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return false;
  ::EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
  return true;
}

INT_PTR CALLBACK MessageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return HandleCommonMessage(dialog, message, wParam) || message == WM_INITDIALOG;
}

std::string AgreementText() {
  const HRSRC resource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_AGREEMENT_TEXT), "BINTXT");
  const HGLOBAL loaded = resource ? ::LoadResource(nullptr, resource) : nullptr;
  const char* text = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  if (!text) return "";
  // An edit control breaks lines only at CR LF.
  std::string result;
  for (const char* c = text; c != text + ::SizeofResource(nullptr, resource); ++c) {
    if (*c == '\n' && (result.empty() || result.back() != '\r')) result += '\r';
    result += *c;
  }
  return result;
}

// The text opens unselected, with "Accept" as the focus.
INT_PTR CALLBACK AgreementDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_INITDIALOG) return HandleCommonMessage(dialog, message, wParam);
  HandleCommonMessage(dialog, message, wParam);
  ::SetDlgItemTextA(dialog, IDC_AGREEMENT_TEXT, AgreementText().c_str());
  ::SetFocus(::GetDlgItem(dialog, IDOK));
  return FALSE;
}

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static InstallChoices* choices = nullptr;
  if (message == WM_INITDIALOG) {
    choices = reinterpret_cast<InstallChoices*>(lParam);
    ::SendDlgItemMessageA(dialog, IDC_TARGET, EM_LIMITTEXT, MAX_PATH - 1, 0);
    ::SetDlgItemTextA(dialog, IDC_TARGET, choices->target.c_str());
    ::CheckDlgButton(dialog, IDC_START_MENU_LINK, choices->startMenuLink ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, IDC_DESKTOP_LINK, choices->desktopLink ? BST_CHECKED : BST_UNCHECKED);
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_OPTIONS_HELP) {
    ShowMessageDialog(IDD_HELP);
    return TRUE;
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    char target[MAX_PATH] = {};
    ::GetDlgItemTextA(dialog, IDC_TARGET, target, MAX_PATH);
    choices->target = target;
    choices->startMenuLink = ::IsDlgButtonChecked(dialog, IDC_START_MENU_LINK) == BST_CHECKED;
    choices->desktopLink = ::IsDlgButtonChecked(dialog, IDC_DESKTOP_LINK) == BST_CHECKED;
  }
  return HandleCommonMessage(dialog, message, wParam) || message == WM_INITDIALOG;
}

}  // namespace

INT_PTR ShowAgreement() { return ::DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_AGREEMENT), nullptr, AgreementDlgProc, 0); }

INT_PTR ShowOptions(InstallChoices& choices) {
  return ::DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, OptionsDlgProc, LPARAM(&choices));
}

INT_PTR ShowMessageDialog(int id) {
  return ::DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), ::GetActiveWindow(), MessageDlgProc, 0);
}

void ShowInstallError(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), "Install error", MB_OK | MB_ICONEXCLAMATION);
}
