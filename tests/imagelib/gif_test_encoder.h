#pragma once
// GIF files made byte by byte for the decoder's tests, with an LZW encoder of their own.
// Colours are written 0xRRGGBB.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A code and the number of bits it takes in the stream.
struct LzwCode {
  int value;
  int width;
};

// Codes packed least significant bit first, as GIF image data holds them.
Bytes PackCodes(const std::vector<LzwCode>& codes);

// LZW data for the indices as an encoder writes it: a clear code first, the end code last, a
// clear code whenever the table is full, and also after every clearEvery codes when that is not 0.
Bytes LzwCompress(const Bytes& indices, int minCodeSize, int clearEvery = 0);

// Data cut into sub-blocks of at most 255 bytes, followed by the empty block.
Bytes SubBlocks(const Bytes& data);

struct GifImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Bytes indices;  // width × height, row-major; sent in the four passes when interlaced
  std::vector<uint32_t> localTable;  // none when empty; padded with black to a power of two
  bool interlaced = false;
  int minCodeSize = 8;
  int clearEvery = 0;
  // When not empty: the bytes after the descriptor and local table as they stand (minimum code
  // size and sub-blocks), instead of the indices encoded.
  Bytes rawData;
};

// A whole GIF, block by block, ending with the trailer unless asked not to.
class GifBuilder {
 public:
  GifBuilder(int width, int height, const std::vector<uint32_t>& globalTable,
             const std::string& signature = "GIF89a");

  GifBuilder& GraphicControl(int disposal, int delay, int transparentIndex = -1);
  GifBuilder& Extension(uint8_t label, const std::vector<Bytes>& blocks);
  GifBuilder& Image(const GifImage& image);
  GifBuilder& Raw(const Bytes& bytes);

  Bytes File(bool trailer = true) const;

 private:
  Bytes bytes_;
};

// The same index on every pixel of a width × height image at left, top.
GifImage SolidImage(int left, int top, int width, int height, uint8_t index);
