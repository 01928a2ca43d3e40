#pragma once
// The codec library used directly, without Ravelight: an independent writer of test files and an
// independent decoder to compare against, plus a reader of a file's marker segments.
#include <cstdint>
#include <vector>

struct JpegSegment {
  int marker;                 // 0xE1 for APP1, ...
  std::vector<uint8_t> data;  // the bytes after the two length bytes
};

// The marker segments from SOI up to and including the first SOS, in file order.
std::vector<JpegSegment> JpegHeaderSegments(const std::vector<uint8_t>& file);

struct ReferencePicture {
  int width = 0;
  int height = 0;
  int components = 3;            // 1 grey, 2 (no colour space), 3 RGB, 4 CMYK as stored
  std::vector<uint8_t> samples;  // interleaved rows, components bytes per pixel, no padding
};

// A picture whose samples vary smoothly over its area, so that decoding mistakes show.
ReferencePicture GradientPicture(int width, int height, int components);

struct ExtraSegment {
  int marker;
  std::vector<uint8_t> data;
};

// sampling, when given, holds each component's factors as 0xHV (0x21: twice as wide as high).
std::vector<uint8_t> EncodeReferenceJpeg(const ReferencePicture& picture, int quality = 90,
                                         const std::vector<ExtraSegment>& extra = {},
                                         const std::vector<int>& sampling = {});

// Decodes at 1/denominator; grey stays one component, everything else comes out as RGB.
ReferencePicture DecodeReferenceJpeg(const std::vector<uint8_t>& file, int denominator = 1);
