#include "message_loop.h"

#include "unexpected_failure.h"
#include "window.h"

namespace {

thread_local MessageLoop* t_lookingLoop = nullptr;

// Sees every message a loop of the thread takes from its queue: the program's own loops, and
// those Windows runs for message boxes, dialogs and menus. A message the first look takes is
// left to nobody else.
LRESULT CALLBACK FirstLookHook(int code, WPARAM removal, LPARAM lParam) {
  MessageLoop* loop = t_lookingLoop;
  if (code == HC_ACTION && removal == PM_REMOVE && loop && loop->firstLook) {
    MSG& message = *reinterpret_cast<MSG*>(lParam);
    try {
      if (loop->firstLook(message)) message.message = WM_NULL;
    } catch (...) {
      ReportUnexpectedFailure(std::current_exception());
    }
  }
  return ::CallNextHookEx(nullptr, code, removal, lParam);
}

// The first look, for the thread, while the loop runs.
class FirstLookScope {
 public:
  explicit FirstLookScope(MessageLoop& loop) {
    if (!loop.firstLook || t_lookingLoop) return;
    hook_ = ::SetWindowsHookExA(WH_GETMESSAGE, FirstLookHook, nullptr, ::GetCurrentThreadId());
    if (hook_) t_lookingLoop = &loop;
  }
  ~FirstLookScope() {
    if (!hook_) return;
    ::UnhookWindowsHookEx(hook_);
    t_lookingLoop = nullptr;
  }
  FirstLookScope(const FirstLookScope&) = delete;
  FirstLookScope& operator=(const FirstLookScope&) = delete;

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace

bool MessageLoop::PreTranslate(MSG& message) {
  for (HWND hwnd = message.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    Window* window = Window::FromHandle(hwnd);
    if (window && window->PreTranslateMessage(message)) return true;
  }
  if (LentToMainWindow(message)) return true;
  return preTranslate && preTranslate(message);
}

// The main window's accelerators serve the program's other top-level windows too (an image
// window's Ctrl+S saves its picture), for the keys those windows lend, after their own handling.
bool MessageLoop::LentToMainWindow(MSG& message) const {
  if (!mainWindow || !message.hwnd || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)) return false;
  const HWND main = mainWindow();
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (!main || !root || root == main || !::IsWindowEnabled(main)) return false;
  Window* lender = Window::FromHandle(root);
  Window* taker = Window::FromHandle(main);
  return lender && taker && lender->LendsKeyToMainWindow(message) && taker->PreTranslateMessage(message);
}

bool MessageLoop::ResetsIdle(const MSG& message) {
  // Repaints, the caret's blink timer and the mouse standing still do not count as activity.
  return message.message != WM_PAINT && message.message != 0x0118 && message.message != WM_MOUSEMOVE &&
         message.message != WM_NCMOUSEMOVE;
}

int MessageLoop::Run() {
  const FirstLookScope looking(*this);
  long idleCount = 0;
  bool idle = true;
  MSG message;
  for (;;) {
    while (idle && onIdle && !::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!onIdle(idleCount++)) idle = false;
    }
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) return got == 0 ? int(message.wParam) : -1;
    if (!message.hwnd && onThreadMessage) {
      onThreadMessage(message);
    } else if (!PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (ResetsIdle(message)) {
      idle = true;
      idleCount = 0;
    }
  }
}

void MessageLoop::DispatchWaiting() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(int(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}
