#pragma once
// The text that names a hot key: the form the hot-key control and the "Capture" values "vkey"
// and "kmod" use (a virtual-key code and the modifier flags), turned into words.
#include <string>

// Hot-key modifier flags, as the hot-key control reports them.
constexpr int kHotkeyShift = 1;
constexpr int kHotkeyControl = 2;
constexpr int kHotkeyAlt = 4;

// "Alt + ", "Ctrl + " and "Shift " for the modifiers present, in that order, then the key's
// name; a key without a name (letters and digits among them) reads "???".
std::string FormatHotkeyText(int virtualKey, int modifiers);
