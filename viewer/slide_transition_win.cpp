#include "slide_transition.h"

#include <cstdlib>

#include "app_settings.h"
#include "transition_plan.h"

int g_transitionType = 5;

namespace {

int RandomNumber() { return std::rand() & 0x7FFF; }

double Milliseconds() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return double(now.QuadPart) / ticksPerMs;
}

// Waits until the clock reaches `until`: sleeping while more than a couple of milliseconds
// remain, then watching the clock for the rest.
void WaitUntil(double until) {
  for (double left; (left = until - Milliseconds()) > 0;) ::Sleep(left > 2 ? 1 : 0);
}

}  // namespace

void ChooseTransition() { g_transitionType = NextTransitionType(g_settings.transitions, g_transitionType, RandomNumber); }

void DrawTransition(HDC screen, HDC slide, int width, int height) {
  ChooseTransition();
  DrawTransitionEffect(screen, slide, width, height, g_transitionType);
}

void DrawTransitionEffect(HDC screen, HDC slide, int width, int height, int type,
                          const std::function<void(int, double)>& afterStep) {
  int number = 0;
  // The block effects' rests count from the effect's start, so that a sleep that overran (the
  // system's sleeps are coarse) is made up by the next ones rather than added up.
  double restsEnd = Milliseconds();
  PlanTransition(type, width, height, RandomNumber, [&](const TransitionStep& step) {
    const double start = Milliseconds();
    for (const SlideCopy& c : step.copies)
      ::BitBlt(screen, c.x, c.y, c.width, c.height, slide, c.sourceX, c.sourceY, SRCCOPY);
    if (afterStep) {
      ::GdiFlush();
      afterStep(number, Milliseconds() - start);
    }
    ++number;
    if (step.paced) {
      ::GdiFlush();
      WaitUntil(start + kTransitionFrameMs);
    }
    if (step.pauseMs) {
      ::GdiFlush();
      restsEnd += step.pauseMs;
      WaitUntil(restsEnd);
    }
  });
  ::GdiFlush();
}
