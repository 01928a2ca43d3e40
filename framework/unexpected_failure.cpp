#include "unexpected_failure.h"

#include <windows.h>

#include <new>
#include <stdexcept>

#include "app.h"

const char* UnexpectedFailureText(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {  // a size no buffer could take
  } catch (...) {
    return "The operation could not be completed because of an unexpected error.";
  }
  return "There is not enough memory to complete the operation.";
}

void ReportUnexpectedFailure(std::exception_ptr failure) {
  static thread_local bool reporting = false;
  if (reporting) return;
  reporting = true;
  // Task-modal: none of the thread's windows takes input while the user reads it, whatever state
  // the failed handler left them in.
  ::MessageBoxA(nullptr, UnexpectedFailureText(failure), MessageCaption(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  reporting = false;
}
