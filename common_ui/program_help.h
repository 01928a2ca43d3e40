#pragma once
// The program's help: the help file beside the program, opened by WinHelp at the topic a command
// or a window asks for.
#include <windows.h>

// Help contexts of the Help menu's topics.
constexpr DWORD kUsingHelpContext = 98342;
constexpr DWORD kWarrantyContext = 98450;
// The File collision dialog's topic (dialog help numbers are 0x20000 + the template's id).
constexpr DWORD kFileCollisionContext = 0x200AC;

// Opens the help file at a topic (HELP_CONTEXT), at its contents (HELP_FINDER) or its index
// (HELP_INDEX).
void ShowHelp(HWND owner, UINT command, DWORD data);
// Help for the window with the focus: its help context when it (or a window it lies in) has
// one, the contents otherwise.
void ShowContextHelp(HWND owner);
