#pragma once
// A failure that no code path expected (an exception that reached a window procedure or the end
// of a worker thread) is told to the user, never dropped: the box says what failed.
#include <exception>

// The sentence the box shows for the failure.
const char* UnexpectedFailureText(std::exception_ptr failure);

// Shows the failure's box on the calling thread. A failure while that thread already shows one
// (a paint that fails again under the box) adds no second box.
void ReportUnexpectedFailure(std::exception_ptr failure);
