// The thumbnail view at scale, timed inside the process: the real view in a 1024 x 768 window,
// with the program's default settings (edge 90, names and sizes under the thumbnails, sorted by
// name). Times listing and sorting a folder (SetFolder), the first full paint, and paging down
// to the end with a paint of every page. With "load", every thumbnail is then loaded through the
// loader thread, and paging through is timed again with the pictures drawn. With "warm", the
// folder's cache is built first, then the folder is chosen again and timed: to the end of the
// first paint that shows every visible cell's thumbnail, and until every thumbnail is delivered,
// with the decodes of source files counted (none are wanted).
// One untimed round in WARMUP (a small folder) first takes the one-off costs out: the first
// listing of a drive, fonts, the loader thread's start.
// view_scale_bench WARMUP FOLDER [load|warm]
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "thumb_decode.h"
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
  // Runs the message loop until every item has its thumbnail (or the bound is reached). The check
  // goes on from the first item it found without one, so that it costs the bench no walk over a
  // large folder per result (no item leaves the bench's folders: they hold only pictures).
  bool LoadEverything() {
    View().LoadNextThumbnail();
    const DWORD start = ::GetTickCount();
    for (CThumbItem* missing = View().Items().GetFirst(); missing; missing = missing->next) {
      while (!missing->thumbnail) {
        if (::GetTickCount() - start > kLoadBoundMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
      }
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

std::atomic<int> g_decodes{0};
ThumbDecoder g_library = nullptr;

void CountingDecoder(const std::string& path, int edge, Cimage& image) {
  ++g_decodes;
  g_library(path, edge, image);
}

// Watches the view's paints (its window procedure wrapped) for the first one that ends with
// every visible cell's thumbnail there: paints the view makes itself are seen as well as those
// that come through the message loop.
class ScreenfulWatch {
 public:
  // The items in the cells of a folder just chosen, counted by hitting every cell (untimed).
  static size_t CountVisibleCells(ViewBenchWindow& bench) {
    std::set<CThumbItem*> hit;
    RECT client = {};
    ::GetClientRect(bench.View().Handle(), &client);
    for (int y = 0; y < client.bottom; y += 8)
      for (int x = 0; x < client.right; x += 8)
        if (CThumbItem* item = bench.View().HitTest(x, y, true)) hit.insert(item);
    return hit.size();
  }
  // A folder just chosen shows its first items.
  void Begin(ViewBenchWindow& bench, size_t visibleCells) {
    bench_ = &bench;
    visible_.clear();
    for (CThumbItem* item = bench.View().Items().GetFirst(); item && visible_.size() < visibleCells; item = item->next)
      visible_.insert(item);
    shownAt_ = 0;
    s_watch = this;
    original_ = WNDPROC(::SetWindowLongPtrA(bench.View().Handle(), GWLP_WNDPROC, LONG_PTR(&Watching)));
  }
  void End() { ::SetWindowLongPtrA(bench_->View().Handle(), GWLP_WNDPROC, LONG_PTR(original_)); }
  bool Shown() const { return shownAt_ != 0; }
  // When the paint ended, in the stopwatch's counts.
  LONGLONG ShownAt() const { return shownAt_; }

 private:
  static LRESULT CALLBACK Watching(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcA(s_watch->original_, window, message, wParam, lParam);
    if (message == WM_PAINT && !s_watch->Shown() && s_watch->AllVisibleLoaded()) {
      LARGE_INTEGER now;
      ::QueryPerformanceCounter(&now);
      s_watch->shownAt_ = now.QuadPart;
    }
    return result;
  }
  bool AllVisibleLoaded() const {
    for (CThumbItem* item : visible_)
      if (!item->thumbnail) return false;
    return true;
  }

  static ScreenfulWatch* s_watch;
  ViewBenchWindow* bench_ = nullptr;
  WNDPROC original_ = nullptr;
  std::set<CThumbItem*> visible_;
  LONGLONG shownAt_ = 0;
};
ScreenfulWatch* ScreenfulWatch::s_watch = nullptr;

// The folder chosen a second time, its cache complete: the first screenful and every thumbnail.
int TimeWarmFolder(Bench& bench, const std::string& folder) {
  bench.List(folder);
  const size_t visibleCells = ScreenfulWatch::CountVisibleCells(bench);
  if (!bench.LoadEverything()) return 1;
  bench.View().ClearView();
  bench.PumpMessages();
  g_decodes = 0;
  ScreenfulWatch watch;
  Stopwatch clock;
  LARGE_INTEGER start;
  ::QueryPerformanceCounter(&start);
  bench.List(folder);
  const double listing = clock.Lap();
  watch.Begin(bench, visibleCells);
  const bool loaded = bench.LoadEverything();
  const double all = listing + clock.Lap();
  // The last paint may still be to come.
  for (DWORD begun = ::GetTickCount(); !watch.Shown() && ::GetTickCount() - begun < 5000;) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    bench.PumpMessages();
  }
  watch.End();
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  const double first = double(watch.ShownAt() - start.QuadPart) / double(frequency.QuadPart);
  std::printf("warm files %d list_sort %.4f first_screen %.4f all_delivered %.4f decodes %d\n",
              bench.View().Items().GetCount(), listing, watch.Shown() ? first : -1.0, all, g_decodes.load());
  return loaded && watch.Shown() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: view_scale_bench WARMUP FOLDER [load]\n");
    return 2;
  }
  const std::string warmup = AsFolder(argv[1]), folder = AsFolder(argv[2]);
  const bool load = argc > 3 && std::strcmp(argv[3], "load") == 0;
  const bool warm = argc > 3 && std::strcmp(argv[3], "warm") == 0;
  App program;
  SetUpAsTheProgram(program);
  // Otherwise a cache stops growing at 1,000 entries, and a larger folder is never all warm.
  if (warm) g_settings.thumbnails.limit = 0;
  g_library = ReplaceThumbDecoder(CountingDecoder);

  Bench bench;
  if (!bench.Open()) return 1;
  bench.List(warmup);
  bench.Paint();
  bench.PageToTheEnd();
  bench.PumpMessages();
  bench.View().ClearView();
  bench.PumpMessages();
  if (warm) return TimeWarmFolder(bench, folder);

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
