#include "pending_features.h"

void OpenImageWindow(const std::string&, const std::string&, int, bool) {}
int SlideshowIdleStep() { return 0; }
