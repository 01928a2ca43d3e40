#pragma once
// The batch-print job: every file of the list on pages laid out by the "Batch Print" values, one
// picture a cell, each file in "copies" consecutive cells, with frame lines and text areas when
// chosen. It runs to its end on the calling (user-interface) thread with the shared progress
// window, whose Cancel ends the page in progress and aborts the document.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app_settings.h"

struct BatchPrintRequest {
  HWND owner = nullptr;  // disabled while the job runs; owns the messages and the progress
  HDC printer = nullptr;  // the printer's device context; the job neither creates nor deletes it
  std::vector<std::string> files;
  int skip = 0;  // cells left empty at the start of the first page
  // The file's annotation, empty when it has none.
  std::function<std::string(const std::string& path)> annotation;
};

enum class BatchPrintEnd {
  kNotStarted,  // refused, or the printer would not start the document: told the user
  kPrinted,
  kCancelled,   // by the progress window's Cancel: the document was aborted
};

// Prints; "copies" is kept within 1..kMaxBatchCopies in print.
BatchPrintEnd RunBatchPrintJob(const BatchPrintRequest& request, CAppSettings::BatchPrint& print);
