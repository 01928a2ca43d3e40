#pragma once
// Runs the test thread's message loop while waiting for what the windows under test do.
#include <windows.h>

#include <functional>

// Runs the message loop until done() or the time is up; done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 60000);
// Runs the message loop for a while (for what has no condition to wait on).
void Pump(DWORD milliseconds);
