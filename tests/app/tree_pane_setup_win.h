#pragma once
// What the tests of the folder tree pane share: the program's settings for a tree over a test's
// folder, and the pane in a window of its own.
#include <windows.h>

#include <string>

#include "window.h"

class CDirTreeView;

// The desktop is the test's folder; no home folder, no start folder from the command line.
void SetTreePaneGlobals(const std::string& desktopFolder);
// The host window (under the caption "Folder tree pane") with the pane filling it.
bool CreateTreePaneWindow(Window& host, CDirTreeView& pane);
