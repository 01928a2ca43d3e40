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

// Which of the source's segments the result carries, by the codec library's copy options: none,
// comments only, or comments and every APPn segment. Either way the result has the JFIF header
// (or, for CMYK, the Adobe segment) that the codec writes itself, and no second one.
enum class JpegMarkerCopy { kNone = 0, kComments = 1, kAll = 2 };

struct JpegTransformOptions {
  JpegTransform transform = JpegTransform::kNone;
  // Keep only the luminance: a one-component greyscale file sampled 1 × 1, whose MCUs are single
  // blocks (so trimming cuts to multiples of 8). Only for YCbCr files whose luminance is at full
  // resolution, and for greyscale files; for any other the transform fails.
  bool forceGreyscale = false;
  JpegMarkerCopy markers = JpegMarkerCopy::kAll;
};

// Reads a JPEG from `from` and writes it transformed to `to`. False when either side of the codec
// failed or so much as warned (a damaged source would otherwise be written out damaged); `to`
// then holds an unusable partial file. Edges are always trimmed.
// Exported beside the picture object: the transform is a module of the library in its own right.
RAVELIGHT_API bool TransformJpeg(FILE* from, FILE* to, const JpegTransformOptions& options);

// As the library turns files: colours kept and every segment carried over.
RAVELIGHT_API bool TransformJpeg(FILE* from, FILE* to, JpegTransform transform);

}  // namespace ravelight
