#pragma once
// Brings a composed slide from a memory drawing context onto the screen by one of the transition
// effects, within one paint: the old slide stays wherever the new one is not copied yet.
#include <windows.h>

#include <functional>

// The effect the next transition uses (0 plain, 1..20); 5 when the program starts.
extern int g_transitionType;

// Sets g_transitionType from the "Transitions" settings.
void ChooseTransition();

// Chooses the effect and draws it; returns when the whole slide is on the screen.
void DrawTransition(HDC screen, HDC slide, int width, int height);

// Draws effect `type`; afterStep (when given) is called after each step's copies, before its
// pacing, with the step's number from 0 and the milliseconds its drawing took.
void DrawTransitionEffect(HDC screen, HDC slide, int width, int height, int type,
                          const std::function<void(int, double)>& afterStep = {});
