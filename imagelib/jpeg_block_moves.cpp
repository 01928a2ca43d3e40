// Lossless turns and mirrors in coefficient space. A mirror reverses the order of the blocks
// along one axis and negates the coefficients of odd frequency along it; a transposition swaps
// block positions and each block's coefficients [i][j] with [j][i]. A greyscale result is the
// luminance alone, its blocks moved the same way.
#include "jpeg_block_moves.h"

#include <algorithm>
#include <cstdint>

namespace ravelight {
namespace {

constexpr int kBlock = DCTSIZE;  // 8 samples each way

JDIMENSION DivideRoundingUp(int64_t a, int64_t b) { return JDIMENSION((a + b - 1) / b); }
JDIMENSION RoundUp(JDIMENSION a, int multiple) { return DivideRoundingUp(a, multiple) * JDIMENSION(multiple); }

// The source's components that the destination carries, with their sampling factors as the
// destination has them before any transposition: all of them as they are, or for greyscale the
// first alone, sampled 1 × 1 (its blocks are the picture's full-resolution blocks either way).
struct Carried {
  int components;
  int maxH;
  int maxV;
  int h[MAX_COMPONENTS];
  int v[MAX_COMPONENTS];
};

Carried CarriedOf(j_decompress_ptr source, const BlockPlan& plan) {
  Carried carried;
  carried.components = plan.greyscale ? 1 : source->num_components;
  carried.maxH = plan.greyscale ? 1 : source->max_h_samp_factor;
  carried.maxV = plan.greyscale ? 1 : source->max_v_samp_factor;
  for (int c = 0; c < carried.components; ++c) {
    carried.h[c] = plan.greyscale ? 1 : source->comp_info[c].h_samp_factor;
    carried.v[c] = plan.greyscale ? 1 : source->comp_info[c].v_samp_factor;
  }
  return carried;
}

// The destination picture: its size in samples after trimming and its largest sampling factors.
struct Geometry {
  JDIMENSION width;
  JDIMENSION height;
  int maxH;
  int maxV;
};

// An edge whose partial MCU a mirror would move to the other side is cut back to whole MCUs,
// unless the picture is smaller than one MCU that way.
JDIMENSION Trimmed(JDIMENSION size, int mcu) {
  const JDIMENSION whole = size / JDIMENSION(mcu) * JDIMENSION(mcu);
  return whole ? whole : size;
}

Geometry DestinationGeometry(j_decompress_ptr source, const BlockPlan& plan) {
  const BlockMoves& moves = plan.moves;
  const Carried carried = CarriedOf(source, plan);
  Geometry g;
  g.width = moves.transpose ? source->image_height : source->image_width;
  g.height = moves.transpose ? source->image_width : source->image_height;
  g.maxH = moves.transpose ? carried.maxV : carried.maxH;
  g.maxV = moves.transpose ? carried.maxH : carried.maxV;
  // A mirror of the source's x axis lands on the destination's x axis, or on its y axis after a
  // transposition.
  const bool trimRight = moves.transpose ? moves.mirrorY : moves.mirrorX;
  const bool trimBottom = moves.transpose ? moves.mirrorX : moves.mirrorY;
  if (trimRight) g.width = Trimmed(g.width, kBlock * g.maxH);
  if (trimBottom) g.height = Trimmed(g.height, kBlock * g.maxV);
  return g;
}

// One component of the destination, in blocks: the part the coder reads, and the size of its
// array (whole MCUs, as the coder walks it).
struct ComponentBlocks {
  JDIMENSION width;
  JDIMENSION height;
  JDIMENSION arrayWidth;
  JDIMENSION arrayHeight;
};

ComponentBlocks DestinationBlocks(j_decompress_ptr source, const BlockPlan& plan, int component) {
  const Geometry g = DestinationGeometry(source, plan);
  const Carried carried = CarriedOf(source, plan);
  const int h = plan.moves.transpose ? carried.v[component] : carried.h[component];
  const int v = plan.moves.transpose ? carried.h[component] : carried.v[component];
  ComponentBlocks blocks;
  blocks.width = DivideRoundingUp(int64_t(g.width) * h, int64_t(g.maxH) * kBlock);
  blocks.height = DivideRoundingUp(int64_t(g.height) * v, int64_t(g.maxV) * kBlock);
  blocks.arrayWidth = RoundUp(blocks.width, h);
  blocks.arrayHeight = RoundUp(blocks.height, v);
  return blocks;
}

// For each coefficient of a destination block: which source coefficient it takes, and its sign.
struct BlockRecipe {
  uint8_t from[DCTSIZE2];
  int8_t sign[DCTSIZE2];
};

BlockRecipe RecipeFor(bool mirrorX, bool mirrorY, bool transpose) {
  BlockRecipe recipe;
  for (int k = 0; k < DCTSIZE2; ++k) {
    const int row = k / kBlock, column = k % kBlock;
    const int from = transpose ? column * kBlock + row : k;
    const bool oddAcross = (from % kBlock) % 2 == 1;  // horizontal frequency
    const bool oddDown = (from / kBlock) % 2 == 1;    // vertical frequency
    recipe.from[k] = uint8_t(from);
    recipe.sign[k] = ((mirrorX && oddAcross) != (mirrorY && oddDown)) ? -1 : 1;
  }
  return recipe;
}

// Position along a mirrored axis: reversed within the whole MCUs, left alone in a partial MCU
// that trimming kept (only a picture smaller than one MCU has one).
struct AxisPosition {
  JDIMENSION at;
  bool mirrored;
};

AxisPosition Mirror(JDIMENSION at, bool mirror, JDIMENSION extent) {
  if (mirror && at < extent) return {extent - 1 - at, true};
  return {at, false};
}

}  // namespace

BlockMoves MovesOf(JpegTransform transform) {
  switch (transform) {
    case JpegTransform::kNone: return {false, false, false};
    case JpegTransform::kFlipHorizontal: return {true, false, false};
    case JpegTransform::kFlipVertical: return {false, true, false};
    case JpegTransform::kTranspose: return {false, false, true};
    case JpegTransform::kTransverse: return {true, true, true};
    case JpegTransform::kRotate90: return {false, true, true};
    case JpegTransform::kRotate180: return {true, true, false};
    case JpegTransform::kRotate270: return {true, false, true};
  }
  return {false, false, false};
}

bool CanKeepLuminanceOnly(j_decompress_ptr source) {
  const bool luminanceAndColour = source->jpeg_color_space == JCS_YCbCr && source->num_components == 3;
  const bool grey = source->jpeg_color_space == JCS_GRAYSCALE && source->num_components == 1;
  return (luminanceAndColour || grey) && source->comp_info[0].h_samp_factor == source->max_h_samp_factor &&
         source->comp_info[0].v_samp_factor == source->max_v_samp_factor;
}

void RequestDestinationArrays(j_decompress_ptr source, const BlockPlan& plan, jvirt_barray_ptr* arrays) {
  const int components = CarriedOf(source, plan).components;
  for (int c = 0; c < components; ++c) {
    const ComponentBlocks blocks = DestinationBlocks(source, plan, c);
    // Accessible whole, so the blocks can be placed in the order the source is read.
    arrays[c] = source->mem->request_virt_barray(reinterpret_cast<j_common_ptr>(source), JPOOL_IMAGE, FALSE,
                                                 blocks.arrayWidth, blocks.arrayHeight, blocks.arrayHeight);
  }
}

void AdjustDestination(j_decompress_ptr source, j_compress_ptr destination, const BlockPlan& plan) {
  if (plan.greyscale) {
    // The codec's own settings for greyscale (one component sampled 1 × 1, a JFIF header), with
    // the luminance's quantisation table kept.
    const int table = destination->comp_info[0].quant_tbl_no;
    jpeg_set_colorspace(destination, JCS_GRAYSCALE);
    destination->comp_info[0].quant_tbl_no = table;
  }
  const Geometry g = DestinationGeometry(source, plan);
  destination->image_width = g.width;
  destination->image_height = g.height;
  if (!plan.moves.transpose) return;
  for (int c = 0; c < destination->num_components; ++c)
    std::swap(destination->comp_info[c].h_samp_factor, destination->comp_info[c].v_samp_factor);
  for (JQUANT_TBL* table : destination->quant_tbl_ptrs) {
    if (!table) continue;
    for (int row = 0; row < kBlock; ++row)
      for (int column = row + 1; column < kBlock; ++column)
        std::swap(table->quantval[row * kBlock + column], table->quantval[column * kBlock + row]);
  }
}

void MoveBlocks(j_decompress_ptr source, const jvirt_barray_ptr* from, const jvirt_barray_ptr* to,
                const BlockPlan& plan) {
  const BlockMoves& moves = plan.moves;
  BlockRecipe recipes[2][2];
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) recipes[x][y] = RecipeFor(x == 1, y == 1, moves.transpose);
  const j_common_ptr common = reinterpret_cast<j_common_ptr>(source);
  const Carried carried = CarriedOf(source, plan);
  const JDIMENSION mcuColumns = source->image_width / JDIMENSION(kBlock * carried.maxH);
  const JDIMENSION mcuRows = source->image_height / JDIMENSION(kBlock * carried.maxV);

