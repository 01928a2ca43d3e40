#pragma once
// The coefficient-space half of the lossless transform: where each block goes and what happens
// to its coefficients, and the destination's geometry and tables that follow from that.
#include <cstdio>

#include <jpeglib.h>

#include "lossless_transform.h"

namespace ravelight {

// Every transform is, in the source's orientation, an optional mirror along each axis followed by
// an optional transposition.
struct BlockMoves {
  bool mirrorX;
  bool mirrorY;
  bool transpose;
};

BlockMoves MovesOf(JpegTransform transform);

// Requests, from the source's memory manager, the destination's coefficient arrays with the
// geometry the transform gives; call after the source header and before its coefficients are
// read. The arrays go into `arrays` (one per component, at most MAX_COMPONENTS).
void RequestDestinationArrays(j_decompress_ptr source, const BlockMoves& moves, jvirt_barray_ptr* arrays);

// Brings the destination's size, sampling factors and quantisation tables, as copied from the
// source, into the transformed orientation, trimming the edges that would move partial MCUs.
void AdjustDestination(j_decompress_ptr source, j_compress_ptr destination, const BlockMoves& moves);

// Moves every block of the source into the destination arrays.
void MoveBlocks(j_decompress_ptr source, const jvirt_barray_ptr* from, const jvirt_barray_ptr* to,
                const BlockMoves& moves);

}  // namespace ravelight
