#include "hotkeys_dlg.h"

#include "resource.h"

CHotKeysDlg::CHotKeysDlg() : Dialog(IDD_HOTKEYS) {}
