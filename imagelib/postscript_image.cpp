#include "postscript_image.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ravelight {
namespace {

constexpr size_t kLineLength = 75;
constexpr size_t kSmallestBlock = 512;  // room for the image's header in one block

// The PostScript in blocks of at most the sink's size, the pixels as ASCII85 in lines.
class ImageWriter {
 public:
  ImageWriter(size_t blockSize, const PostScriptSink& sink) : block_(blockSize), sink_(sink) {}

  bool Text(const std::string& text) {
    if (!Room(text.size())) return false;
    text.copy(&block_[used_], text.size());
    used_ += text.size();
    return true;
  }

  // Bytes in whole groups of four; what is left over waits for the next call or the end.
  bool Bytes(const uint8_t* bytes, size_t size) {
    size_t i = 0;
    for (; i < size && count_ > 0; ++i)
      if (!Byte(bytes[i])) return false;
    for (; i + 4 <= size; i += 4) {
      group_ = uint32_t(bytes[i]) << 24 | uint32_t(bytes[i + 1]) << 16 | uint32_t(bytes[i + 2]) << 8 | bytes[i + 3];
      if (!Group(4)) return false;
    }
    for (; i < size; ++i)
      if (!Byte(bytes[i])) return false;
    return true;
  }

  // The last, partial group (zero-padded, one character more than its bytes) and the end mark.
  bool EndData() {
    if (count_ > 0) {
      const int bytes = count_;
      group_ <<= 8 * (4 - count_);
      if (!Group(bytes)) return false;
    }
    return Text("~>\n");
  }

  bool Flush() {
    if (used_ > 0 && !sink_(block_.data(), used_)) return false;
    used_ = 0;
    return true;
  }

 private:
  bool Byte(uint8_t b) {
    group_ = group_ << 8 | b;
    return ++count_ < 4 || Group(4);
  }

  bool Room(size_t size) { return used_ + size <= block_.size() || Flush(); }

  // Whole groups stay on one line; a line never starts with "%".
  bool Group(int bytes) {
    uint32_t value = group_;
    group_ = 0;
    count_ = 0;
    if (!Room(7)) return false;  // a line's end, a space and five characters
    char chars[5];
    size_t length = 1;
    if (value == 0 && bytes == 4) {
      chars[0] = 'z';
    } else {
      for (int i = 4; i >= 0; --i, value /= 85) chars[i] = char('!' + value % 85);
      length = size_t(bytes) + 1;
    }
    if (column_ + length > kLineLength) {
      block_[used_++] = '\n';
      column_ = 0;
    }
    if (column_ == 0 && chars[0] == '%') {
      block_[used_++] = ' ';
      ++column_;
    }
    for (size_t i = 0; i < length; ++i) block_[used_++] = chars[i];
    column_ += length;
    return true;
  }

  std::vector<char> block_;
  size_t used_ = 0;
  const PostScriptSink& sink_;
  uint32_t group_ = 0;
  int count_ = 0;
  size_t column_ = 0;
};

std::string ImageHeader(const BgrRows& rows, int x, int y, int width, int height) {
  char text[400];
  std::snprintf(text, sizeof text,
                "gsave\n/DeviceRGB setcolorspace\n%d %d translate\n%d %d scale\n"
                "<< /ImageType 1 /Width %d /Height %d /BitsPerComponent 8\n/Decode [0 1 0 1 0 1] "
                "/ImageMatrix [%d 0 0 %d 0 0]\n/DataSource currentfile /ASCII85Decode filter >> image\n",
                x, y, width, height, rows.width, rows.height, rows.width, rows.height);
  return text;
}

}  // namespace

bool WritePostScriptImage(const BgrRows& rows, int x, int y, int width, int height, size_t blockSize,
                          const PostScriptSink& sink) {
  if (!rows.pixels || rows.width <= 0 || rows.height <= 0 || rows.stride < 3 * rows.width ||
      blockSize < kSmallestBlock)
    return false;
  ImageWriter out(blockSize, sink);
  if (!out.Text(ImageHeader(rows, x, y, width, height))) return false;
  std::vector<uint8_t> rgb(size_t(rows.width) * 3);
  for (int r = 0; r < rows.height; ++r) {
    const uint8_t* bgr = rows.pixels + size_t(r) * size_t(rows.stride);
    for (size_t i = 0; i < rgb.size(); i += 3) {
      rgb[i] = bgr[i + 2];
      rgb[i + 1] = bgr[i + 1];
      rgb[i + 2] = bgr[i];
    }
    if (!out.Bytes(rgb.data(), rgb.size())) return false;
  }
  return out.EndData() && out.Text("grestore\n") && out.Flush();
}

}  // namespace ravelight
