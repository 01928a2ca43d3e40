#pragma once
// The collage's pictures on their canvas, free of windows: adding and placing them, scaling the
// whole layout, stacking, fitting the canvas and flattening it into one picture. Every size the
// layout would reach is checked against what a picture can be before anything changes.
#include <memory>
#include <string>
#include <vector>

#include "Cimage.h"

extern const char kCollageTooLarge[];

struct CollageItem {
  std::string path;
  int x = 0, y = 0;  // the picture's top-left corner in canvas pixels; may lie outside the canvas
  Cimage shown;      // the source fitted to its size on the canvas
  Cimage source;     // the file at full size: every resize starts from it again
  // The shown size; 0 × 0 for a file that did not load (it draws nothing).
  int Width() const { return shown.m_pixels ? shown.m_width : 0; }
  int Height() const { return shown.m_pixels ? shown.m_height : 0; }
  bool Contains(int px, int py) const { return px > x && px < x + Width() && py > y && py < y + Height(); }
};

class CollageLayout {
 public:
  static constexpr int kGap = 25;
  static constexpr int kDropOffset = 100;

  // Loads the file at full size and places a copy fitted into defaultWidth × defaultHeight at the
  // next placement point, which then moves on along the row (to the next row past the canvas).
  CollageItem& Add(const std::string& path, int defaultWidth, int defaultHeight);
  // A single dropped file lands with its corner 100 pixels above and left of the drop point.
  void PlaceNextAt(int x, int y);

  // Scales canvas, positions and pictures by factor; false (changing nothing) with a reason when
  // the result would be larger than a picture may be or the factor is not above 0.
  bool Scale(double factor, std::string& refusal);
  // The display zoom: the layout is scaled to the new zoom (the same zoom refits every picture).
  bool SetZoom(double zoom, std::string& refusal);
  double Zoom() const { return zoom_; }
  // The canvas becomes the bounding box of the pictures, which move with it.
  void ShrinkFit();
  void MoveAll(int dx, int dy);
  // Refits the item from its source into a dragged box, keeping its proportions.
  bool Resize(CollageItem& item, int width, int height, std::string& refusal);

  // The topmost picture whose rectangle holds the canvas point strictly inside; null when none.
  CollageItem* HitTest(int x, int y) const;
  void Remove(const CollageItem* item);
  void ToFront(const CollageItem* item);
  void ToBack(const CollageItem* item);

  // The canvas in `colour` (a COLORREF) with every picture's part inside it, in stacking order;
  // false with a reason when the canvas is not a size a picture can have.
  bool Flatten(Cimage& picture, unsigned colour, std::string& refusal) const;

  const std::vector<std::unique_ptr<CollageItem>>& Items() const { return items_; }
  int canvasWidth = 1200, canvasHeight = 900;
  int nextX = kGap, nextY = kGap;

 private:
  size_t IndexOf(const CollageItem* item) const;
  std::vector<std::unique_ptr<CollageItem>> items_;
  double zoom_ = 1.0;
};

// The factor typed into the Scale Collage dialog; 1.0 for a text that does not read as a number.
double ParseScaleFactor(const std::string& text);
