#pragma once
// The image window's editing and output commands, kept apart from the window's own view
// commands: each a function of the window, with an optional update that enables it.
#include <windows.h>

#include "command_routing.h"

class CImageWnd;

struct ImageWindowCommand {
  UINT first;
  UINT last;
  void (*run)(CImageWnd& window, UINT id);
  void (*update)(CImageWnd& window, CommandState& state);
};

// The command of a table that takes the id, or none.
template <size_t N>
const ImageWindowCommand* ImageWindowCommandFor(const ImageWindowCommand (&table)[N], UINT id) {
  for (const ImageWindowCommand& command : table)
    if (id >= command.first && id <= command.last) return &command;
  return nullptr;
}

// Save As, Save Wallpaper, Copy to clipboard and Print.
const ImageWindowCommand* OutputCommandFor(UINT id);
