// The window base: object lookup, reflection of a control's own notifications, shielding from
// exceptions, and the end of a window's life.
#include <windows.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "message_loop.h"
#include "scope_exit.h"
#include "ui_driver.h"
#include "window.h"
#include "worker_thread.h"

namespace {

constexpr UINT kThrow = WM_APP + 1;        // a handler that fails unexpectedly
constexpr UINT kOutOfMemory = WM_APP + 2;  // a handler whose buffer could not be had
constexpr UINT kAnswer = WM_APP + 3;       // a handler that works
constexpr UINT kWatched = WM_APP + 4;      // one the message loop's first look takes

class TestWindow : public Window {
 public:
  bool finalMessageSeen = false;
  int watchedHere = 0;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw std::runtime_error("handler failed");
    if (message == kOutOfMemory) throw std::bad_alloc();
    if (message == kAnswer) return 77;
    if (message == kWatched) ++watchedHere;
    return Window::WndProc(message, wParam, lParam);
  }
  void OnFinalMessage() override { finalMessageSeen = true; }
};

class ClickCountingButton : public Window {
 public:
  int clicks = 0;

 protected:
  bool OnReflectedCommand(UINT code, LRESULT& result) override {
    if (code != BN_CLICKED) return false;
    ++clicks;
    result = 0;
    return true;
  }
};

TEST(WindowBase, TheObjectOfAWindowIsFoundFromItsHandle) {
  TestWindow window;
  ASSERT_TRUE(window.Create(0, "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  EXPECT_EQ(Window::FromHandle(window.Handle()), &window);
  EXPECT_EQ(window.GetText(), "test");
  window.SetText("renamed");
  EXPECT_EQ(window.GetText(), "renamed");
  EXPECT_EQ(Window::FromHandle(::GetDesktopWindow()), nullptr);
}

TEST(WindowBase, AControlHandlesItsOwnNotificationThroughItsParent) {
  TestWindow parent;
  ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  HWND button = ::CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 80, 24,
                                  parent.Handle(), reinterpret_cast<HMENU>(1001), ::GetModuleHandleA(nullptr), nullptr);
  ClickCountingButton counter;
  ASSERT_TRUE(counter.Subclass(button));
  ::SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_FALSE(counter.Subclass(button));  // one object per window
}

TEST(WindowBase, ASystemControlCreatedForAnObjectReportsToIt) {
  TestWindow parent;
  ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  ClickCountingButton button;
  ASSERT_TRUE(button.CreateControl("BUTTON", 0, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{5, 5, 85, 29},
                                   parent.Handle(), 1002));
  EXPECT_EQ(Window::FromHandle(button.Handle()), &button);
  ::SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(button.clicks, 1);
}

TEST(WindowBase, AFailedHandlerIsReportedAndTheWindowGoesOn) {
  const struct {
    UINT message;
    const char* report;
  } kCases[] = {
      {kOutOfMemory, "There is not enough memory to complete the operation."},
      {kThrow, "The operation could not be completed because of an unexpected error."},
  };
  TestWindow window;
  ASSERT_TRUE(window.Create(0, "throws", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  for (const auto& failing : kCases) {
    std::string report;
    {
      UiDriver user([&] { report = AnswerMessageBox(IDOK); });
      EXPECT_EQ(::SendMessageA(window.Handle(), failing.message, 0, 0), 0);
    }
    EXPECT_EQ(report, failing.report);
    ASSERT_TRUE(::IsWindow(window.Handle()));
    EXPECT_EQ(::SendMessageA(window.Handle(), kAnswer, 0, 0), 77);
  }
}

TEST(WorkerThread, AFailedWorkIsReportedAfterItsDoneMessageWentOut) {
  std::atomic<bool> donePosted{false};
  WorkerThread worker;
  ASSERT_TRUE(worker.Start([&] {
    ScopeExit done([&] { donePosted = true; });
    throw std::bad_alloc();
  }));
  bool doneBeforeBox = false;
  const std::string report = [&] {
    const HWND box = WaitForMessageBox(ProgramBoxCaption(), kAnyThread);
    doneBeforeBox = donePosted;
    return box ? AnswerMessageBox(IDOK, std::string(), kAnyThread) : std::string("(no box)");
  }();
  EXPECT_EQ(report, "There is not enough memory to complete the operation.");
  EXPECT_TRUE(doneBeforeBox);
  EXPECT_TRUE(worker.Wait(10000));
}

TEST(WindowBase, DestroyingAWindowDetachesItsObject) {
  TestWindow window;
  ASSERT_TRUE(window.Create(0, "short-lived", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  HWND hwnd = window.Handle();
  window.Destroy();
  EXPECT_TRUE(window.finalMessageSeen);
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(Window::FromHandle(hwnd), nullptr);
}

TEST(MessageLoop, IdleRunsUntilItDeclinesAndThreadMessagesArrive) {
  MessageLoop loop;
  long lastCount = -1;
  int threadMessages = 0;
  loop.onIdle = [&](long count) {
    lastCount = count;
    if (count == 2) ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP + 7, 0, 0);
    return count < 2;
  };
  loop.onThreadMessage = [&](const MSG& message) {
    if (message.message == WM_APP + 7) {
      ++threadMessages;
      ::PostQuitMessage(3);
    }
  };
  EXPECT_EQ(loop.Run(), 3);
  EXPECT_EQ(threadMessages, 1);
  EXPECT_GE(lastCount, 2);
}

// Whatever loop takes a message from the queue (the program's own, DispatchWaiting, a message
// box's), the first look sees it first, also when it was posted to the thread.
TEST(MessageLoop, TheFirstLookSeesWhatEveryLoopOfTheThreadTakes) {
  TestWindow window;
  ASSERT_TRUE(window.Create(0, "watched", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  MessageLoop loop;
  std::string loopNow;
  std::vector<std::string> seen;
  bool threadHandlerGotIt = false;
  loop.firstLook = [&](MSG& message) {
    if (message.message != kWatched) return false;
    seen.push_back(loopNow + (message.hwnd ? " window" : " thread"));
    return true;
  };
  loop.onThreadMessage = [&](const MSG& message) { threadHandlerGotIt |= message.message == kWatched; };
  int step = 0;
  std::string boxAnswer;
  loop.onIdle = [&](long) {
    switch (step++) {
      case 0:
        loopNow = "own";
        ::PostThreadMessageA(::GetCurrentThreadId(), kWatched, 0, 0);
        return false;
      default:
        loopNow = "waiting";
        ::PostMessageA(window.Handle(), kWatched, 0, 0);
        MessageLoop::DispatchWaiting();
        loopNow = "box";
        {
          UiDriver user([&] {
            if (WaitForMessageBox(ProgramBoxCaption())) ::PostThreadMessageA(ProgramThread(), kWatched, 0, 0);
            boxAnswer = AnswerMessageBox(IDOK);
          });
          ::MessageBoxA(nullptr, "under the box", nullptr, MB_OK);
        }
        ::PostQuitMessage(0);
        return false;
    }
  };
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(boxAnswer, "under the box");
  EXPECT_EQ(seen, (std::vector<std::string>{"own thread", "waiting window", "box thread"}));
  EXPECT_EQ(window.watchedHere, 0);
  EXPECT_FALSE(threadHandlerGotIt);
}

}  // namespace
