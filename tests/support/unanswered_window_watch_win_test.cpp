// The watch that every Windows test program carries: the system's loops of moving a window and of
// its menu, which show no window a test could answer, fail the test with what the thread stood in
// and are ended, so the test goes on instead of hanging.
#include <windows.h>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <string>

namespace {

struct SystemLoopCase {
  const char* name;
  WPARAM command;
  const char* said;
};

class SystemLoop : public ::testing::TestWithParam<SystemLoopCase> {};

TEST_P(SystemLoop, NobodyEndingItFailsTheTestWithWhatItWasAndItEnds) {
  const SystemLoopCase& c = GetParam();
  const HWND window = ::CreateWindowExA(0, "STATIC", "Left alone", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                        200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  ::SetForegroundWindow(window);
  const DWORD start = ::GetTickCount();
  // By the keyboard, as after Alt or Alt+Space: the loop waits for a key nobody presses.
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(::SendMessageA(window, WM_SYSCOMMAND, c.command, 0), c.said);
  EXPECT_LT(::GetTickCount() - start, 30000u);
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetGUIThreadInfo(::GetCurrentThreadId(), &info));
  EXPECT_EQ(info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE), 0u);
  ::DestroyWindow(window);
}

const SystemLoopCase kSystemLoopCases[] = {
    {"Moving", SC_MOVE, "s in the system's loop of moving or sizing the window \"Left alone\", which nobody ended"},
    {"Menu", SC_KEYMENU, "s in the system's loop of the menu of the window \"Left alone\", which nobody ended"},
};

INSTANTIATE_TEST_SUITE_P(Watch, SystemLoop, ::testing::ValuesIn(kSystemLoopCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
