#pragma once
// A file's picture made ready for the image area of a batch-print cell: decoded no larger than
// the area needs, turned to the area's shape unless kept upright, resampled and, when
// overfilling, cut to the area's shape; and where it goes in the area.
#include <string>

#include "Cimage.h"
#include "batch_print_layout.h"

struct CellPicture {
  Cimage picture;
  PictureFit fit;  // where the picture, as it now is, goes in the area
  std::string path;
  // The picture's size in its file, turned with the picture, for the size caption: neither the
  // resampling nor the cut made for the cell changes what the file holds.
  int captionWidth = 0, captionHeight = 0;
};

// Nothing prints (fit.Prints() false) for an area of no size or a picture that cannot be loaded.
void PrepareCellPicture(CellPicture& cell, const std::string& path, int areaWidth, int areaHeight, bool upright,
                        bool overfill);

// Turns (unless upright), resamples and, when overfilling, cuts a picture for an area; where the
// picture, as it then is, goes in the area. turned says whether it was turned.
PictureFit ShapePictureForArea(Cimage& picture, int areaWidth, int areaHeight, bool upright, bool overfill,
                               bool& turned);

// The cut of a fit for the picture as the resampling left it: the resampling keeps the aspect
// and may end a pixel short of the planned size, so the cut is kept within the picture (a cut
// past it would be refused and the whole picture squeezed into the area). No cut (Crops() false)
// when it would keep the whole picture.
PictureFit CutWithinPicture(PictureFit fit, int width, int height);
