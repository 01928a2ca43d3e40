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

// Prints; "copies" below 1 becomes 1 in print. Every failure is told the user. False when
// nothing was sent to the printer.
bool RunBatchPrintJob(const BatchPrintRequest& request, CAppSettings::BatchPrint& print);
