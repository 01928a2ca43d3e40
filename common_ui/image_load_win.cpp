#include "image_load.h"

#include <cstring>

#include "app.h"
#include "com_scope.h"
#include "private_messages.h"
#include "worker_thread.h"

namespace {

constexpr int kFitExactly = 4;

// Runs on the request's own thread, which touches nothing else until it hands the request over.
void ImageLoadThread(ImageLoadRequest* request) {
  const ComScope com;
  request->image->LoadImageA(request->path, request->width, request->height, kFitExactly);
  const LPARAM carried = reinterpret_cast<LPARAM>(request);
  if (::SendMessageA(request->hwnd, WM_IMAGE_LOADED, 0, carried) != kImageTaken) {
    // The asker is gone (or was never ours): the main window frees it. When that one is gone
    // too, as while the program closes, nobody else will, so the thread does.
    const App* app = App::Instance();
    const HWND mainWindow = app ? app->MainWindow() : nullptr;
    if (!mainWindow || !::PostMessageA(mainWindow, WM_IMAGE_LOADED, 0, carried))
      TakeImageLoadRequest(carried).reset();
  }
}

}  // namespace

bool LoadImageAsync(HWND hwnd, const char* path, int sequence, int width, int height) {
  if (std::strlen(path) >= MAX_PATH) return false;
  auto request = std::make_unique<ImageLoadRequest>();
  request->hwnd = hwnd;
  std::strcpy(request->path, path);
  request->image = std::make_unique<Cimage>();
  request->sequence = sequence;
  request->width = width;
  request->height = height;
  ImageLoadRequest* handed = request.get();
  if (!StartDetachedThread([handed] { ImageLoadThread(handed); })) return false;
  request.release();  // the thread hands it on
  return true;
}
