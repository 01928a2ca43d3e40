#include "jpeg_comparison.h"

#include <csetjmp>

#include <jpeglib.h>

#include "jpeg_reference.h"

namespace {

struct Trap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool warned;
};

void Jump(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<Trap*>(cinfo->err)->jump, 1); }
void Warn(j_common_ptr cinfo, int level) {
  if (level < 0) reinterpret_cast<Trap*>(cinfo->err)->warned = true;
}

void ReadAll(jpeg_decompress_struct& cinfo, std::vector<int16_t>& out) {
  jpeg_read_header(&cinfo, TRUE);
  jvirt_barray_ptr* arrays = jpeg_read_coefficients(&cinfo);
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& info = cinfo.comp_info[c];
    for (JDIMENSION y = 0; y < info.height_in_blocks; ++y) {
      JBLOCKROW row = cinfo.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), arrays[c], y, 1, FALSE)[0];
      for (JDIMENSION x = 0; x < info.width_in_blocks; ++x) out.insert(out.end(), row[x], row[x] + DCTSIZE2);
    }
  }
  jpeg_finish_decompress(&cinfo);
}

}  // namespace

std::vector<int16_t> JpegCoefficients(const std::vector<uint8_t>& file) {
  jpeg_decompress_struct cinfo;
  Trap trap;
  cinfo.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = Jump;
  trap.manager.emit_message = Warn;
  trap.warned = false;
  std::vector<int16_t> out;
  jpeg_create_decompress(&cinfo);
  if (setjmp(trap.jump) == 0) {
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    ReadAll(cinfo, out);
  } else {
    out.clear();
  }
  jpeg_destroy_decompress(&cinfo);
  if (trap.warned) out.clear();
  return out;
}

::testing::AssertionResult DecodeAlike(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& theirs) {
  const ReferencePicture a = DecodeReferenceJpeg(ours);
  const ReferencePicture b = DecodeReferenceJpeg(theirs);
  if (a.width != b.width || a.height != b.height)
    return ::testing::AssertionFailure() << "ours " << a.width << "x" << a.height << ", theirs " << b.width << "x" << b.height;
  if (a.width == 0) return ::testing::AssertionFailure() << "neither decodes";
  if (a.samples != b.samples) return ::testing::AssertionFailure() << "the samples differ";
  return ::testing::AssertionSuccess();
}

std::vector<int> SamplingFactors(const std::vector<uint8_t>& file) {
  std::vector<int> factors;
  for (const JpegSegment& s : JpegHeaderSegments(file))
    if (s.marker >= 0xC0 && s.marker <= 0xC2 && s.data.size() >= 6)
      for (size_t c = 0; c < s.data[5] && 6 + 3 * c + 1 < s.data.size(); ++c) factors.push_back(s.data[6 + 3 * c + 1]);
  return factors;
}
