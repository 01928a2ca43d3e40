#include "lossless_transform.h"

#include "jpeg_block_moves.h"
#include "jpeg_errors.h"
#include "jpeg_marker_copy.h"

#include <jerror.h>

namespace ravelight {
namespace {

// Bounds what a hostile header can make the codec allocate: both coefficient sets of the picture.
constexpr long kCodecMemoryLimit = 512L << 20;

// Any warning means the source was not read cleanly, so the result is not trusted.
void CountWarning(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}

struct TransformJob {
  jpeg_decompress_struct source;
  jpeg_compress_struct destination;
  JpegErrorTrap sourceErrors;
  JpegErrorTrap destinationErrors;
  jvirt_barray_ptr workspace[MAX_COMPONENTS];
};

void Arm(JpegErrorTrap* trap, jpeg_error_mgr** slot) {
  *slot = ArmSilentErrors(trap);
  (*slot)->emit_message = CountWarning;
}

void WriteDestination(TransformJob& job, jvirt_barray_ptr* read, const BlockPlan& plan, FILE* to) {
  j_decompress_ptr source = &job.source;
  j_compress_ptr destination = &job.destination;
  jpeg_create_compress(destination);
  jpeg_copy_critical_parameters(source, destination);
  AdjustDestination(source, destination, plan);
  jpeg_stdio_dest(destination, to);
  jpeg_write_coefficients(destination, job.workspace);
  WriteKeptMarkers(source, destination);
  MoveBlocks(source, read, job.workspace, plan);
  jpeg_finish_compress(destination);
}

}  // namespace

// Each side reports its fatal errors through its own trap. The writing side's trap is set inside
// the reading side's, so both stay armed while the blocks move between them.
bool TransformJpeg(FILE* from, FILE* to, const JpegTransformOptions& options) {
  TransformJob job{};
  Arm(&job.sourceErrors, &job.source.err);
  Arm(&job.destinationErrors, &job.destination.err);
  const BlockPlan plan{MovesOf(options.transform), options.forceGreyscale};
  bool written = false;
  const bool read = RunTrapped(&job.sourceErrors, [&] {
    j_decompress_ptr source = &job.source;
    jpeg_create_decompress(source);
    source->mem->max_memory_to_use = kCodecMemoryLimit;
    KeepMarkers(source, options.markers);
    jpeg_stdio_src(source, from);
    jpeg_read_header(source, TRUE);
    // Dropping the colour of anything but YCbCr, or a luminance sampled below full resolution,
    // is a conversion the coefficients cannot make.
    if (plan.greyscale && !CanKeepLuminanceOnly(source)) ERREXIT(source, JERR_CONVERSION_NOTIMPL);
    RequestDestinationArrays(source, plan, job.workspace);
    jvirt_barray_ptr* coefficients = jpeg_read_coefficients(source);
    written = RunTrapped(&job.destinationErrors, [&] { WriteDestination(job, coefficients, plan, to); });
    if (written) jpeg_finish_decompress(source);
  });
  jpeg_destroy_compress(&job.destination);
  jpeg_destroy_decompress(&job.source);
  return read && written && job.source.err->num_warnings == 0 && job.destination.err->num_warnings == 0;
}

bool TransformJpeg(FILE* from, FILE* to, JpegTransform transform) {
  JpegTransformOptions options;
  options.transform = transform;
  return TransformJpeg(from, to, options);
}

}  // namespace ravelight
