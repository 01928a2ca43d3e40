#pragma once
// The Tip of the Day: tips come from the program's tips text, separated by "~" and ended by "~~".
#include <string>

#ifdef _WIN32
#include <windows.h>
// Shows tips from "Main Options" tipnum on until the user closes the dialog with OK; the next
// tip's number is stored back, and "Don't display tips at start up" clears tipson.
void ShowTips(HWND owner);
#endif

// Tip n (from 1) of the text, centred vertically for the dialog by leading line breaks; false
// when there is no such tip.
bool TipText(const std::string& tips, int n, std::string& text);
