#pragma once
// Thumbwell.exe as a user runs it, started from the calling program's folder and found by its
// dialog: a folder picked, "Build cache" pressed, the closing report waited for, the dialog ended.
#include <windows.h>

#include <string>

class RunningThumbwell {
 public:
  RunningThumbwell();
  // Waits for the process to end by itself (as it does once its dialog ends), then lets it go.
  ~RunningThumbwell();
  RunningThumbwell(const RunningThumbwell&) = delete;
  RunningThumbwell& operator=(const RunningThumbwell&) = delete;

  // Null when the dialog did not come up.
  HWND Dialog() const { return dialog_; }
  // Selects the folder in the dialog's tree; false when the tree has no such folder.
  bool Select(const std::string& folder) const;
  void PressBuild() const;
  // Waits until the build's closing report shows; the report, or empty when none came in time.
  std::string WaitForReport(DWORD milliseconds = 120000) const;
  std::string ItemText(int id) const;
  // Presses Exit.
  void Exit() const;
  // Ended by itself, with its window, within the time.
  bool Ended(DWORD milliseconds) const;

 private:
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
};
