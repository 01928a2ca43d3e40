#pragma once
// Runs the test thread's message loop while waiting for what the windows under test do.
#include <windows.h>

#include <functional>

// Handles what is queued for this thread until done() holds or the time is up; done()'s last
// answer.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);

// Sends the message to a window of this thread while a user, on a thread of its own, answers what
// it opens; this thread keeps handling its windows' messages until the user is done (looking for
// a window by its caption asks every window of the process for its text).
void SendAnswered(HWND window, UINT message, WPARAM wParam, const std::function<void()>& user);
