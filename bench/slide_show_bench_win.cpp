// The slideshow's drawing and loading on the real screen, for bench/slide_show.sh:
//   slide_show_bench transitions   every effect at the screen's size: its length against the
//                                  length its steps and rests call for, and its steps' own
//                                  drawing (median and slowest);
//   slide_show_bench show FILE N   N steps of a show with a 1 s timer: each step's transition
//                                  (the effects in turn), then the next slide loaded ahead as the
//                                  idle step does; the worst margin left before the next tick.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Cimage.h"
#include "app_settings.h"
#include "device_context.h"
#include "slide_playlist.h"
#include "slide_transition.h"
#include "transition_plan.h"

namespace {

double Milliseconds() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The length an effect's steps and rests call for.
double CalledFor(int type, int W, int H) {
  double length = 0;
  PlanTransition(type, W, H, [] { return std::rand() & 0x7FFF; }, [&](const TransitionStep& step) {
    length += (step.paced ? kTransitionFrameMs : 0) + step.pauseMs;
  });
  return length;
}

struct Screen {
  Screen() : W(::GetSystemMetrics(SM_CXSCREEN)), H(::GetSystemMetrics(SM_CYSCREEN)), dc(nullptr), memory(dc.get()),
             bitmap(::CreateCompatibleBitmap(dc.get(), W, H)) {
    ::SelectObject(memory.get(), bitmap.get());
  }
  int W, H;
  ClientDC dc;
  MemoryDC memory;
  GdiObject<HBITMAP> bitmap;
};

int Transitions() {
  Screen screen;
  Cimage picture;
  picture.Blank(screen.W, screen.H, RGB(200, 120, 40));
  picture.DisplayImage(screen.memory.get(), 0, 0);
  std::printf("screen %d x %d\n", screen.W, screen.H);
  for (int type = 1; type <= kTransitionCount; ++type) {
    std::vector<double> drawings;
    const double start = Milliseconds();
    DrawTransitionEffect(screen.dc.get(), screen.memory.get(), screen.W, screen.H, type,
                         [&](int, double drawing) { drawings.push_back(drawing); });
    const double took = Milliseconds() - start, called = CalledFor(type, screen.W, screen.H);
    std::sort(drawings.begin(), drawings.end());
    std::printf("effect %2d: %7.1f ms, called for %6.0f ms (%+5.1f %%); a step's drawing: median %5.2f ms, "
                "slowest %5.2f ms\n",
                type, took, called, called > 0 ? 100.0 * (took - called) / called : 0.0,
                drawings[drawings.size() / 2], drawings.back());
  }
  return 0;
}

int Show(const char* path, int steps) {
  auto& t = g_settings.transitions;
  for (int* on : {&t.enable, &t.slidev, &t.slideh, &t.fingersv, &t.fingersh, &t.tfingersv, &t.tfingersh, &t.weave,
                  &t.zoomi, &t.zoomo, &t.shutterv, &t.shutterh, &t.wiperv, &t.wiperh, &t.gridl, &t.grids,
                  &t.speckle, &t.blocksl, &t.blockss})
    *on = 1;  // as a new installation has them
  Screen screen;
  const SlidePoint box = SlideLoadBox(0, screen.W, screen.H);
  constexpr double kInterval = 1000;
  double worst = kInterval;
  Cimage next;
  next.LoadImageA(path, box.x, box.y, SlideLoadMode(0));
  for (int step = 0; step < steps; ++step) {
    const double tick = Milliseconds();
    Cimage shown = next;
    shown.DisplayImage(screen.memory.get(), (screen.W - shown.m_width) / 2, (screen.H - shown.m_height) / 2);
    DrawTransition(screen.dc.get(), screen.memory.get(), screen.W, screen.H);
    next = Cimage();
    next.LoadImageA(path, box.x, box.y, SlideLoadMode(0));
    const double margin = kInterval - (Milliseconds() - tick);
    std::printf("step %2d (effect %2d): next slide ready %6.1f ms before its tick\n", step, g_transitionType, margin);
    worst = std::min(worst, margin);
  }
  std::printf("worst margin: %.1f ms\n", worst);
  return worst > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Cimage::S_Initialize();
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "transitions") return Transitions();
  if (mode == "show" && argc > 3) return Show(argv[2], std::atoi(argv[3]));
  std::fprintf(stderr, "usage: slide_show_bench transitions | show FILE STEPS\n");
  return 2;
}
