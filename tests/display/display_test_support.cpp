#include "display_test_support.h"

#include <cstdint>
#include <cstring>

#include "device_context.h"
#include "display_palette.h"

namespace {

const char kClassName[] = "VireldanDisplayTest";

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

}  // namespace

TestWindow::TestWindow(int width, int height) : width_(width), height_(height) {
  RegisterOnce();
  hwnd_ = ::CreateWindowExA(WS_EX_TOPMOST, kClassName, "display test", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                            nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::UpdateWindow(hwnd_);
  PumpMessages();
}

TestWindow::~TestWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  PumpMessages();
}

void TestWindow::Fill(Rgb colour) {
  ClientDC dc(hwnd_);
  GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(colour.red, colour.green, colour.blue)));
  const RECT all = {0, 0, width_, height_};
  ::FillRect(dc.get(), &all, brush.get());
}

// Through a 32-bit bitmap of our own: a bitmap compatible with a 16-bit display would hold
// 5-5-5 values under Wine and lose a bit of green.
ScreenArea TestWindow::Read() const {
  ScreenArea area;
  ClientDC dc(hwnd_);
  MemoryDC memory(dc.get());
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.get()) return area;
  {
    SelectedObject selected(memory.get(), bitmap.get());
    if (!::BitBlt(memory.get(), 0, 0, width_, height_, dc.get(), 0, 0, SRCCOPY)) return area;
  }
  ::GdiFlush();
  area.width = width_;
  area.height = height_;
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < size_t(width_) * height_; ++i) area.pixels.push_back({uint8_t(p[i] >> 16), uint8_t(p[i] >> 8), uint8_t(p[i])});
  return area;
}

int ScreenDepth() {
  HDC screen = ::GetDC(nullptr);
  const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
  ::ReleaseDC(nullptr, screen);
  return bits;
}

::testing::AssertionResult ShowsPictureAt(const ScreenArea& screen, const BgrImage& picture, int x, int y,
                                          Rgb background) {
  if (screen.pixels.empty()) return ::testing::AssertionFailure() << "the screen could not be read";
  for (int sy = 0; sy < screen.height; ++sy)
    for (int sx = 0; sx < screen.width; ++sx) {
      const bool inside = sx >= x && sx < x + picture.width && sy >= y && sy < y + picture.height;
      const Rgb expected = inside ? picture.At(sx - x, sy - y) : background;
      const Rgb got = screen.At(sx, sy);
      if (!(got == expected))
        return ::testing::AssertionFailure() << "screen pixel " << sx << "," << sy << " is " << int(got.red) << ","
                                             << int(got.green) << "," << int(got.blue) << ", not " << int(expected.red)
                                             << "," << int(expected.green) << "," << int(expected.blue);
    }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsTheDisplayPalette(HPALETTE palette) {
  PALETTEENTRY entries[256] = {};
  const UINT count = palette ? ::GetPaletteEntries(palette, 0, 256, entries) : 0;
  if (count != 236) return ::testing::AssertionFailure() << count << " entries";
  const ravelight::ColourMap& cube = ravelight::DisplayPaletteColours();
  for (int i = 0; i < 236; ++i) {
    const Rgb expected = i < 216 ? Rgb{cube.red[i], cube.green[i], cube.blue[i]} : Rgb{0, 0, 0};
    if (!(Rgb{entries[i].peRed, entries[i].peGreen, entries[i].peBlue} == expected) || entries[i].peFlags != PC_NOCOLLAPSE)
      return ::testing::AssertionFailure() << "entry " << i;
  }
  return ::testing::AssertionSuccess();
}

std::vector<uint8_t> PixelBytes(const Cimage& picture) {
  return {picture.m_pixels, picture.m_pixels + size_t(picture.m_stride) * picture.m_height};
}

::testing::AssertionResult KeepsItsCopyUntilThePixelsChange(Cimage& picture, HDC dc, int x, int y, uint8_t fill) {
  picture.DisplayImage(dc, x, y);
  const uint8_t* copy = picture.m_dispBits;
  if (!copy) return ::testing::AssertionFailure() << "no display copy";
  picture.DisplayImage(dc, x, y);
  if (picture.m_dispBits != copy) return ::testing::AssertionFailure() << "the second display made a new copy";
  std::memset(picture.m_pixels, fill, size_t(picture.m_stride) * picture.m_height);
  picture.NoAnimation();
  if (picture.m_dispBits) return ::testing::AssertionFailure() << "the copy outlived the pixels";
  picture.DisplayImage(dc, x, y);
  if (!picture.m_dispBits) return ::testing::AssertionFailure() << "no copy of the new pixels";
  return ::testing::AssertionSuccess();
}
