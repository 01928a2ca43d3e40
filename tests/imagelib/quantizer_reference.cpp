#include "quantizer_reference.h"

#include <cstdio>

#include <jpeglib.h>

namespace {

// The decoder over a file in memory, its header read; destroyed with the object.
struct MemoryDecoder {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;

  explicit MemoryDecoder(const std::vector<uint8_t>& file) {
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
  }
  ~MemoryDecoder() { jpeg_destroy_decompress(&cinfo); }
};

}  // namespace

ReferenceQuantized DecodeQuantizedReference(const std::vector<uint8_t>& file, ReferenceQuantizer kind, int colours) {
  MemoryDecoder decoder(file);
  jpeg_decompress_struct& cinfo = decoder.cinfo;
  cinfo.out_color_space = JCS_RGB;
  cinfo.quantize_colors = TRUE;
  const bool onePass = kind == ReferenceQuantizer::OnePassDithered || kind == ReferenceQuantizer::OnePassOrdered ||
                       kind == ReferenceQuantizer::OnePassPlain;
  cinfo.two_pass_quantize = onePass ? FALSE : TRUE;
  cinfo.dither_mode = kind == ReferenceQuantizer::OnePassOrdered                                         ? JDITHER_ORDERED
                      : kind == ReferenceQuantizer::TwoPass || kind == ReferenceQuantizer::OnePassPlain ? JDITHER_NONE
                                                                                                        : JDITHER_FS;
  cinfo.desired_number_of_colors = colours;
  jpeg_start_decompress(&cinfo);
  ReferenceQuantized q;
  q.width = int(cinfo.output_width);
  q.height = int(cinfo.output_height);
  q.indices.resize(size_t(q.width) * q.height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &q.indices[size_t(cinfo.output_scanline) * q.width];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  const int count = cinfo.actual_number_of_colors;
  q.red.assign(cinfo.colormap[0], cinfo.colormap[0] + count);
  q.green.assign(cinfo.colormap[1], cinfo.colormap[1] + count);
  q.blue.assign(cinfo.colormap[2], cinfo.colormap[2] + count);
  jpeg_finish_decompress(&cinfo);
  return q;
}
