#pragma once
// The shared progress display for long operations. The caller owns the record and changes its
// texts and position; a modeless dialog on a thread of its own shows them, so the display stays
// alive while the caller's loop keeps its own thread busy. Cancel sets g_bCancel, which the
// caller's loop polls between steps. The record must live until Close has returned.
#include <windows.h>

#include <atomic>
#include <mutex>

#include "worker_thread.h"

// Cleared by every progress record and by long operations before they start; set by Cancel and
// by Escape in counting loops.
extern std::atomic<int> g_bCancel;

class CProgressWnd {
 public:
  static constexpr int kTextSize = 500;

  CProgressWnd(HWND owner, bool hideBar);
  ~CProgressWnd();
  CProgressWnd(const CProgressWnd&) = delete;
  CProgressWnd& operator=(const CProgressWnd&) = delete;

  void Show(bool show);
  void SetPos(int position, int rangeMaximum);
  void SetTitle(const char* text);
  void SetLines(const char* line1, const char* line2);
  void SetLine1(const char* text);
  void SetLine2(const char* text);
  // Ends the dialog and waits for its thread.
  void Close();

 private:
  struct Texts {
    char title[kTextSize];
    char line1[kTextSize];
    char line2[kTextSize];
  };
  enum Change : unsigned { kTitle = 1, kPosition = 2, kLine1 = 4, kLine2 = 8, kAll = 15 };

  void Changed(unsigned what);
  // Serves the messages waiting for the caller's thread, now and then.
  void KeepCallerResponsive();
  void SetText(Change which, const char* text);
  void RunDialogThread();
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyChanges(HWND dialog);
  void OnCancelPressed(HWND dialog);

  HWND owner_;
  const bool hideBar_;
  std::atomic<HWND> dialog_{nullptr};
  std::atomic<bool> done_{false};
  std::atomic<bool> showRequest_{true};
  std::atomic<bool> hideRequest_{false};
  std::atomic<unsigned> changes_{kAll};
  std::atomic<bool> refreshPosted_{false};
  static constexpr DWORD kDispatchInterval = 50;  // milliseconds
  DWORD lastDispatch_ = 0;
  std::atomic<int> position_{0};
  std::atomic<int> range_{100};
  std::mutex textLock_;  // the texts are copied in and out under it, never displayed under it
  Texts texts_ = {};
  WorkerThread thread_;
};
