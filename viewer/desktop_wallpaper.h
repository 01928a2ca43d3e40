#pragma once
// The desktop wallpaper: a picture written as "Vireldan Wallpaper.bmp" in the Windows folder and
// handed to the system, which tells every window of the change (the user's profile is left as
// it was). A file that could not be made is told the user and never becomes the wallpaper.
#include <windows.h>

#include <string>

#include "Cimage.h"

std::string WallpaperPath();

// The picture as it is; true when it became the wallpaper.
bool MakeDesktopWallpaper(HWND owner, Cimage& picture);

// A file's picture at full size, filling the desktop (cut to its proportions).
bool MakeDesktopWallpaperOfFile(HWND owner, const std::string& path);
