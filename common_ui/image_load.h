#pragma once
// Loads one picture on a short-lived thread of its own and hands it to a window, so that the
// window can show a picture without holding up the user interface. The window answers the
// WM_IMAGE_LOADED message it is sent with kImageTaken when it takes the request (it then owns
// the request and its picture); a window that is gone or does not answer so leaves the request
// to the program's main window, whose handler frees it.
#include <windows.h>

#include <memory>

#include "Cimage.h"

constexpr LRESULT kImageTaken = 1234;

struct ImageLoadRequest {
  HWND hwnd = nullptr;     // who asked
  char path[MAX_PATH] = {};
  std::unique_ptr<Cimage> image;  // loaded (or with m_loadError set) when it arrives
  int sequence = 0;        // the asker's own number, handed back unchanged
  int width = 0, height = 0;  // the box the picture is fitted into
};

// Starts the load of path fitted into width × height; the answer comes to hwnd as
// WM_IMAGE_LOADED with the request in lParam, also when the file cannot be read. False (and no
// answer) when the path is too long or no thread could be started.
bool LoadImageAsync(HWND hwnd, const char* path, int sequence, int width, int height);

// The request carried by a WM_IMAGE_LOADED message, now owned by the caller.
inline std::unique_ptr<ImageLoadRequest> TakeImageLoadRequest(LPARAM lParam) {
  return std::unique_ptr<ImageLoadRequest>(reinterpret_cast<ImageLoadRequest*>(lParam));
}
