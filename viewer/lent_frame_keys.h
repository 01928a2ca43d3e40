#pragma once
// The keys the image and collage windows lend the main frame's accelerators once their own
// handling passed them by: those typed with Ctrl or Alt, and the function keys but F2 (the
// thumbnail view's rename). Their own keys (arrows, Space, Enter, + and -, Delete, Escape) stay
// theirs.
#include <windows.h>

bool IsKeyLentToMainFrame(const MSG& message);
