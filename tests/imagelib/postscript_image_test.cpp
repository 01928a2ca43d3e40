// The picture as PostScript of its own: the exact text of a one-pixel picture, the blocks and
// lines a driver and a spooler see, and, in the native tree, pictures of awkward sizes painted by
// Ghostscript and read back pixel for pixel.
#include "postscript_image.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using ravelight::BgrRows;
using ravelight::WritePostScriptImage;

struct Picture {
  int width, height, stride;
  std::vector<uint8_t> bytes;
  BgrRows Rows() const { return {bytes.data(), width, height, stride}; }
};

// Zero runs (ASCII85's "z"), the bytes that make a line start with "%", and padding at the rows'
// ends that must not be printed.
Picture Pattern(int width, int height) {
  Picture p{width, height, (3 * width + 3) & ~3, {}};
  p.bytes.assign(size_t(p.stride) * size_t(height), 0xEE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int k = 0; k < 3; ++k)
        p.bytes[size_t(y) * size_t(p.stride) + size_t(3 * x + k)] =
            (x + y) % 3 == 0 ? 0 : uint8_t(37 * x + 91 * y + 53 * k + (x * y) % 7);
  return p;
}

std::string Write(const Picture& p, int x, int y, int w, int h, size_t blockSize, std::vector<size_t>* blocks = nullptr) {
  std::string text;
  EXPECT_TRUE(WritePostScriptImage(p.Rows(), x, y, w, h, blockSize, [&](const char* data, size_t size) {
    if (blocks) blocks->push_back(size);
    text.append(data, size);
    return true;
  }));
  return text;
}

TEST(PostScriptImage, OnePixelExactly) {
  const Picture p{1, 1, 4, {0x10, 0x20, 0x30, 0}};
  EXPECT_EQ(Write(p, 5, 6, 7, 8, 4096),
            "gsave\n/DeviceRGB setcolorspace\n5 6 translate\n7 8 scale\n"
            "<< /ImageType 1 /Width 1 /Height 1 /BitsPerComponent 8\n/Decode [0 1 0 1 0 1] /ImageMatrix [1 0 0 1 0 0]\n"
            "/DataSource currentfile /ASCII85Decode filter >> image\n"
            "0H^o~>\ngrestore\n");
}

TEST(PostScriptImage, BlocksLinesAndRefusals) {
  const Picture p = Pattern(211, 97);
  std::vector<size_t> blocks;
  const std::string text = Write(p, 0, 0, 211, 97, 1000, &blocks);
  ASSERT_GT(blocks.size(), 50u);
  for (size_t size : blocks) EXPECT_LE(size, 1000u);
  size_t lines = 0, start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start), ++lines) {
    EXPECT_LE(end - start, 76u) << "line " << lines;
    EXPECT_NE(text[start], '%') << "line " << lines;
  }
  EXPECT_EQ(start, text.size()) << "the text ends with a line's end";
  EXPECT_NE(text.find("\n %"), std::string::npos) << "the pattern was meant to start a line with %";

  int calls = 0;  // a refused block ends the writing
  EXPECT_FALSE(WritePostScriptImage(p.Rows(), 0, 0, 1, 1, 1000, [&](const char*, size_t) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
  const Picture none{0, 0, 0, {}};
  for (const auto& [rows, block] : std::vector<std::pair<BgrRows, size_t>>{
           {none.Rows(), 4096}, {BgrRows{p.bytes.data(), 211, 97, 3 * 211 - 1}, 4096}, {p.Rows(), 100}})
    EXPECT_FALSE(WritePostScriptImage(rows, 0, 0, 1, 1, block, [](const char*, size_t) { return true; }));
}

#if !defined(_WIN32)
// Ghostscript paints the image on a page set up as a PostScript driver sets one up (device
// pixels, y downwards) at 72 dpi, so that one picture pixel is one painted pixel.
std::vector<uint8_t> Painted(const std::string& image, int pageWidth, int pageHeight) {
  const std::string ps = "/tmp/vireldan-postscript-image.ps", ppm = "/tmp/vireldan-postscript-image.ppm";
  FILE* file = std::fopen(ps.c_str(), "wb");
  if (!file) return {};
  std::fprintf(file, "%%!PS\n0 %d translate 1 -1 scale\n", pageHeight);
  std::fwrite(image.data(), 1, image.size(), file);
  std::fputs("showpage\n", file);
  std::fclose(file);
  const std::string command = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -dDEVICEWIDTHPOINTS=" +
                              std::to_string(pageWidth) + " -dDEVICEHEIGHTPOINTS=" + std::to_string(pageHeight) +
                              " -dFIXEDMEDIA -sOutputFile=" + ppm + " " + ps;
  if (std::system(command.c_str()) != 0) return {};
  FILE* out = std::fopen(ppm.c_str(), "rb");
  if (!out) return {};
  int w = 0, h = 0, maximum = 0;
  std::vector<uint8_t> rgb;
  // Ghostscript names itself in a comment line after the magic number.
  if (std::fscanf(out, "P6 #%*[^\n] %d %d %d", &w, &h, &maximum) == 3 && w == pageWidth && h == pageHeight) {
    std::fgetc(out);
    rgb.resize(size_t(w) * size_t(h) * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), out) != rgb.size()) rgb.clear();
  }
  std::fclose(out);
  std::remove(ps.c_str());
  std::remove(ppm.c_str());
  return rgb;
}

TEST(PostScriptImage, GhostscriptPaintsEveryPixel) {
  // Sizes whose byte counts end a group with 1, 2 and 3 bytes, and none.
  const int sizes[][2] = {{1, 1}, {1, 2}, {5, 7}, {33, 17}, {4, 4}};
  for (const auto& size : sizes) {
    const Picture p = Pattern(size[0], size[1]);
    const int left = 3, top = 2, page = 40;
    const std::vector<uint8_t> rgb = Painted(Write(p, left, top, p.width, p.height, 512), page, page);
    ASSERT_FALSE(rgb.empty()) << "Ghostscript painted nothing for " << p.width << "x" << p.height;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(rgb[(size_t(top + y) * page + size_t(left + x)) * 3 + size_t(k)],
                    p.bytes[size_t(y) * size_t(p.stride) + size_t(3 * x + 2 - k)])
              << p.width << "x" << p.height << " at " << x << "," << y << " channel " << k;
    EXPECT_EQ(rgb[0], 255) << "outside the rectangle the page stays white";
  }
}
#endif

}  // namespace
