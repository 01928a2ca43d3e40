#pragma once
// Entry points whose work belongs to parts of the program built later: image windows, printing a
// file, the slideshow and the open queue. Commands reach them today and nothing happens.
#include <string>

void OpenImageWindow(const std::string& folder, const std::string& name, int viewMode, bool quiet);
void PrintImageFile(const std::string& path);
// The idle steps: one slideshow step (non-zero when it did something), then the open queue.
int SlideshowIdleStep();
void OpenQueueIdleStep();
