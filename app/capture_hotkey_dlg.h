#pragma once
// Picks the key combination of the screen capture in a hot-key control. Modifiers are the
// control's flags (kHotkeyShift, kHotkeyControl, kHotkeyAlt of hotkey_text.h).
#include <string>

#include "dialog.h"

class CCaptureHotKeyDlg : public Dialog {
 public:
  CCaptureHotKeyDlg(int virtualKey, int modifiers);
  int virtualKey;
  int modifiers;
  std::string keyText;  // as the control shows it, after OK

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};
