#pragma once
// Where a fit into a box ends: the halvings before the bilinear step and the final size. Loads
// that decode a JPEG at a reduced scale plan from the file's size, so that they end exactly where
// the same fit of the whole picture would.
namespace ravelight {

struct FitPlan {
  int halvings;
  int width, height;
};

// The fit of a width × height picture into boxWidth × boxHeight, keeping the aspect: halved while
// either side is more than twice the box (and both above 4 pixels), then sized from the halved
// picture, at least one pixel each way.
FitPlan PlanFit(int width, int height, int boxWidth, int boxHeight);

// The box that a width × height picture covers exactly to fill frameWidth × frameHeight, keeping
// the aspect; what sticks out is cut afterwards.
void CoverBox(int width, int height, int frameWidth, int frameHeight, int* boxWidth, int* boxHeight);

// The DCT scale denominator (1, 2, 4 or 8) at which a JPEG of fileWidth × fileHeight still decodes
// at least as large as its fit (fill 0) or cover (fill 1) of the frame both ways: the largest.
int FrameDecodeDenominator(int fileWidth, int fileHeight, int frameWidth, int frameHeight, int fill);

}  // namespace ravelight
