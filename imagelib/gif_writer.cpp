#include "gif_writer.h"

#include "byte_order.h"
#include "gif_lzw_encoder.h"
#include "output_file.h"

namespace ravelight {
namespace {

constexpr int kMaxSide = 0xFFFF;

// The fewest bits per pixel that cover the palette, at least 1.
int BitsPerPixel(int colours) {
  int bits = 1;
  while (colours > (1 << bits)) ++bits;
  return bits;
}

void WriteScreen(OutputFile& file, const PictureRows& rows, const ColourMap& palette, int bits) {
  uint8_t screen[13] = {'G', 'I', 'F', '8', '7', 'a'};
  PutLittle16(screen + 6, uint32_t(rows.width));
  PutLittle16(screen + 8, uint32_t(rows.height));
  screen[10] = uint8_t(0x80 | (bits - 1) << 4 | (bits - 1));  // global table, its size
  file.Write(screen, sizeof screen);                         // background 0, aspect 0
  uint8_t table[3 * 256] = {};
  for (int i = 0; i < palette.count; ++i) {
    table[3 * i] = palette.red[i];
    table[3 * i + 1] = palette.green[i];
    table[3 * i + 2] = palette.blue[i];
  }
  file.Write(table, size_t(3) << bits);
}

void WriteImageDescriptor(OutputFile& file, const PictureRows& rows, int codeSize) {
  uint8_t descriptor[11] = {','};  // left 0, top 0
  PutLittle16(descriptor + 5, uint32_t(rows.width));
  PutLittle16(descriptor + 7, uint32_t(rows.height));
  descriptor[9] = 0;  // no local table, not interlaced
  descriptor[10] = uint8_t(codeSize);
  file.Write(descriptor, sizeof descriptor);
}

// Grey output without a colour map: a ramp of `colours` values spread evenly over 0..255.
ColourMap GreyRamp(int colours) {
  ColourMap map;
  map.count = colours;
  for (int i = 0; i < colours; ++i)
    map.red[i] = map.green[i] = map.blue[i] = uint8_t((i * 255 + (colours - 1) / 2) / (colours - 1));
  return map;
}

}  // namespace

bool WriteGif(FILE* out, const PictureRows& indices, const ColourMap& palette) {
  if (indices.width <= 0 || indices.height <= 0 || indices.width > kMaxSide || indices.height > kMaxSide ||
      palette.count > 256)
    return false;
  const int bits = BitsPerPixel(palette.count);
  const int codeSize = bits < 2 ? 2 : bits;
  OutputFile file(out);
  WriteScreen(file, indices, palette, bits);
  WriteImageDescriptor(file, indices, codeSize);
  GifLzwEncoder encoder(file, codeSize);
  for (int y = 0; y < indices.height && !file.Failed(); ++y) {
    const uint8_t* row = indices.Row(y);
    for (int x = 0; x < indices.width; ++x) encoder.Add(row[x]);
  }
  encoder.Finish();
  const uint8_t trailer[2] = {0, ';'};  // an empty sub-block ends the data
  file.Write(trailer, sizeof trailer);
  return file.Finish();
}

// Grey output is never quantized, so the table holds every level.
bool WriteGifGrey(FILE* out, const PictureRows& levels) {
  static const ColourMap ramp = GreyRamp(256);
  return WriteGif(out, levels, ramp);
}

}  // namespace ravelight
