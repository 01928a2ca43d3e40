#pragma once
// The system's open- and save-file dialogs as the program's pages and windows ask them: the
// process's current folder is left as it was, and a save never replaces a file unasked.
#include <windows.h>

#include <string>

struct FileQuestion {
  const char* title;      // none: the system's own
  const char* filter;     // pairs of description and pattern, each ending in NUL
  const char* extension;  // added to a name typed without one; none: nothing added
  std::string name;       // shown at first
  std::string folder;     // opened at first
};

// The chosen file's path (it and its folder exist); empty when the user cancels.
std::string AskFileToOpen(HWND owner, const FileQuestion& question);
// The path to write to, in an existing folder; empty when the user cancels. `flags` adds the
// dialog's further rules (e.g. OFN_NOREADONLYRETURN).
std::string AskFileToSave(HWND owner, const FileQuestion& question, DWORD flags = 0);
