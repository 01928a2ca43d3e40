// One message with the attachments named on the command line sent to an SMTP server through
// Postlark's composer and socket layer, the best of several runs, timed inside the program:
//   mail_send_bench.exe <host:port> <runs> <file>...
// Prints "seconds S peak_mb M": the fastest send and the process's peak working set.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "compose_and_send_win.h"

namespace {
class Quiet : public SendReporter {
 public:
  void Status(const std::string&) override {}
  void Progress(int) override {}
  bool StopRequested() const override { return false; }
};
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  double best = 1e9;
  for (int run = 0; run < std::atoi(argv[2]); ++run) {
    MessageWindowState state;
    state.settings.smtpHost = argv[1];
    state.settings.replyTo = "me@example.com";
    state.to = "ann@example.com";
    state.subject = "Benchmark";
    state.body = "Pictures";
    for (int i = 3; i < argc; ++i) state.AddAttachment(argv[i]);
    Quiet reporter;
    const auto start = std::chrono::steady_clock::now();
    if (ComposeAndSend(state, reporter) != 0) {
      std::fprintf(stderr, "%s\n", state.errorText.c_str());
      return 1;
    }
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  std::printf("seconds %.3f peak_mb %.1f\n", best, memory.PeakWorkingSetSize / 1048576.0);
  return 0;
}
