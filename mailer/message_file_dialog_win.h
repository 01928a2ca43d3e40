#pragma once
// The file dialogs of the message window's Open and Save.
#include <windows.h>

#include <string>

// The message file the user chose, with ".txt" added when the name lacks it. Save asks before
// replacing a file, and asks about the file that will be written, the one with ".txt".
bool ChooseMessageFile(HWND owner, bool save, std::string& path);
