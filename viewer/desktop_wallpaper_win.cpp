#include "desktop_wallpaper.h"

#include "app.h"
#include "save_image_dialog_rules.h"
#include "wait_cursor.h"

namespace {

const char kLoadErrorMessage[] = "Error loading image file";

void Tell(HWND owner, const char* text) { ::MessageBoxA(owner, text, MessageCaption(), MB_OK | MB_ICONEXCLAMATION); }

// Written with fixed options, whatever the user chose for saving BMP files: no palette.
bool WriteWallpaper(Cimage& picture, const std::string& path) {
  picture.SaveImage(path.c_str(), 80, 0, 1, 0, 1, 1, 0);
  return !picture.m_saveError;
}

// Kept in the user's profile too: a wallpaper the user chose lasts beyond the next log-on.
bool ShowAsWallpaper(const std::string& path) {
  return ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != 0;
}

}  // namespace

std::string WallpaperPath() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return std::string(folder) + "\\Vireldan Wallpaper.bmp";
}

bool MakeDesktopWallpaper(HWND owner, Cimage& picture) {
  bool written;
  const std::string path = WallpaperPath();
  {
    WaitCursor wait;
    written = !path.empty() && WriteWallpaper(picture, path) && ShowAsWallpaper(path);
  }
  if (!written) Tell(owner, kSaveErrorMessage);
  return written;
}

bool MakeDesktopWallpaperOfFile(HWND owner, const std::string& path) {
  Cimage picture;
  {
    WaitCursor wait;
    picture.LoadImageA(path.c_str(), 0, 0, 5);
    if (!picture.m_loadError && picture.m_valid) {
      RECT desktop = {};
      ::GetClientRect(::GetDesktopWindow(), &desktop);
      picture.FrameFill(desktop.right - desktop.left, desktop.bottom - desktop.top, 1);
    }
  }
  if (picture.m_loadError || !picture.m_valid) {
    Tell(owner, kLoadErrorMessage);
    return false;
  }
  return MakeDesktopWallpaper(owner, picture);
}
