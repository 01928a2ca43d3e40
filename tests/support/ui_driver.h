#pragma once
// Drives the program's windows from a second thread, the way a user would: find a window by its
// caption, type into its controls, press its buttons.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

// A top-level window of this process with the caption, waited for up to the time given; null
// when none appears.
HWND WaitForWindow(const std::string& caption, DWORD milliseconds = 30000);

// Presses a button of a dialog (as a click would, through WM_COMMAND).
void PressButton(HWND dialog, int id);

// The thread that runs the program's windows in a test program: its main thread.
DWORD ProgramThread();
// For a box that a worker shows: any thread of this process.
constexpr DWORD kAnyThread = 0;

// The caption of the program's message boxes: the application's title, else Windows' "Error".
std::string ProgramBoxCaption();

// A message box (the dialog class with a message text) of this process with the caption, shown
// by the thread; waited for up to the time given. Null when none came.
HWND WaitForMessageBox(const std::string& caption, DWORD thread = ProgramThread(), DWORD milliseconds = 30000);

// Waits for the program's message box (caption empty: ProgramBoxCaption()), presses the button
// and waits until the box has gone; the box's text. When no such box came, or it stayed, the
// text says so and names the dialogs that were up instead.
std::string AnswerMessageBox(int button = IDOK, const std::string& caption = std::string(),
                             DWORD thread = ProgramThread(), DWORD milliseconds = 30000);

// Real input, as the mouse and the keyboard make it (SendInput): it reaches the window under the
// pointer or with the focus, updates the key state and carries the pointer's position.
// The pointer to a point of the screen; true when it got there.
bool MoveMouseTo(POINT screen);
// The left button goes down or up where the pointer is.
void PressLeftButton(bool down);
// A key typed with modifiers (VK_CONTROL, VK_MENU, VK_SHIFT) held.
void TypeKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Waits until done() holds, polling; done()'s last answer.
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 10000);

// Runs steps on a thread of its own and joins it when it goes out of scope.
class UiDriver {
 public:
  explicit UiDriver(std::function<void()> steps) : thread_(std::move(steps)) {}
  ~UiDriver() { thread_.join(); }
  UiDriver(const UiDriver&) = delete;
  UiDriver& operator=(const UiDriver&) = delete;

 private:
  std::thread thread_;
};
