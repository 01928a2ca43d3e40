// VNSaver.scr, the screen saver Vireldan keeps a folder for: it shows the pictures of the
// "vnsaver" folder beside it. The system starts a screen saver with "/s" (run full screen),
// "/p <window>" (preview inside that window), "/c" or nothing (settings); "-" works as "/".
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "saver_playlist.h"
#include "saver_window_win.h"

namespace {

std::string PictureFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + "vnsaver\\";
}

// The settings: what there is to know, since the folder and the slide order are the settings.
int ShowSettings(const std::string& folder) {
  const std::string text = "VN Screen Saver shows the pictures of the folder\n" + folder +
                           "\none after another, each for " + std::to_string(kSaverSecondsPerPicture) +
                           " seconds, fitted to the screen, in the folder's slide order (or by name when it has "
                           "none).\n\nPut pictures in that folder, and arrange them in Vireldan, to choose what it "
                           "shows.";
  ::MessageBoxA(nullptr, text.c_str(), "VN Screen Saver", MB_OK | MB_ICONINFORMATION);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const char* c = commandLine;
  while (*c == ' ' || *c == '\t') ++c;
  const char mode = (*c == '/' || *c == '-') ? char(std::tolower(static_cast<unsigned char>(c[1]))) : 'c';
  const std::string folder = PictureFolder();
  if (mode == 's') return RunSaverWindow(folder, SaverPlaylist(folder), nullptr);
  if (mode == 'p') {
    // "/p 1234" or "/p:1234": the preview window's handle in decimal.
    const char* number = c + 2;
    while (*number == ' ' || *number == ':') ++number;
    const HWND parent = reinterpret_cast<HWND>(std::strtoul(number, nullptr, 10));
    if (!::IsWindow(parent)) return 1;
    return RunSaverWindow(folder, SaverPlaylist(folder), parent);
  }
  return ShowSettings(folder);
}
