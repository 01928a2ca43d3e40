#pragma once
// Carrying a JPEG file's APPn and comment segments over to a rewritten file.
#include <cstdio>

#include <jpeglib.h>

namespace ravelight {

// Asks the decompressor to keep every APPn and comment segment it reads; call before the header.
void KeepAllMarkers(j_decompress_ptr source);

// Writes the kept segments to the destination, in their order, after its own headers: all but a
// JFIF APP0 or an Adobe APP14 that the destination has already written its own of.
void WriteKeptMarkers(j_decompress_ptr source, j_compress_ptr destination);

}  // namespace ravelight
