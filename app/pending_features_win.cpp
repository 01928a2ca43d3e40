#include "pending_features.h"

void OpenImageWindow(const std::string&, const std::string&, int, bool) {}
void PrintImageFile(const std::string&) {}
int SlideshowIdleStep() { return 0; }
