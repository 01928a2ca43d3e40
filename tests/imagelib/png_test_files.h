#pragma once
// PNG files for the tests: libpng's simplified interface used directly, without Ravelight, as an
// independent decoder and writer, and files assembled chunk by chunk.
#include <cstdint>
#include <string>
#include <vector>

// What libpng's simplified interface decodes, as 8-bit blue, green, red. Colour-space chunks are
// removed first, so that it hands out the stored samples as our loader does (16-bit samples keep
// their high byte). Pixels that are not fully opaque are not comparable: the simplified interface
// premultiplies 16-bit colour by its alpha, and we ignore alpha.
struct ReferencePng {
  bool decoded = false;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgr;     // width × height × 3, no padding
  std::vector<bool> opaque;     // width × height
};
ReferencePng DecodeReferencePng(const std::vector<uint8_t>& file);

// An 8-bit PNG written by libpng from rows of channels bytes a pixel (1 grey, 2 grey and alpha,
// 3 red, green, blue, 4 and alpha), or a 16-bit one from 16-bit samples.
std::vector<uint8_t> EncodeReferencePng(int width, int height, int channels, const std::vector<uint8_t>& samples);
std::vector<uint8_t> EncodeReferencePng16(int width, int height, int channels, const std::vector<uint16_t>& samples);

// A PNG made of the signature and the given chunks, with correct lengths and CRCs.
struct PngChunk {
  std::string type;
  std::vector<uint8_t> data;
};
std::vector<uint8_t> AssemblePng(const std::vector<PngChunk>& chunks);
// The chunks of a PNG file in order, up to the end of the bytes.
std::vector<PngChunk> PngChunks(const std::vector<uint8_t>& file);
