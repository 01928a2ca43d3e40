#pragma once
// Draws an index image: the loaded thumbnails of the selected items on one picture, with the
// title and captions the "CreateIndex" settings ask for, and the HTML image map that goes with it.
#include <string>
#include <vector>

#include "app_settings.h"

class Cimage;

// A selected item, in list order, as the index image shows it.
struct IndexSheetItem {
  Cimage* thumbnail = nullptr;  // null (or a failed picture) while it is not loaded: left out
  std::string name;
  std::string dateText;
  std::string sizeText;
};

// Fills picture with the index image of the items at the thumbnail edge, and map with its image
// map. False, with picture failed, when the drawing surface or the picture could not be made.
bool DrawIndexSheet(const CAppSettings::CreateIndex& settings, int edge, const std::string& title,
                    const std::vector<IndexSheetItem>& items, Cimage& picture, std::string& map);

// Whether any of the items has a thumbnail to draw.
bool AnyIndexThumbnail(const std::vector<IndexSheetItem>& items);
