#pragma once
// Carrying a JPEG file's APPn and comment segments over to a rewritten file.
#include <cstdio>

#include <jpeglib.h>

#include "lossless_transform.h"

namespace ravelight {

// Asks the decompressor to keep the segments that the copy option carries over (comments unless
// none, APPn only for all); call before the header.
void KeepMarkers(j_decompress_ptr source, JpegMarkerCopy copy);

// Writes the kept segments to the destination, in their order, after its own headers: all but a
// JFIF APP0 or an Adobe APP14 that the destination has already written its own of.
void WriteKeptMarkers(j_decompress_ptr source, j_compress_ptr destination);

}  // namespace ravelight
