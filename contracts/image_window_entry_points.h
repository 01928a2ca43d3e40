#pragma once
// Entry points that open image windows, and the slideshow's step at idle.
#include <windows.h>

#include <string>

class Cimage;

// Opens a file in an image window. viewMode: 0 as the settings say, 1 pixel for pixel, 2 fitted,
// 3 as the settings say and full screen, 4 as the settings say but never full screen. `quiet`
// keeps a load failure silent.
void OpenImageWindow(const std::string& folder, const std::string& name, int viewMode, bool quiet);
// A new, unsaved image window holding a copy of the picture (the index image) or a transferred
// device-independent bitmap (a scan; the caller keeps the memory).
void OpenImageWindowFromImage(const Cimage& image);
void OpenImageWindowFromDib(HGLOBAL dib);
// One slideshow step at idle; non-zero while a show runs.
int SlideshowIdleStep();
// The running show has a step waiting for the next idle pass.
bool SlideshowWorkDue();
