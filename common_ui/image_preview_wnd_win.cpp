#include "image_preview_wnd.h"

#include "picture_on_white.h"

namespace {

// Decode at thumbnail size, fitted into the box.
constexpr int kThumbnailFit = 1;

}  // namespace

int CImagePreviewWnd::ShowFile(const std::string& path) {
  if (path == fileName_) return 0;
  fileName_ = path;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  picture_.LoadImageA(path.c_str(), client.right, client.bottom, kThumbnailFit);
  ::InvalidateRect(Handle(), nullptr, FALSE);
  return 1;
}

void CImagePreviewWnd::SetImage(const Cimage& image) {
  picture_ = image;
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CImagePreviewWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPictureOnWhite(Handle(), &picture_, PictureAlignment::kCentred);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return Default(message, wParam, lParam);
  }
}
