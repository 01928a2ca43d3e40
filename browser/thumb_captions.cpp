#include "thumb_captions.h"

#include <cstdio>

#include "Cimage.h"
#include "thumb_item.h"

std::string SizeCaption(const CThumbItem& item) {
  char text[80];
  const Cimage* thumbnail = item.thumbnail;
  if (thumbnail && !thumbnail->m_loadError)
    std::snprintf(text, sizeof text, "%i K, %i x %i", int(item.sizeKB), thumbnail->m_origWidth,
                  thumbnail->m_origHeight);
  else if (thumbnail || item.sizeKB != 0)
    std::snprintf(text, sizeof text, "%i K", int(item.sizeKB));
  else
    text[0] = '\0';
  return text;
}

std::string ListingStatusText(int count, int64_t totalKB, int selected, int64_t selectedKB) {
  char text[96];
  if (selected > 0)
    std::snprintf(text, sizeof text, "%i Selected,  %lldKb ", selected, static_cast<long long>(selectedKB));
  else
    std::snprintf(text, sizeof text, "%i File(s), %lldKb Total", count, static_cast<long long>(totalKB));
  return text;
}
