#pragma once
// Drives one of the program's dialogs as a user would: opens it modally while the steps run
// against its window from a second thread.
#include <windows.h>

#include <functional>
#include <string>

#include "dialog.h"
#include "ui_driver.h"

// The dialog's result; the steps get its window, found by caption.
INT_PTR RunModal(Dialog& dialog, const std::string& caption, const std::function<void(HWND)>& steps);

// Types the text into the control and presses OK; the message that refuses it (none: "(no
// message box)"), after which the dialog is cancelled.
std::string RefusalOf(Dialog& dialog, const std::string& caption, int id, const std::string& text);
