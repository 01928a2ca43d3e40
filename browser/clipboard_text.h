#pragma once
// Text for other programs to paste: placed on the clipboard as CF_TEXT.
#include <windows.h>

#include <string>

// Replaces the clipboard's contents by the text, owned by the window. False when the clipboard
// could not be opened or the text not stored (what was on it may then be gone).
bool PutTextOnClipboard(HWND owner, const std::string& text);
