// The frame: command routing through view, frame and application, menu and toolbar states,
// prompts and tips, accelerators, and the static splitter's layout.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app.h"
#include "frame_window.h"
#include "framework_test_ids.h"
#include "splitter_window.h"

namespace {

std::vector<UINT> g_ran;  // which target ran which command, in order

class TestApp : public App {
 public:
  bool OnCommand(UINT id) override {
    if (id != ID_APP_COMMAND) return false;
    g_ran.push_back(id + 1000);
    return true;
  }
  bool OnUpdateCommand(CommandState& state) override { return state.id == ID_APP_COMMAND; }
};

class TestView : public View {
 public:
  bool OnCommand(UINT id) override {
    if (id != ID_VIEW_COMMAND) return false;
    g_ran.push_back(id);
    return true;
  }
  bool OnUpdateCommand(CommandState& state) override { return state.id == ID_VIEW_COMMAND; }
};

class TestFrame : public FrameWindow {
 public:
  bool toggled = true;
  TestView view;
  SplitterWindow splitter;

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  bool OnCreateFrame() override {
    if (!Bar().Create(Handle(), kToolBarId, true) || !Bar().Load(IDR_TEST_FRAME)) return false;
    if (!Status().Create(Handle(), kStatusBarId)) return false;
    Status().SetPaneWidths({100, 100});
    if (!splitter.CreateStatic(Handle(), 1, 2, SplitterWindow::PaneId(0, 0))) return false;
    if (!view.CreateControl("EDIT", 0, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 10, 10}, splitter.Handle(),
                            SplitterWindow::PaneId(0, 1)))
      return false;
    ::CreateWindowExA(0, "STATIC", "left", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, splitter.Handle(),
                      reinterpret_cast<HMENU>(UINT_PTR(SplitterWindow::PaneId(0, 0))), nullptr, nullptr);
    splitter.SetColumnInfo(0, 120, 20);
    SetClient(splitter.Handle());
    SetActiveView(&view);
    return true;
  }

 private:
  void OnFrameCommand(UINT id) { g_ran.push_back(id); }
  void OnToggle(UINT) { toggled = !toggled; }
  void OnUpdateToggle(CommandState& state) { state.checked = toggled; }
  static const CommandEntry<TestFrame> kCommands[];
};

const CommandEntry<TestFrame> TestFrame::kCommands[] = {
    {ID_FRAME_COMMAND, ID_FRAME_COMMAND, &TestFrame::OnFrameCommand, nullptr},
    {ID_CHECKED_COMMAND, ID_CHECKED_COMMAND, &TestFrame::OnToggle, &TestFrame::OnUpdateToggle},
};

