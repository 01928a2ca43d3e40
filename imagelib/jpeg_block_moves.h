#pragma once
// The coefficient-space half of the lossless transform: where each block goes and what happens
// to its coefficients, which components go along, and the destination's geometry and tables that
// follow from that.
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

// The moves, and whether the destination keeps only the source's first component (the
// luminance) as a greyscale picture sampled 1 × 1, whose MCUs are then single blocks.
struct BlockPlan {
  BlockMoves moves;
  bool greyscale;
};

// Whether the source can be made greyscale: YCbCr with its luminance at full resolution, or
// greyscale already.
bool CanKeepLuminanceOnly(j_decompress_ptr source);

// Requests, from the source's memory manager, the destination's coefficient arrays with the
// geometry the plan gives; call after the source header and before its coefficients are read.
// The arrays go into `arrays` (one per destination component, at most MAX_COMPONENTS).
void RequestDestinationArrays(j_decompress_ptr source, const BlockPlan& plan, jvirt_barray_ptr* arrays);

// Brings the destination, as copied from the source, to the plan: greyscale when asked, then its
// size, sampling factors and quantisation tables into the transformed orientation, trimming the
// edges that would move partial MCUs.
void AdjustDestination(j_decompress_ptr source, j_compress_ptr destination, const BlockPlan& plan);

// Moves every block of the source's carried components into the destination arrays.
void MoveBlocks(j_decompress_ptr source, const jvirt_barray_ptr* from, const jvirt_barray_ptr* to,
                const BlockPlan& plan);

}  // namespace ravelight
