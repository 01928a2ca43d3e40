#pragma once
// The system's open-file dialog as the output pages ask for a picture or an include file: the
// file and its path must exist, and the process's current folder is left as it was.
#include <windows.h>

#include <string>

struct OpenFileQuestion {
  const char* title;      // none: the system's own
  const char* filter;     // pairs of description and pattern, each ending in NUL
  const char* extension;  // added to a name typed without one
  std::string name;       // shown at first
  std::string folder;     // opened at first
};

// The chosen file's path; empty when the user cancels.
std::string AskFileToOpen(HWND owner, const OpenFileQuestion& question);
