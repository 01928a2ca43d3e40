#pragma once
// The slideshow's twenty transition effects as plain rectangle copies from the new slide to the
// screen, step by step, and the choice of the next effect from the "Transitions" settings. Every
// copy is already clipped to both the screen and the slide, so drawing one is a plain copy.
#include <functional>
#include <vector>

#include "app_settings.h"

constexpr int kTransitionCount = 20;
// Types 1..17 wait this long from the start of each step before the next one.
constexpr int kTransitionFrameMs = 10;

// A width × height area of the slide whose top-left corner is (sourceX, sourceY), copied to (x, y).
struct SlideCopy {
  int x, y, width, height, sourceX, sourceY;
};

struct TransitionStep {
  std::vector<SlideCopy> copies;
  bool paced = false;  // the step lasts at least kTransitionFrameMs from its start
  int pauseMs = 0;     // a rest after the step's copies (the block effects)
};

// A number from 0 to 32767, as the C library's rand() gives on Windows.
using TransitionRandom = std::function<int()>;

// Calls step for every step of effect `type` (0: the whole slide at once; 1..20 the effects) on a
// screen of width × height pixels. After the last step the whole slide is on the screen.
void PlanTransition(int type, int width, int height, const TransitionRandom& random,
                    const std::function<void(const TransitionStep&)>& step);

// Whether the settings enable effect `type` (1..20); types 1 and 2 share "slideh", 3 and 4 "slidev".
bool TransitionEnabled(const CAppSettings::Transitions& settings, int type);

// The effect after `previous`: a random enabled one with "random" on, else the next enabled one in
// order; 0 (a plain copy) when none is found in the tries the show allows.
int NextTransitionType(const CAppSettings::Transitions& settings, int previous, const TransitionRandom& random);
