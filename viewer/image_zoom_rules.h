#pragma once
// The image window's zoom ratios. Pan/zoom mode shows the picture at one of a fixed ladder of
// ratios, 1:8 up to 8:1; an autosizing window shows it at whatever scale fitted the screen, and
// the first zoom or edit picks the ladder's ratio from that scale given as a percentage.

struct ZoomRatio {
  int num;
  int den;
  bool operator==(const ZoomRatio& other) const { return num == other.num && den == other.den; }
};

// One step up or down the ladder; the ends stay where they are.
ZoomRatio ZoomInStep(ZoomRatio ratio);
ZoomRatio ZoomOutStep(ZoomRatio ratio);

// The shown width as a percentage of the width in the file (0 when the file's width is unknown).
int ShownPercent(int shownWidth, int fileWidth);

// The ratio Zoom In and Zoom Out give for a picture shown at `percent` of its size.
ZoomRatio ZoomInFromPercent(int percent);
ZoomRatio ZoomOutFromPercent(int percent);
// The ladder's ratio nearest a shown scale, which an edit keeps when it leaves autosizing mode.
ZoomRatio NearestZoom(int percent);
