#pragma once
// libpng must neither print nor end the process. With these hooks an error jumps back to the
// setjmp of the load or save that is running, and a warning is dropped.
#include <png.h>

namespace ravelight {

[[noreturn]] inline void JumpBackOnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
inline void IgnorePngWarning(png_structp, png_const_charp) {}

}  // namespace ravelight
