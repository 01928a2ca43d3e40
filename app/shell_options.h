#pragma once
// The shell options: which image file types open in Vireldan, and a Vireldan entry on folders'
// context menus. The choices are kept in the profile ("Shell Types"), with each extension's
// previous owner ("Shell remove") so that switching a type off gives it back.
#include <windows.h>

#include <string>

class Profile;

struct ShellChoices {
  // .jpg (with .jpeg, .jfif, .jif, .jpe), .gif, .tif, .bmp, .png, .pcx, then the folder verb.
  int types[6] = {};
  int folderVerb = 0;
};

constexpr const char* kShellTypeNames[6] = {".jpg", ".gif", ".tif", ".bmp", ".png", ".pcx"};

ShellChoices ReadShellChoices(Profile& profile);

// Writes the registry for the new choices against the old ones (programPath: the full path of
// Vireldan.exe) and records in the profile each choice whose keys were written.
void ApplyShellChoices(Profile& profile, const ShellChoices& old, const ShellChoices& wanted,
                       const std::string& programPath);

// The Shell options command: the dialog, then the registry.
void RunShellOptions(HWND owner);
