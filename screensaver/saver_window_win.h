#pragma once
// The screen saver's window: the playlist's pictures one after another, each fitted to the
// window and centred on black, or a short text saying where to put pictures when there are
// none. Full screen it ends on a key, a mouse button or a mouse movement beyond a few pixels;
// as a preview it lives inside the window it was given until that window goes.
#include <windows.h>

#include <string>
#include <vector>

constexpr UINT kSaverSecondsPerPicture = 6;
constexpr char kSaverWindowClass[] = "VNSaverWindow";

// Runs the full-screen saver (preview null) or the preview inside preview, until it ends; the
// exit code of the message loop.
int RunSaverWindow(const std::string& folder, std::vector<std::string> playlist, HWND preview);
