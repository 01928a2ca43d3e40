#pragma once
// Saving a picture under a name the user chooses: the save dialog, the File Save Options sheet
// when asked for, and the save with the library's settings. A failed save is told the user and
// leaves the picture and any file already there as they were.
#include <windows.h>

#include <string>

#include "Cimage.h"

// kCancelled: the dialog was cancelled; kRefused: the type was refused or its options sheet
// cancelled; kFailed: the file could not be written.
enum class SaveAsOutcome { kSaved, kCancelled, kRefused, kFailed };

// fileName: the name the dialog proposes (its type is left to the dialog). optionsAsked: the
// user held Ctrl or Shift, so the sheet opens whatever "confirm" says. On kSaved, savedPath is
// the file written.
SaveAsOutcome SaveImageAs(HWND owner, Cimage& picture, const std::string& fileName, bool optionsAsked,
                          std::string& savedPath);

// Ctrl or Shift held now.
bool SaveOptionsAsked();
