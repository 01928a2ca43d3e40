#pragma once
// Postlark's windows: the modeless message window and the modal dialogs it opens.
#include <windows.h>

#include <string>

struct MessageWindowState;

// The library's module, found by its file name as the host loaded it.
HINSTANCE PostlarkModule();

// The help context of whatever of Postlark's windows has the user's attention.
extern int g_helpContext;
constexpr int kHelpMessage = 0x21001;
constexpr int kHelpSettings = 0x21002;
constexpr int kHelpContacts = 0x21003;
constexpr int kHelpAttachments = 0x21004;

void CenterOnDesktop(HWND window);
std::string WindowText(HWND window, size_t limit);

INT_PTR CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ContactsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AttachmentsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
