#pragma once
// The Quick Web run on a thread of its own at below-normal priority, with the shared progress
// window and its Cancel. It reads the job until it posts WM_QUICKWEB_DONE to the main window
// (lParam 1 when the index page could not be made, else 0), which then frees the job; when the
// index page is complete it is opened with the shell.
#include <windows.h>

#include "quick_web_run.h"

// False when no thread could be made.
bool StartQuickWebThread(const QuickWebJob* job, HWND mainWindow);

// The program is ending: the run stops after its current picture, opens nothing, and is waited
// for (answering the messages it sends) at most the time given; true when it has ended.
bool StopQuickWebThread(DWORD milliseconds);
