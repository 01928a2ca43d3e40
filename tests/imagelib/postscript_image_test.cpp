// The picture as PostScript of its own: the exact text of a one-pixel picture, and, in the native
// tree, pictures of awkward sizes painted by Ghostscript and read back pixel for pixel, their text
// in blocks and lines a driver and a spooler take.
#include "postscript_image.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using ravelight::BgrRows;
using ravelight::WritePostScriptImage;

std::string Write(const BgrRows& rows, int x, int y, int w, int h, size_t blockSize) {
  std::string text;
  EXPECT_TRUE(WritePostScriptImage(rows, x, y, w, h, blockSize, [&](const char* data, size_t size) {
    EXPECT_LE(size, blockSize);
    text.append(data, size);
    return true;
  }));
  return text;
}

TEST(PostScriptImage, OnePixelExactlyAndRefusals) {
  const uint8_t pixel[4] = {0x10, 0x20, 0x30, 0};
  EXPECT_EQ(Write({pixel, 1, 1, 4}, 5, 6, 7, 8, 4096),
            "gsave\n/DeviceRGB setcolorspace\n5 6 translate\n7 8 scale\n"
            "<< /ImageType 1 /Width 1 /Height 1 /BitsPerComponent 8\n/Decode [0 1 0 1 0 1] /ImageMatrix [1 0 0 1 0 0]\n"
            "/DataSource currentfile /ASCII85Decode filter >> image\n0H^o~>\ngrestore\n");
  int calls = 0;  // a refused block ends the writing; unusable rows or blocks write nothing
  const std::vector<uint8_t> many(3000 * 4);
  EXPECT_FALSE(WritePostScriptImage({many.data(), 1000, 4, 3000}, 0, 0, 1, 1, 600, [&](const char*, size_t) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
  for (const auto& [rows, block] : {std::pair<BgrRows, size_t>{{nullptr, 1, 1, 4}, 4096}, {{pixel, 2, 1, 5}, 4096}, {{pixel, 1, 1, 4}, 100}})
    EXPECT_FALSE(WritePostScriptImage(rows, 0, 0, 1, 1, block, [](const char*, size_t) { return true; }));
}

#if !defined(_WIN32)
// Ghostscript paints the image on a page set up as a PostScript driver sets one up (device
// pixels, y downwards) at 72 dpi, so that one picture pixel is one painted pixel.
TEST(PostScriptImage, GhostscriptPaintsEveryPixel) {
  // Byte counts that end a group with 1, 2, 3 and 0 bytes; zero runs ("z"), groups that would
  // start a line with "%", and row padding that must not be printed.
  bool shifted = false, zeros = false;
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {5, 7}, {33, 17}, {4, 4}, {201, 60}}) {
    const int stride = (3 * width + 3) & ~3, left = 3, top = 2, page = 210;
    std::vector<uint8_t> bgr(size_t(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y)
      for (int i = 0; i < 3 * width; ++i) bgr[size_t(y * stride + i)] = (i / 12 + y) % 3 ? uint8_t(37 * i + 91 * y + i * y % 7) : 0;
    const std::string image = Write({bgr.data(), width, height, stride}, left, top, width, height, 512);
    for (size_t start = 0, end; (end = image.find('\n', start)) != std::string::npos; start = end + 1)
      ASSERT_TRUE(end - start <= 76 && image[start] != '%') << image.substr(start, end - start);
    shifted = shifted || image.find("\n %") != std::string::npos;
    zeros = zeros || image.find('z') != std::string::npos;
    const std::string ps = "/tmp/vireldan-postscript-image.ps";
    FILE* file = std::fopen(ps.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "%%!PS\n0 %d translate 1 -1 scale\n%sshowpage\n", page, image.c_str());
    std::fclose(file);
    const std::string command = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -dDEVICEWIDTHPOINTS=210 "
                                "-dDEVICEHEIGHTPOINTS=210 -dFIXEDMEDIA -sOutputFile=- " + ps;
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    int w = 0, h = 0, maximum = 0;  // Ghostscript names itself in a comment after the magic number
    const bool header = std::fscanf(out, "P6 #%*[^\n] %d %d %d", &w, &h, &maximum) == 3 && std::fgetc(out) == '\n';
    std::vector<uint8_t> rgb(size_t(page) * page * 3);
    const bool read = header && std::fread(rgb.data(), 1, rgb.size(), out) == rgb.size();
    pclose(out);
    std::remove(ps.c_str());
    ASSERT_TRUE(read && w == page && h == page) << "Ghostscript painted nothing for " << width << "x" << height;
    for (int y = 0; y < height; ++y)
      for (int i = 0; i < 3 * width; ++i)
        ASSERT_EQ(rgb[size_t(((top + y) * page + left) * 3 + i)], bgr[size_t(y * stride + i / 3 * 3 + 2 - i % 3)])
            << width << "x" << height << " at " << i / 3 << "," << y << " channel " << i % 3;
    EXPECT_EQ(rgb[0], 255) << "outside the rectangle the page stays white";
  }
  EXPECT_TRUE(shifted && zeros) << "the pictures were meant to start a line with % and to hold zero groups";
}
#endif

}  // namespace
