#pragma once
// A real OLE drag of files onto a window under test: the program's own drag source offers a
// CF_HDROP block, the pointer moves to the point through the input queue, and the button comes
// up there once the test says so, with Ctrl and Shift held as asked. The drag loop runs on the
// calling thread, as the system's does.
#include <windows.h>

#include <functional>
#include <string>

struct DragKeys {
  bool control = false;
  bool shift = false;
};

// Moves the pointer to the point, presses the button and the keys, and runs the drag (which
// starts an OLE drag loop on this thread and returns its effect). The button stays down for some
// rounds of the drag loop, as a user's hand would, then comes up as soon as done() holds.
DWORD DragOnto(HWND window, POINT client, DragKeys keys, const std::function<DWORD()>& drag,
               const std::function<bool()>& done = [] { return true; });

// The program's own drag source offering the block; the effect the drop target chose
// (DROPEFFECT_NONE when it refused).
DWORD DragFilesOnto(HWND window, POINT client, const std::string& block, DWORD allowedEffects, DragKeys keys,
                    const std::function<bool()>& done = [] { return true; });
// The same with a block of another clipboard format (text, say) in place of the file list.
DWORD DragBlockOnto(HWND window, POINT client, UINT format, const std::string& block, DWORD allowedEffects,
                    DragKeys keys);
