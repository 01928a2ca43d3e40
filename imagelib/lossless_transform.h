#pragma once
// Turning or mirroring a JPEG file without decoding its pixels: the DCT coefficient blocks are
// moved and sign-flipped, so the picture loses nothing. Edges that are not whole MCUs and would
// have to move are trimmed off; the file's APPn and comment segments are carried over.
#include <cstdio>

#include "ravelight_api.h"

namespace ravelight {

enum class JpegTransform {
  kNone = 0,
  kFlipHorizontal = 1,
  kFlipVertical = 2,
  kTranspose = 3,   // across the top-left to bottom-right diagonal
  kTransverse = 4,  // across the other diagonal
  kRotate90 = 5,    // clockwise
  kRotate180 = 6,
  kRotate270 = 7,
};

// Reads a JPEG from `from` and writes it transformed to `to`. False when either side of the codec
// failed or so much as warned (a damaged source would otherwise be written out damaged); `to`
// then holds an unusable partial file.
// Exported beside the picture object: the transform is a module of the library in its own right.
RAVELIGHT_API bool TransformJpeg(FILE* from, FILE* to, JpegTransform transform);

}  // namespace ravelight
