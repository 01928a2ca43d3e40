#pragma once
// The system's dialogs that ask for a picture file to open or a name to save under, starting in
// the current directory and leaving it as it was.
#include <windows.h>

#include <string>

// filter: descriptions and patterns separated by "|", ended by "||". proposedName: the name the
// dialog starts with (may be empty). flags: the OFN_ options beyond the common ones. On true,
// path is the chosen file's full path; false when the user cancelled.
bool AskPictureFile(HWND owner, bool save, const char* filter, const std::string& proposedName, DWORD flags,
                    std::string& path);
