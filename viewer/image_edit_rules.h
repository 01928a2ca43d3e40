#pragma once
// The arithmetic of the image window's edits, apart from the window: which part of the picture a
// crop keeps, where red-eye is fixed, what size a resize makes, how far a drawn line turns the
// picture, the filters' kernels, and whether a save would keep fewer pixels than the file has.
// Every rule says "nothing to do" rather than hand the image library an area, point or size
// outside the picture.
#include <array>

#include "geometry.h"
#include "picture_size_rules.h"

// The tracked rectangle (image pixels, corners in any order) cut to the picture; false when
// nothing of the picture is left inside it.
bool CropArea(CRect tracked, int width, int height, CRect& area);

// A right-click beside the picture (in the margin of a zoomed-out window) names no pixel of it.
bool PointInPicture(CPoint point, int width, int height);

// The size a resize makes of the size chosen: false for a side of 0 or less; a size past the
// library's limits shrinks to them.
bool ResizeTarget(int width, int height, PictureSize& size);

// The angle in radians that straightens the picture along the line drawn from start to end
// (client pixels); false when the line is shorter than 2 pixels either way.
bool DeskewAngle(CPoint start, CPoint end, double& angle);

// The six filters, in the order of their commands.
enum class FilterStrength { kSharpenMildly, kSharpenModerately, kSharpenHeavily, kSmoothMildly, kSmoothModerately,
                            kSmoothHeavily };
constexpr int kFilterCount = 6;
// The 3 × 3 weights, row by row: the centre weight with all eight neighbours alike.
std::array<int, 9> FilterKernel(FilterStrength strength);

// A picture shown smaller than its file in a window that fits pictures to the screen: a save of
// it would write the smaller picture. The library's scale is either a small ratio
// (numerator:denominator) or, after a fit to a box, the shown width and height.
bool ShownReduced(bool autosizing, int scaleNum, int scaleDen, int widthInFile);
