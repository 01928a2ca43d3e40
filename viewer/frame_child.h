#pragma once
// Dialogs place their custom windows with a frame control of the template: the window becomes a
// visible, bordered child of the frame that fills its client area, with the frame's control id.
#include <windows.h>

#include "window.h"

bool CreateInsideFrame(Window& child, HWND frame);
