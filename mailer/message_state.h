#pragma once
// One message window's record, shared with its sending thread. While "sending" is set the
// window refuses everything that would change what the thread reads (its input controls, Open,
// Attachments, dropped files); the window frees the record only after the thread has ended and
// no dialog of the window is up.
#include <windows.h>

#include <string>
#include <vector>

#include "mailer_settings.h"

// Private messages from the sending thread to its window.
enum : UINT {
  WM_MAIL_PROGRESS = 1124,  // wParam: percentage
  WM_MAIL_STATUS = 1125,    // lParam: a std::string* the window deletes
  WM_MAIL_DONE = 1126,
  WM_MAIL_STOPPED = 1127,
  WM_MAIL_ERROR = 1128,
};

// The attachment list keeps the stored list's bound: 65000 bytes as a double-NUL list.
constexpr size_t kAttachmentListBytes = 65000;

struct MessageWindowState {
  HWND window = nullptr;
  volatile LONG stop = 0;
  LONG sending = 0;
  std::string to, cc, subject, body;
  std::vector<std::string> attachments;
  MailerSettings settings;  // copied at Send
  int result = 0;
  std::string errorText;
  HANDLE thread = nullptr;
  bool closeWhenStopped = false;
  // Dialogs and boxes the window has up; the send's outcome waits until they have gone.
  int modalDepth = 0;
  UINT deferredOutcome = 0;

  // Adds a path when the list has room for it; false when it is full.
  bool AddAttachment(const std::string& path);
};
