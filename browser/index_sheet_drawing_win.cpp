#include "index_sheet_drawing.h"

#include <windows.h>

#include "Cimage.h"
#include "device_context.h"
#include "index_image_map.h"
#include "index_sheet_layout.h"

namespace {

constexpr int kCaptionFontHeight = 14;
constexpr int kTitleFontHeight = 16;
constexpr int kFontWeight = 500;

bool HasThumbnail(const IndexSheetItem& item) {
  return item.thumbnail && !item.thumbnail->m_loadError && item.thumbnail->m_width > 0 &&
         item.thumbnail->m_height > 0;
}

HFONT CreateArial(int height) {
  return ::CreateFontA(height, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "arial");
}

void DrawBoxText(HDC dc, const std::string& text, RECT box, UINT flags) {
  ::DrawTextA(dc, text.c_str(), int(text.size()), &box, flags);
}

// The enabled caption lines under a thumbnail whose left edge is x, from the baseline down.
void DrawCaptions(HDC dc, const CAppSettings::CreateIndex& settings, int edge, const IndexSheetItem& item, int x,
                  int baseline) {
  const std::string* lines[] = {settings.name ? &item.name : nullptr, settings.date ? &item.dateText : nullptr,
                                settings.size ? &item.sizeText : nullptr};
  int top = baseline;
  for (const std::string* line : lines) {
    if (!line) continue;
    DrawBoxText(dc, *line, {x, top, x + edge, top + kIndexCaptionBox}, DT_SINGLELINE | DT_BOTTOM);
    top += kIndexCaptionLine;
  }
}

}  // namespace

bool AnyIndexThumbnail(const std::vector<IndexSheetItem>& items) {
  for (const IndexSheetItem& item : items)
    if (HasThumbnail(item)) return true;
  return false;
}

bool DrawIndexSheet(const CAppSettings::CreateIndex& settings, int edge, const std::string& title,
                    const std::vector<IndexSheetItem>& items, Cimage& picture, std::string& map) {
  std::vector<IndexThumb> thumbs;
  std::vector<std::string> names;
  for (const IndexSheetItem& item : items) {
    const bool loaded = HasThumbnail(item);
    thumbs.push_back({loaded, loaded ? item.thumbnail->m_width : 0, loaded ? item.thumbnail->m_height : 0});
    names.push_back(item.name);
  }
  const IndexSheetLayout layout = LayOutIndexSheet(settings, edge, thumbs);

  // The surface is only as high as the picture is cut to: everything drawn below the cut would
  // be cut away, and a grid of empty rows would cost memory for nothing.
  ClientDC screen(nullptr);
  MemoryDC surface(screen.get());
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = layout.width;
  header.bmiHeader.biHeight = -layout.height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 24;
  header.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(
      layout.height > 0 ? ::CreateDIBSection(screen.get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
  if (!surface.get() || !bitmap.get()) {
    picture.DeleteImage();
    picture.m_loadError = 1;
    return false;
  }
  {
    SelectedObject useBitmap(surface.get(), bitmap.get());
    const HDC dc = surface.get();
    GdiObject<HBRUSH> background(::CreateSolidBrush(COLORREF(settings.color)));
    const RECT all = {0, 0, layout.width, layout.height};
    ::FillRect(dc, &all, background.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, COLORREF(settings.fgcolor));

    GdiObject<HFONT> captionFont(CreateArial(kCaptionFontHeight));
    {
      SelectedObject useFont(dc, captionFont.get());
      for (const IndexPlace& place : layout.places) {
        const IndexSheetItem& item = items[place.item];
        item.thumbnail->DisplayImage(dc, place.x, place.baseline - place.height);
        DrawCaptions(dc, settings, edge, item, place.x, place.baseline);
      }
    }
    if (settings.title) {
      GdiObject<HFONT> titleFont(CreateArial(kTitleFontHeight));
      SelectedObject useFont(dc, titleFont.get());
      DrawBoxText(dc, title, {0, 0, layout.width, kIndexTitleBand}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::GdiFlush();
    picture.FromDC(dc, layout.width, layout.height);
  }
  if (picture.m_loadError) return false;
  map = IndexImageMap(layout.places, names);
  return true;
}