  for (int c = 0; c < carried.components; ++c) {
    const jpeg_component_info& info = source->comp_info[c];
    const JDIMENSION extentX = mcuColumns * JDIMENSION(carried.h[c]);
    const JDIMENSION extentY = mcuRows * JDIMENSION(carried.v[c]);
    const ComponentBlocks blocks = DestinationBlocks(source, plan, c);
    JBLOCKARRAY target = source->mem->access_virt_barray(common, to[c], 0, blocks.arrayHeight, TRUE);
    for (JDIMENSION sy = 0; sy < info.height_in_blocks; ++sy) {
      const JBLOCKROW row = source->mem->access_virt_barray(common, from[c], sy, 1, FALSE)[0];
      const AxisPosition y = Mirror(sy, moves.mirrorY, extentY);
      for (JDIMENSION sx = 0; sx < info.width_in_blocks; ++sx) {
        const AxisPosition x = Mirror(sx, moves.mirrorX, extentX);
        const JDIMENSION dx = moves.transpose ? y.at : x.at;
        const JDIMENSION dy = moves.transpose ? x.at : y.at;
        if (dx >= blocks.width || dy >= blocks.height) continue;  // trimmed away
        const BlockRecipe& recipe = recipes[x.mirrored][y.mirrored];
        const JCOEF* in = row[sx];
        JCOEF* out = target[dy][dx];
        for (int k = 0; k < DCTSIZE2; ++k) out[k] = JCOEF(in[recipe.from[k]] * recipe.sign[k]);
      }
    }
  }
}

}  // namespace ravelight
