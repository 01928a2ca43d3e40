#pragma once
// Putting a picture on the clipboard, as its one format: a device-independent bitmap.
#include <windows.h>

#include "Cimage.h"

// True when the clipboard holds the picture; false (the clipboard as it was, or emptied) when it
// could not be opened or the memory not had.
bool CopyPictureToClipboard(HWND owner, const Cimage& picture);
