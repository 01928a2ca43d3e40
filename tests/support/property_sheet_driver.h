#pragma once
// Drives a property sheet from the test's second thread: its tabs, the page in front, switching
// pages and pressing its buttons. Everything that may open a message box is posted, so a sheet
// that refuses to close never blocks the driver.
#include <windows.h>

#include "ui_driver.h"

#include <string>
#include <vector>

std::vector<std::string> SheetTabs(HWND sheet);
int SheetCurrentTab(HWND sheet);
HWND SheetPage(HWND sheet, int index);
// Brings a page to the front; true when it got there (leaving the old page may be refused).
bool ShowSheetPage(HWND sheet, int index);
// PSBTN_OK or PSBTN_CANCEL.
void PressSheetButton(HWND sheet, int button);
// Waits until the window is gone; true when it went.
bool WaitUntilClosed(HWND window, DWORD milliseconds = 30000);
std::string ControlText(HWND dialog, int id);
// The texts of a window's children in their order (a control without text gives "").
std::vector<std::string> ChildTexts(HWND parent);
