#include "progress_window.h"

#include <commctrl.h>

#include <cstring>

#include "message_loop.h"
#include "resource.h"

std::atomic<int> g_bCancel{0};

namespace {

constexpr UINT kRefresh = 0x427;  // apply the changes now
constexpr UINT kClose = 0x429;    // destroy the dialog
constexpr UINT_PTR kTimer = 256;
constexpr unsigned kStackSize = 20000;

void CopyText(char (&to)[CProgressWnd::kTextSize], const char* from) {
  std::strncpy(to, from ? from : "", CProgressWnd::kTextSize - 1);
  to[CProgressWnd::kTextSize - 1] = '\0';
}

}  // namespace

CProgressWnd::CProgressWnd(HWND owner, bool hideBar) : owner_(owner), hideBar_(hideBar) {
  g_bCancel = 0;
  CopyText(texts_.title, "Progress ...");
  if (!thread_.Start([this] { RunDialogThread(); }, THREAD_PRIORITY_NORMAL, kStackSize)) done_ = true;
}

CProgressWnd::~CProgressWnd() { Close(); }

void CProgressWnd::Changed(unsigned what) {
  changes_ |= what;
  // One refresh waits at a time: it applies every change made before the dialog gets to it.
  if (HWND dialog = dialog_)
    if (!refreshPosted_.exchange(true)) ::PostMessageA(dialog, kRefresh, 0, 0);
}

void CProgressWnd::KeepCallerResponsive() {
  // A batch of small files changes the display far more often than anyone could see; the caller's
  // own windows are served at a pace a user notices, not at every change.
  const DWORD now = ::GetTickCount();
  if (now - lastDispatch_ < kDispatchInterval) return;
  lastDispatch_ = now;
  MessageLoop::DispatchWaiting();
}

void CProgressWnd::Show(bool show) {
  MessageLoop::DispatchWaiting();
  (show ? showRequest_ : hideRequest_) = true;
  Changed(0);
}

void CProgressWnd::SetPos(int position, int rangeMaximum) {
  KeepCallerResponsive();
  position_ = position;
  range_ = rangeMaximum;
  Changed(kPosition);
}

void CProgressWnd::SetText(Change which, const char* text) {
  KeepCallerResponsive();
  {
    std::lock_guard<std::mutex> hold(textLock_);
    CopyText(which == kTitle ? texts_.title : which == kLine1 ? texts_.line1 : texts_.line2, text);
  }
  Changed(which);
}

void CProgressWnd::SetTitle(const char* text) { SetText(kTitle, text); }

void CProgressWnd::SetLines(const char* line1, const char* line2) {
  SetText(kLine1, line1);
  SetText(kLine2, line2);
}

void CProgressWnd::SetLine1(const char* text) { SetText(kLine1, text); }

void CProgressWnd::SetLine2(const char* text) { SetText(kLine2, text); }

void CProgressWnd::Close() {
  while (!done_) {
    MessageLoop::DispatchWaiting();
    if (HWND dialog = dialog_) ::PostMessageA(dialog, kClose, 0, 0);
    ::Sleep(10);
  }
  thread_.Wait();
}

void CProgressWnd::RunDialogThread() {
  HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
  dialog_ = dialog;
  while (dialog && !g_bCancel && ::IsWindow(dialog)) {
    MSG message;
    while (!g_bCancel && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!::IsDialogMessageA(dialog, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
    }
    ::Sleep(20);
  }
  // After Cancel the dialog is hidden but still exists: it belongs to this thread, so it goes now.
  if (::IsWindow(dialog)) ::DestroyWindow(dialog);
  dialog_ = nullptr;
  done_ = true;
}

INT_PTR CALLBACK CProgressWnd::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CProgressWnd* self = reinterpret_cast<CProgressWnd*>(::GetWindowLongPtrA(dialog, GWLP_USERDATA));
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
      self = reinterpret_cast<CProgressWnd*>(lParam);
      ::SetTimer(dialog, kTimer, 250, nullptr);
      ::ShowWindow(dialog, SW_SHOWNORMAL);
      if (self->hideBar_) ::ShowWindow(::GetDlgItem(dialog, IDC_PROGRESS_BAR), SW_HIDE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PROGRESS_CANCEL || LOWORD(wParam) == IDCANCEL) self->OnCancelPressed(dialog);
      return TRUE;
    case kRefresh:
      if (self) {
        self->refreshPosted_ = false;
        self->ApplyChanges(dialog);
      }
      return TRUE;
    case WM_TIMER:
      if (self) self->ApplyChanges(dialog);
      return TRUE;
    case kClose:
      ::DestroyWindow(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

void CProgressWnd::OnCancelPressed(HWND dialog) {
  if (owner_) ::SetForegroundWindow(owner_);
  ::ShowWindow(dialog, SW_HIDE);
  g_bCancel = 1;
}

void CProgressWnd::ApplyChanges(HWND dialog) {
  // A pending hide wins over a pending show, whichever came first.
  if (hideRequest_.exchange(false)) {
    showRequest_ = false;
    ::ShowWindow(dialog, SW_HIDE);
  } else if (showRequest_.exchange(false)) {
    ::ShowWindow(dialog, SW_SHOWNORMAL);
  }
  const unsigned changes = changes_.exchange(0);
  if (changes & kPosition) {
    HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS_BAR);
    // The range first: a position beyond the old range would otherwise be clipped.
    ::SendMessageA(bar, PBM_SETRANGE32, 0, range_);
    ::SendMessageA(bar, PBM_SETPOS, WPARAM(position_.load()), 0);
  }
  Texts texts;
  {
    std::lock_guard<std::mutex> hold(textLock_);
    texts = texts_;
  }
  if (changes & kLine1) ::SetDlgItemTextA(dialog, IDC_PROGRESS_LINE1, texts.line1);
  if (changes & kLine2) ::SetDlgItemTextA(dialog, IDC_PROGRESS_LINE2, texts.line2);
  if (changes & kTitle) ::SetWindowTextA(dialog, texts.title);
}
