#include "capture_hotkey_dlg.h"

#include <commctrl.h>

#include "resource.h"

CCaptureHotKeyDlg::CCaptureHotKeyDlg(int key, int modifierFlags)
    : Dialog(IDD_CAPTURE_HOTKEY), virtualKey(key), modifiers(modifierFlags) {}

bool CCaptureHotKeyDlg::OnInitDialog() {
  ::SendMessageA(Item(IDC_CAPTURE_HOTKEY), HKM_SETHOTKEY, MAKEWORD(virtualKey & 0xFF, modifiers & 0xFF), 0);
  return Dialog::OnInitDialog();
}

void CCaptureHotKeyDlg::OnOK() {
  const LRESULT hotkey = ::SendMessageA(Item(IDC_CAPTURE_HOTKEY), HKM_GETHOTKEY, 0, 0);
  virtualKey = LOBYTE(LOWORD(hotkey));
  modifiers = HIBYTE(LOWORD(hotkey));
  keyText = ItemText(IDC_CAPTURE_HOTKEY);
  EndDialog(IDOK);
}
