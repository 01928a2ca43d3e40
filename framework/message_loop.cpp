#include "message_loop.h"

#include "window.h"

bool MessageLoop::PreTranslate(MSG& message) {
  if (firstLook && firstLook(message)) return true;
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
