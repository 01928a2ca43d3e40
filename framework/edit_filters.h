#pragma once
// Edit controls that refuse characters as they are typed: paths take only path characters,
// file names none that Windows forbids in names (rules in edit_char_rules.h). Attach one to a
// dialog's edit with Subclass in OnInitDialog.
#include "window.h"

class CPathCharEdit : public Window {
 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CFileNameEdit : public Window {
 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
