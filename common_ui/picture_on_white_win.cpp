#include "picture_on_white.h"

#include "Cimage.h"
#include "device_context.h"
#include "library_palette.h"

namespace {

int Offset(int client, int picture, PictureAlignment alignment) {
  const int centred = (client - picture) / 2;
  return alignment == PictureAlignment::kCentredOrOrigin && centred < 0 ? 0 : centred;
}

}  // namespace

void PaintPictureOnWhite(HWND window, Cimage* picture, PictureAlignment alignment) {
  RECT client = {};
  ::GetClientRect(window, &client);
  const bool shown = picture && picture->m_pixels;
  PaintPictureOnBackground(window, picture, shown ? Offset(client.right, picture->m_width, alignment) : 0,
                           shown ? Offset(client.bottom, picture->m_height, alignment) : 0, RGB(255, 255, 255));
}

void PaintPictureOnBackground(HWND window, Cimage* picture, int x, int y, COLORREF background) {
  PaintDC paint(window);
  RECT client = {};
  ::GetClientRect(window, &client);
  MemoryDC memory(paint.get());
  GdiObject<HBITMAP> buffer(::CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
  if (!memory.get() || !buffer.get()) return;
  SelectedObject selected(memory.get(), buffer.get());
  LibraryPalette screenPalette(paint.get());
  LibraryPalette bufferPalette(memory.get());
  GdiObject<HBRUSH> brush(::CreateSolidBrush(background));
  ::FillRect(memory.get(), &client, brush.get());
  if (picture && picture->m_pixels) picture->DisplayImage(memory.get(), x, y);
  ::BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}
