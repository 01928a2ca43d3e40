#pragma once
// File > Open and Open 1:1: the system's file-open dialog on the picture types the program reads.
#include <windows.h>

#include <string>

// The chosen file's full path; false when the user cancelled.
bool AskPictureToOpen(HWND owner, std::string& path);
