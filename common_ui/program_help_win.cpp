#include "program_help.h"

#include <string>

#include "program_state.h"

void ShowHelp(HWND owner, UINT command, DWORD data) {
  const std::string file = g_program.programFolder + "\\Vireldan.hlp";
  ::WinHelpA(owner, file.c_str(), command, data);
}

void ShowContextHelp(HWND owner) {
  for (HWND window = ::GetFocus(); window; window = ::GetParent(window)) {
    if (const DWORD context = ::GetWindowContextHelpId(window)) return ShowHelp(owner, HELP_CONTEXT, context);
  }
  ShowHelp(owner, HELP_FINDER, 0);
}
