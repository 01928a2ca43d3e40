#pragma once
// Where an index image (a contact sheet of the selected thumbnails) puts each picture, and how
// big it is, from the "CreateIndex" settings and the view's thumbnail edge.
#include <cstddef>
#include <vector>

#include "app_settings.h"

constexpr int kIndexTitleBand = 20;    // height of the title band at the top
constexpr int kIndexCaptionLine = 15;  // each caption line advances this far
constexpr int kIndexCaptionBox = 16;   // and is drawn in a box this high, the edge wide
constexpr int kIndexMaxGrid = 1000;    // columns and rows are kept within 1..this

// A selected item, in list order: the size of its thumbnail when one is loaded.
struct IndexThumb {
  bool loaded = false;
  int width = 0;
  int height = 0;
};

// A thumbnail's place: left edge x, bottom-aligned on the baseline (its last row is baseline - 1).
struct IndexPlace {
  size_t item;  // position in the list of selected items
  int x;
  int baseline;
  int width;
  int height;
};

struct IndexSheetLayout {
  int titleBand = 0;
  int spacing = 0;       // margin and gap between cells
  int pitch = 0;         // from one cell to the next, across and down
  int captionLines = 0;  // under each thumbnail
  int width = 0;
  int surfaceHeight = 0;  // the surface drawn on, enough for every row full
  int height = 0;         // the picture cut to the rows used
  std::vector<IndexPlace> places;
};

IndexSheetLayout LayOutIndexSheet(const CAppSettings::CreateIndex& settings, int edge,
                                  const std::vector<IndexThumb>& thumbs);
