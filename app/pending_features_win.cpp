#include "pending_features.h"

void OpenImageWindow(const std::string&, const std::string&, int, bool) {}
void OpenImageWindowFromImage(const Cimage&) {}
int SlideshowIdleStep() { return 0; }
