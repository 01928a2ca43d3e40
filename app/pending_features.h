#pragma once
// Entry points whose work belongs to parts of the program built later: image windows and the
// slideshow. Commands reach them today and nothing happens.
#include <windows.h>

#include <string>

class Cimage;

void OpenImageWindow(const std::string& folder, const std::string& name, int viewMode, bool quiet);
// A new image window showing a picture made in memory (it has no file yet).
void OpenImageWindowFromImage(const Cimage& image);
// One slideshow step at idle; non-zero when it did something.
int SlideshowIdleStep();
