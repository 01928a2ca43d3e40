#pragma once
// Drags a CF_HDROP block (a DROPFILES header and its list of paths) out of the program with OLE
// drag and drop; the drop target decides what happens to the files.
#include <windows.h>

#include <string>

// Runs the drag until it ends; the effect the target chose (DROPEFFECT_NONE when the drag was
// cancelled or the block could not be offered).
DWORD DragDropFiles(const std::string& block, DWORD allowedEffects);
// The same for a block of any clipboard format, such as text.
DWORD DragDropBlock(UINT format, const std::string& block, DWORD allowedEffects);
