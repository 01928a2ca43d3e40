// The main frame's entries for printing one picture, on the program's chosen printer.
#include "main_frame.h"
#include "private_messages.h"
#include "single_print.h"
#include "vireldan_app.h"

void CMainFrame::PrintImageFile(std::string path) {
  ::SetFocus(Handle());
  PrintPictureFile(Handle(), theApp.Printer(), path);
}

void CMainFrame::PrintImage(Cimage* image) {
  if (image) PrintPicture(Handle(), theApp.Printer(), *image);
}

void CMainFrame::QueuePrintImageFile(const std::string& path) {
  queuedPrints_.push_back(path);
  ::PostMessageA(Handle(), WM_PRINT_QUEUED, 0, 0);
}

void CMainFrame::PrintQueuedFile() {
  if (queuedPrints_.empty()) return;
  const std::string path = queuedPrints_.front();
  queuedPrints_.erase(queuedPrints_.begin());
  PrintImageFile(path);
}