bool TestFrame::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }
bool TestFrame::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_ran.clear();
    ASSERT_TRUE(frame.CreateFrame("Frame test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{10, 10, 610, 410},
                                  IDR_TEST_FRAME, IDR_TEST_FRAME, nullptr));
    app.SetMainWindow(frame.Handle());
  }
  void TearDown() override {
    app.SetMainWindow(nullptr);
    frame.Destroy();
  }
  void Command(UINT id) { ::SendMessageA(frame.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  TestApp app;
  TestFrame frame;
};

TEST_F(FrameTest, CommandsGoToTheFirstTargetThatHandlesThem) {
  for (UINT id : {ID_VIEW_COMMAND, ID_FRAME_COMMAND, ID_APP_COMMAND, ID_NOBODY_COMMAND}) Command(id);
  EXPECT_EQ(g_ran, (std::vector<UINT>{ID_VIEW_COMMAND, ID_FRAME_COMMAND, ID_APP_COMMAND + 1000}));
}

TEST_F(FrameTest, MenusShowWhatTheRouteSays) {
  HMENU popup = ::GetSubMenu(::GetMenu(frame.Handle()), 0);
  ::SendMessageA(frame.Handle(), WM_INITMENUPOPUP, WPARAM(popup), 0);
  auto state = [&](UINT id) { return ::GetMenuState(popup, id, MF_BYCOMMAND); };
  EXPECT_FALSE(state(ID_VIEW_COMMAND) & MF_GRAYED);
  EXPECT_FALSE(state(ID_FRAME_COMMAND) & MF_GRAYED);
  EXPECT_FALSE(state(ID_APP_COMMAND) & MF_GRAYED);
  EXPECT_TRUE(state(ID_NOBODY_COMMAND) & MF_GRAYED);
  EXPECT_TRUE(state(ID_CHECKED_COMMAND) & MF_CHECKED);
  Command(ID_CHECKED_COMMAND);
  ::SendMessageA(frame.Handle(), WM_INITMENUPOPUP, WPARAM(popup), 0);
  EXPECT_FALSE(state(ID_CHECKED_COMMAND) & MF_CHECKED);
}

TEST_F(FrameTest, ToolbarButtonsFollowTheRouteAtIdle) {
  HWND bar = frame.Bar().Handle();
  EXPECT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 3);
  frame.UpdateControlBars();
  EXPECT_TRUE(::SendMessageA(bar, TB_ISBUTTONCHECKED, ID_CHECKED_COMMAND, 0));
  EXPECT_TRUE(::SendMessageA(bar, TB_ISBUTTONENABLED, ID_FRAME_COMMAND, 0));
  ::SendMessageA(frame.Handle(), WM_COMMAND, MAKEWPARAM(ID_CHECKED_COMMAND, BN_CLICKED), LPARAM(bar));
  frame.UpdateControlBars();
  EXPECT_FALSE(::SendMessageA(bar, TB_ISBUTTONCHECKED, ID_CHECKED_COMMAND, 0));
}

TEST_F(FrameTest, MenuPromptsAndToolTipsComeFromTheCommandsString) {
  ::SendMessageA(frame.Handle(), WM_MENUSELECT, MAKEWPARAM(ID_FRAME_COMMAND, MF_STRING), LPARAM(::GetMenu(frame.Handle())));
  EXPECT_EQ(frame.Status().PaneText(0), "Runs the frame's command");
  ::SendMessageA(frame.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame.Status().PaneText(0), "Ready");

  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = frame.Bar().Handle();
  info.hdr.idFrom = ID_CHECKED_COMMAND;
  info.hdr.code = TTN_GETDISPINFOA;
  ::SendMessageA(frame.Handle(), WM_NOTIFY, ID_CHECKED_COMMAND, LPARAM(&info));
  ASSERT_TRUE(info.lpszText);
  EXPECT_STREQ(info.lpszText, "Toggle");
}

TEST_F(FrameTest, AcceleratorsReachTheRoute) {
  MSG message = {frame.Handle(), WM_KEYDOWN, 'F', 0, 0, {0, 0}};
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_TRUE(frame.PreTranslateMessage(message));
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(g_ran, (std::vector<UINT>{ID_FRAME_COMMAND}));
}

TEST_F(FrameTest, TheSplitterGivesTheFirstColumnItsIdealWidthAndCanHideIt) {
  RECT splitterArea = {};
  ::GetClientRect(frame.splitter.Handle(), &splitterArea);
  int current = 0, minimum = 0;
  frame.splitter.GetColumnInfo(0, current, minimum);
  EXPECT_EQ(current, 120);
  EXPECT_EQ(minimum, 20);
  RECT right = {};
  ::GetWindowRect(frame.view.Handle(), &right);
  EXPECT_EQ(right.right - right.left, splitterArea.right - 120 - 5);

  // Hidden the way the main frame hides its left column: the right pane takes the first id.
  HWND left = frame.splitter.GetPane(0, 0);
  ::SetWindowLongPtrA(left, GWLP_ID, 0xE932);
  ::SetWindowLongPtrA(frame.view.Handle(), GWLP_ID, SplitterWindow::PaneId(0, 0));
  ::ShowWindow(left, SW_HIDE);
  frame.splitter.SetColumnCount(1);
  frame.splitter.RecalcLayout();
  ::GetWindowRect(frame.view.Handle(), &right);
  EXPECT_EQ(right.right - right.left, splitterArea.right);
}

}  // namespace
