// TIFFs are read a band of strips or tiles at a time; the pixels must be exactly those of
// libtiff's whole-image reader (top row first), in every layout and orientation, at full and at
// half size. The pictures are wide enough to take several bands.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "Cimage.h"
#include "test_files.h"
#include "tiff_test_files.h"

namespace {

constexpr uint32_t kWidth = 3000, kHeight = 1601;

struct Layout {
  const char* name;
  uint16_t compression;
  uint16_t orientation;
  uint32_t rowsPerStrip;  // 0 for tiles
  uint32_t tileSide;
  bool separatePlanes;
};

uint8_t Sample(uint32_t x, uint32_t y, int c) {
  switch (c) {
    case 0: return uint8_t(x * 7 + y);
    case 1: return uint8_t(x ^ y);
    default: return uint8_t((x * y) >> 3);
  }
}

bool WriteLayout(const Layout& l, const std::string& path) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return false;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, l.compression);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, l.orientation);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, l.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  bool written = true;
  if (l.tileSide) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, l.tileSide);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, l.tileSide);
    std::vector<uint8_t> tile(size_t(TIFFTileSize(tif)));
    for (uint32_t ty = 0; ty < kHeight; ty += l.tileSide)
      for (uint32_t tx = 0; tx < kWidth; tx += l.tileSide) {
        for (uint32_t y = 0; y < l.tileSide; ++y)
          for (uint32_t x = 0; x < l.tileSide; ++x)
            for (int c = 0; c < 3; ++c) tile[(size_t(y) * l.tileSide + x) * 3 + c] = Sample(tx + x, ty + y, c);
        written = written && TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0) >= 0;
      }
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, l.rowsPerStrip);
    std::vector<uint8_t> row(3 * size_t(kWidth));
    for (uint16_t plane = 0; plane < (l.separatePlanes ? 3 : 1); ++plane)
      for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x)
          for (int c = 0; c < 3; ++c)
            if (l.separatePlanes)
              row[x] = Sample(x, y, plane);
            else
              row[3 * size_t(x) + c] = Sample(x, y, c);
        written = written && TIFFWriteScanline(tif, row.data(), y, plane) >= 0;
      }
  }
  TIFFClose(tif);
  return written;
}

std::vector<uint32_t> WholeImage(const std::string& path) {
  std::vector<uint32_t> raster(size_t(kWidth) * kHeight);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  const bool read = tif && TIFFReadRGBAImageOriented(tif, kWidth, kHeight, raster.data(), ORIENTATION_TOPLEFT, 1);
  if (tif) TIFFClose(tif);
  return read ? raster : std::vector<uint32_t>{};
}

class TiffBandLayouts : public testing::TestWithParam<Layout> {};

TEST_P(TiffBandLayouts, PixelsAreThoseOfTheWholeImageReader) {
  const std::string path = TempPath(std::string(GetParam().name) + ".tif");
  ASSERT_TRUE(WriteLayout(GetParam(), path));
  const std::vector<uint32_t> whole = WholeImage(path);
  ASSERT_FALSE(whole.empty());
  auto at = [&](uint32_t x, uint32_t y) { return whole[size_t(y) * kWidth + x]; };

  Cimage full;
  LoadTiffFile(full, path);
  ASSERT_FALSE(full.m_loadError);
  ASSERT_EQ(full.m_width, int(kWidth));
  ASSERT_EQ(full.m_height, int(kHeight));
  for (uint32_t y = 0; y < kHeight; ++y)
    for (uint32_t x = 0; x < kWidth; ++x) {
      const uint8_t* got = full.m_pixels + size_t(y) * full.m_stride + 3 * x;
      ASSERT_EQ(got[0], TIFFGetB(at(x, y))) << x << "," << y;
      ASSERT_EQ(got[1], TIFFGetG(at(x, y))) << x << "," << y;
      ASSERT_EQ(got[2], TIFFGetR(at(x, y))) << x << "," << y;
    }

  Cimage half;
  LoadTiffFile(half, path, 100, 100, 2);
  ASSERT_FALSE(half.m_loadError);
  ASSERT_EQ(half.m_height, int(kHeight + 1) / 2);
  for (uint32_t y = 0; y < uint32_t(half.m_height); ++y)
    for (uint32_t x = 0; x < uint32_t(half.m_width); ++x) {
      const uint32_t x1 = std::min(2 * x + 1, kWidth - 1), y1 = std::min(2 * y + 1, kHeight - 1);
      const uint32_t block[4] = {at(2 * x, 2 * y), at(x1, 2 * y), at(2 * x, y1), at(x1, y1)};
      unsigned red = 0;
      for (uint32_t p : block) red += TIFFGetR(p);
      ASSERT_EQ(half.m_pixels[size_t(y) * half.m_stride + 3 * x + 2], red / 4) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TiffBandLayouts,
    testing::Values(Layout{"oddStrips", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 7, 0, false},
                    Layout{"bottomUpStrips", COMPRESSION_NONE, ORIENTATION_BOTLEFT, 5, 0, false},
                    Layout{"rightToLeftBottomUpTiles", COMPRESSION_LZW, ORIENTATION_BOTRIGHT, 0, 256, false},
                    Layout{"tiles", COMPRESSION_PACKBITS, ORIENTATION_TOPLEFT, 0, 112, false},
                    Layout{"oneStrip", COMPRESSION_NONE, ORIENTATION_TOPLEFT, kHeight, 0, false},
                    Layout{"separatePlanes", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 33, 0, true}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

}  // namespace
