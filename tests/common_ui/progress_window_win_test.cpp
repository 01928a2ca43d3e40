// The progress window: its own thread, texts set before it exists, Cancel, and the bar's range.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "progress_window.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

std::string Text(HWND window) {
  char text[600] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(ProgressWindow, TextsSetBeforeTheDialogExistsAppear) {
  CProgressWnd progress(nullptr, false);
  progress.SetTitle("Copying files");
  progress.SetLines("C:\\from\\a.jpg", "to D:\\backup");
  HWND dialog = WaitForWindow("Copying files");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(WaitFor([&] { return Text(::GetDlgItem(dialog, IDC_PROGRESS_LINE1)) == "C:\\from\\a.jpg"; }));
  EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_PROGRESS_LINE2)), "to D:\\backup");
  progress.SetLine2("second line changed");
  EXPECT_TRUE(WaitFor([&] { return Text(::GetDlgItem(dialog, IDC_PROGRESS_LINE2)) == "second line changed"; }));
  progress.Close();
  EXPECT_FALSE(::IsWindow(dialog));
}

TEST(ProgressWindow, ThePositionAndAWideRangeReachTheBar) {
  CProgressWnd progress(nullptr, false);
  HWND dialog = WaitForWindow("Progress ...");
  ASSERT_TRUE(dialog);
  HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS_BAR);
  progress.SetPos(500, 1000);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) == 500; }));
  progress.SetPos(69000, 70000);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) == 69000; }));
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 70000);
  progress.Close();
}

TEST(ProgressWindow, CancelSetsTheFlagAndHidesTheDialog) {
  g_bCancel = 1;
  CProgressWnd progress(nullptr, true);
  EXPECT_EQ(g_bCancel, 0);  // every new progress record starts uncancelled
  HWND dialog = WaitForWindow("Progress ...");
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_PROGRESS_BAR)));  // the bar stays hidden
  PressButton(dialog, IDC_PROGRESS_CANCEL);
  EXPECT_TRUE(WaitFor([] { return g_bCancel != 0; }));
  progress.Close();  // returns at once: the thread has ended
  EXPECT_EQ(g_bCancel, 1);
}

// Holds a thread inside its message loop, at the message the test posts, until released:
// suspending it anywhere else may catch it holding a lock that the test's own calls then wait for.
struct HeldMessageLoop {
  static inline const UINT kHold = ::RegisterWindowMessageA("VireldanTestHold");
  static inline HANDLE held = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  static inline HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);

  static LRESULT CALLBACK AtMessage(int code, WPARAM removed, LPARAM message) {
    if (code == HC_ACTION && removed == PM_REMOVE && reinterpret_cast<const MSG*>(message)->message == kHold) {
      ::SetEvent(held);
      ::WaitForSingleObject(release, 10000);
    }
    return ::CallNextHookEx(nullptr, code, removed, message);
  }
};

TEST(ProgressWindow, AHideRequestWinsOverAShowRequest) {
  CProgressWnd progress(nullptr, false);
  HWND dialog = WaitForWindow("Progress ...");
  ASSERT_TRUE(dialog);
  // Both requests wait together: the dialog's thread is held until both are made.
  const HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, HeldMessageLoop::AtMessage, nullptr,
                                         ::GetWindowThreadProcessId(dialog, nullptr));
  ASSERT_TRUE(hook);
  ::PostMessageA(dialog, HeldMessageLoop::kHold, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(HeldMessageLoop::held, 10000), WAIT_OBJECT_0);
  progress.Show(false);
  progress.Show(true);
  ::SetEvent(HeldMessageLoop::release);
  ::UnhookWindowsHookEx(hook);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(dialog); }));
  progress.Close();
}

}  // namespace
