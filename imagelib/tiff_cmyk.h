#pragma once
// CMYK TIFFs are shown with the library's own ink model (RGBfromCMYK), the same one CMYK JPEG
// and PSD files go through, rather than libtiff's plain subtraction.
#include <tiffio.h>

namespace ravelight {

// After TIFFRGBAImageBegin: replaces libtiff's put routine for contiguous 8-bit CMYK data by
// ours; any other kind of image keeps libtiff's own.
void UseOwnCmykConversion(TIFFRGBAImage* image);

}  // namespace ravelight
