#include <windows.h>

#include "compose_and_send_win.h"

namespace {
// Reports to the message window by posted messages; every status text goes as a copy of its
// own that the window deletes, so it outlives the step that made it.
class WindowReporter : public SendReporter {
 public:
  explicit WindowReporter(MessageWindowState& state) : state_(state) {}
  void Status(const std::string& text) override {
    auto* copy = new std::string(text);
    if (!::PostMessageA(state_.window, WM_MAIL_STATUS, 0, reinterpret_cast<LPARAM>(copy))) delete copy;
  }
  void Progress(int percent) override { ::PostMessageA(state_.window, WM_MAIL_PROGRESS, percent, percent); }
  bool StopRequested() const override { return state_.stop != 0; }

 private:
  MessageWindowState& state_;
};
}  // namespace

DWORD WINAPI SendThreadProc(LPVOID parameter) {
  auto& state = *static_cast<MessageWindowState*>(parameter);
  WindowReporter reporter(state);
  reporter.Status("Validating ...");
  reporter.Progress(0);
  state.result = ComposeAndSend(state, reporter);
  const UINT outcome = state.stop ? WM_MAIL_STOPPED : state.result ? WM_MAIL_ERROR : WM_MAIL_DONE;
  ::PostMessageA(state.window, outcome, 0, 0);
  return 0;
}
