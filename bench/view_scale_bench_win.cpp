// The thumbnail view at scale, timed inside the process: the real view in a 1024 x 768 window,
// with the program's default settings (edge 90, names and sizes under the thumbnails, sorted by
// name). Times listing and sorting a folder (SetFolder), the first full paint, and paging down
// to the end with a paint of every page. With "load", every thumbnail is then loaded through the
// loader thread, and paging through is timed again with the pictures drawn.
// One untimed round in WARMUP (a small folder) first takes the one-off costs out: the first
// listing of a drive, fonts, the loader thread's start.
// view_scale_bench WARMUP FOLDER [load]
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "view_bench_window_win.h"

namespace {

constexpr DWORD kLoadBoundMs = 3600000;

int LoadedCount(CThumbList& items) {
  int loaded = 0;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) loaded += item->thumbnail != nullptr;
  return loaded;
}

class Bench : public ViewBenchWindow {
 public:
  void List(const std::string& folder) { View().SetFolder(folder); }
  void Scroll(int code) {
    ::SendMessageA(View().Handle(), WM_VSCROLL, WPARAM(code), LPARAM(Bar()));
    ::UpdateWindow(View().Handle());
  }
  // Pages down, painting each page, until the scroll position stops moving; the pages shown.
  int PageToTheEnd() {
    int pages = 0;
    for (int previous = -1, position = ScrollPosition(); position != previous && pages <= View().Items().GetCount();
         previous = position, position = ScrollPosition()) {
      Scroll(SB_PAGEDOWN);
      ++pages;
    }
    return pages;
  }
  // Runs the message loop until every item has its thumbnail (or the bound is reached).
  bool LoadEverything() {
    View().LoadNextThumbnail();
    const DWORD start = ::GetTickCount();
    while (LoadedCount(View().Items()) < View().Items().GetCount()) {
      if (::GetTickCount() - start > kLoadBoundMs) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      PumpMessages();
    }
    return true;
  }

 private:
  int ScrollPosition() const {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    ::GetScrollInfo(Bar(), SB_CTL, &info);
    return info.nPos;
  }
};

unsigned Megabytes(SIZE_T bytes) { return unsigned(bytes >> 20); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: view_scale_bench WARMUP FOLDER [load]\n");
    return 2;
  }
  const std::string warmup = AsFolder(argv[1]), folder = AsFolder(argv[2]);
  const bool load = argc > 3 && std::strcmp(argv[3], "load") == 0;
  App program;
  SetUpAsTheProgram(program);

  Bench bench;
  if (!bench.Open()) return 1;
  bench.List(warmup);
  bench.Paint();
  bench.PageToTheEnd();
  bench.PumpMessages();
  bench.View().ClearView();
  bench.PumpMessages();

  Stopwatch watch;
  bench.List(folder);
  const double listing = watch.Lap();
  bench.Paint();
  const double paint = watch.Lap();
  const int pages = bench.PageToTheEnd();
  const double scroll = watch.Lap();
  const int files = bench.View().Items().GetCount();
  if (files == 0) {
    std::fprintf(stderr, "no pictures in %s\n", folder.c_str());
    return 1;
  }
  std::printf("files %d list_sort %.4f paint %.4f scroll %.4f pages %d total %.4f\n", files, listing, paint, scroll,
              pages, listing + paint + scroll);
  if (!load) return 0;

  watch.Lap();
  if (!bench.LoadEverything()) {
    std::fprintf(stderr, "not every thumbnail arrived\n");
    return 1;
  }
  const double loading = watch.Lap();
  bench.Scroll(SB_TOP);
  watch.Lap();
  const int picturePages = bench.PageToTheEnd();
  const double pictureScroll = watch.Lap();
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  std::printf("loaded %d load %.3f scroll_pictures %.4f pages %d working_set_mb %u peak_working_set_mb %u\n",
              LoadedCount(bench.View().Items()), loading, pictureScroll, picturePages, Megabytes(memory.WorkingSetSize),
              Megabytes(memory.PeakWorkingSetSize));
  return 0;
}
