// Selection changes at scale, timed inside the process: in the real view (view_bench_window_win.h)
// Select All and Invert Selection as their commands run them, and a rubber band dragged over the
// whole window (button down on a cell's margin, one move to the far corner, button up), each with
// the repaint it asks for. Only the cells on screen change on screen, so no step may cost more
// with more items below them. No thumbnail is loaded in any folder (nothing takes the loader's
// answers), so every cell draws its empty box and captions, at every size alike.
// Prints the fastest of several rounds of each, in seconds per change and repaint.
// One untimed round in WARMUP (a small folder) first takes the one-off costs out.
// selection_repaint_bench WARMUP FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "command_ids.h"
#include "view_bench_window_win.h"

namespace {

constexpr int kRounds = 5;
constexpr int kRepeats = 20;

class Bench : public ViewBenchWindow {
 public:
  void SelectAll() { Change([&] { View().OnCommand(ID_SELECT_ALL); }); }
  void Invert() { Change([&] { View().OnCommand(ID_INVERT_SELECTION); }); }
  void Band() {
    Change([&] {
      RECT client = {};
      ::GetClientRect(View().Handle(), &client);
      const LPARAM corner = MAKELPARAM(client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 3, client.bottom - 3);
      ::SendMessageA(View().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      ::SendMessageA(View().Handle(), WM_MOUSEMOVE, MK_LBUTTON, corner);
      ::SendMessageA(View().Handle(), WM_LBUTTONUP, 0, corner);
    });
  }
  // The fastest round's seconds per repetition.
  double Time(void (Bench::*step)()) {
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      Stopwatch watch;
      for (int i = 0; i < kRepeats; ++i) (this->*step)();
      best = std::min(best, watch.Lap() / kRepeats);
    }
    return best;
  }

 private:
  void Change(const std::function<void()>& change) {
    change();
    ::UpdateWindow(View().Handle());
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: selection_repaint_bench WARMUP FOLDER\n");
    return 2;
  }
  App program;
  SetUpAsTheProgram(program);
  Bench bench;
  if (!bench.Open()) return 1;
  bench.View().SetFolder(AsFolder(argv[1]));
  bench.Paint();
  bench.SelectAll();
  bench.Invert();
  bench.Band();
  bench.View().ClearView();
  bench.PumpMessages();

  bench.View().SetFolder(AsFolder(argv[2]));
  bench.Paint();
  const int files = bench.View().Items().GetCount();
  if (files == 0) {
    std::fprintf(stderr, "no pictures in %s\n", argv[2]);
    return 1;
  }
  const double selectAll = bench.Time(&Bench::SelectAll);
  const double invert = bench.Time(&Bench::Invert);
  const double band = bench.Time(&Bench::Band);
  std::printf("files %d select_all %.6f invert %.6f band %.6f selected %d\n", files, selectAll, invert, band,
              bench.View().Items().CountSelected());
  return 0;
}
