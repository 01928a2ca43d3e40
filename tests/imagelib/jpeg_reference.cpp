#include "jpeg_reference.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<JpegSegment> JpegHeaderSegments(const std::vector<uint8_t>& file) {
  std::vector<JpegSegment> segments;
  size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xFF) {
    const int marker = file[at + 1];
    const size_t length = size_t(file[at + 2]) << 8 | file[at + 3];
    if (length < 2 || at + 2 + length > file.size()) break;
    segments.push_back({marker, std::vector<uint8_t>(file.begin() + long(at) + 4, file.begin() + long(at + 2 + length))});
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

ReferencePicture GradientPicture(int width, int height, int components) {
  ReferencePicture p;
  p.width = width;
  p.height = height;
  p.components = components;
  p.samples.resize(size_t(width) * height * components);
  const int across = width > 1 ? width - 1 : 1, down = height > 1 ? height - 1 : 1;
  size_t i = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c) {
        // Each channel runs its own way, so a swapped channel or a shifted row shows.
        const int h = x * 255 / across, v = y * 255 / down;
        const int mix[4] = {h, v, (h + v) / 2, 255 - h};
        p.samples[i++] = uint8_t(mix[c % 4]);
      }
  return p;
}

std::vector<uint8_t> EncodeReferenceJpeg(const ReferencePicture& picture, int quality,
                                         const std::vector<ExtraSegment>& extra, const std::vector<int>& sampling) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(picture.width);
  cinfo.image_height = JDIMENSION(picture.height);
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.components == 1 ? JCS_GRAYSCALE
                         : picture.components == 3 ? JCS_RGB
                         : picture.components == 4 ? JCS_CMYK
                                                   : JCS_UNKNOWN;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  for (size_t c = 0; c < sampling.size() && int(c) < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = sampling[c] >> 4;
    cinfo.comp_info[c].v_samp_factor = sampling[c] & 15;
  }
  jpeg_start_compress(&cinfo, TRUE);
  for (const ExtraSegment& segment : extra)
    jpeg_write_marker(&cinfo, segment.marker, segment.data.data(), unsigned(segment.data.size()));
  const size_t rowBytes = size_t(picture.width) * picture.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data() + cinfo.next_scanline * rowBytes);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

ReferencePicture DecodeReferenceJpeg(const std::vector<uint8_t>& file, int denominator) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.scale_num = 1;
  cinfo.scale_denom = unsigned(denominator);
  jpeg_start_decompress(&cinfo);
  ReferencePicture p;
  p.width = int(cinfo.output_width);
  p.height = int(cinfo.output_height);
  p.components = cinfo.output_components;
  const size_t rowBytes = size_t(p.width) * p.components;
  p.samples.resize(rowBytes * p.height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = p.samples.data() + cinfo.output_scanline * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return p;
}
