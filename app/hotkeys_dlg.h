#pragma once
// The reference card of the program's keyboard shortcuts.
#include "dialog.h"

class CHotKeysDlg : public Dialog {
 public:
  CHotKeysDlg();
};
