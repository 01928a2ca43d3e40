#include "caption_line.h"

#include <vector>

namespace {

constexpr int kCaptionFontHeight = 14;
constexpr int kCaptionFontWeight = 500;
constexpr BYTE kCaptionFontPitchAndFamily = FF_ROMAN;  // the face name decides, on every system

// DT_MODIFYSTRING writes the ellipsis into the text: up to four characters more than it had.
constexpr size_t kEllipsisRoom = 4;

}  // namespace

HFONT CreateCaptionFont() {
  return ::CreateFontA(kCaptionFontHeight, 0, 0, 0, kCaptionFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, kCaptionFontPitchAndFamily, "arial");
}

std::string DrawCaptionLine(HDC dc, const std::string& text, int x, int y, int width, int height) {
  std::vector<char> drawn(text.begin(), text.end());
  drawn.resize(text.size() + kEllipsisRoom + 1, '\0');
  RECT line = {x, y, x + (width > 0 ? width : 0), y + height};
  ::DrawTextA(dc, drawn.data(), int(text.size()), &line,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  return drawn.data();
}
