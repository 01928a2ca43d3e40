#pragma once
// A toolbar made from a TOOLBAR resource (button size and command ids) and the bitmap of the same
// id. Its tips and the status-bar prompts of its buttons come from the string with the command's
// id: "prompt\ntip".
#include <windows.h>

#include <string>
#include <vector>

#include "command_routing.h"
#include "tool_bar_images.h"
#include "window.h"

struct ToolBarLayout {
  int width = 0;
  int height = 0;
  std::vector<UINT> commands;  // 0 for a separator
};

// The button size and command ids of a TOOLBAR resource; false when it is missing or damaged.
bool ReadToolBarResource(HINSTANCE instance, int resourceId, ToolBarLayout& layout);

class ToolBar : public Window {
 public:
  bool Create(HWND parent, UINT id, bool flat);
  // Replaces the buttons with those of the resource; false when it is missing.
  bool Load(int resourceId);
  void SetFlat(bool flat);
  // Enables and checks every button as the route says.
  void UpdateButtons(CommandTarget& route);
  int Height() const;

 private:
  std::vector<UINT> commands_;  // 0 for a separator
  ToolBarImages images_;
};

// The part of a command's string after the newline (the tip), or before it (the prompt).
std::string CommandTip(UINT id);
std::string CommandPrompt(UINT id);
