#pragma once
// Runs the test thread's message loop while waiting for what the windows under test do.
#include <windows.h>

#include <functional>

// Handles what is queued for this thread until done() holds or the time is up; done()'s last
// answer.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);
