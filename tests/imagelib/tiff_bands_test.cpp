// TIFFs are read a band of strips, tiles or scanlines at a time, straight from the decoded samples
// or through libtiff's RGBA reader; the pixels must be exactly those of libtiff's whole-image
// reader (top row first), in every layout, kind of sample and orientation, at full and at half
// size. The pictures are wide enough to take several bands, and a single strip of RGB more than
// a band.
#include <algorithm>
#include <cstring>
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
  bool separatePlanes = false;
  uint16_t photometric = PHOTOMETRIC_RGB;
  uint16_t bits = 8;
  uint16_t extraSample = 0;  // an alpha sample of this kind after the colours, when not 0
};

uint8_t Sample(uint32_t x, uint32_t y, int c) {
  switch (c) {
    case 0: return uint8_t(x * 7 + y);
    case 1: return uint8_t(x ^ y);
    case 2: return uint8_t((x * y) >> 3);
    default: return uint8_t(x + 3 * y);
  }
}

int Samples(const Layout& l) {
  const int colours = l.photometric == PHOTOMETRIC_RGB ? 3 : 1;
  return colours + (l.extraSample ? 1 : 0);
}

// Row y of one plane (or of all samples together), packed as the file stores it.
std::vector<uint8_t> PackedRow(const Layout& l, uint32_t y, int plane) {
  const int samples = l.separatePlanes ? 1 : Samples(l);
  std::vector<uint8_t> row((size_t(kWidth) * samples * l.bits + 7) / 8, 0);
  for (uint32_t x = 0; x < kWidth; ++x)
    for (int s = 0; s < samples; ++s) {
      const uint8_t value = Sample(x, y, l.separatePlanes ? plane : s);
      const size_t index = size_t(x) * samples + s;
      if (l.bits == 16) {
        const uint16_t wide = uint16_t(value * 257 ^ (x & 0xFF));
        std::memcpy(&row[2 * index], &wide, 2);
      } else if (l.bits == 8) {
        row[index] = value;
      } else {
        const size_t bit = index * l.bits;
        row[bit / 8] |= uint8_t((value >> (8 - l.bits)) << (8 - l.bits - bit % 8));
      }
    }
  return row;
}

void SetColourFields(TIFF* tif, const Layout& l) {
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, l.bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, Samples(l));
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, l.photometric);
  if (l.extraSample) TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &l.extraSample);
  if (l.photometric == PHOTOMETRIC_PALETTE) {
    std::vector<uint16_t> red(size_t(1) << l.bits), green(red.size()), blue(red.size());
    for (size_t i = 0; i < red.size(); ++i) {
      red[i] = uint16_t(i * 4099);
      green[i] = uint16_t(65535 - i * 977);
      blue[i] = uint16_t(i * i * 31);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  }
}

bool WriteLayout(const Layout& l, const std::string& path) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return false;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
  SetColourFields(tif, l);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, l.compression);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, l.orientation);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, l.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  bool written = true;
  if (l.tileSide) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, l.tileSide);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, l.tileSide);
    const size_t tileRowBytes = size_t(TIFFTileRowSize(tif));
    std::vector<uint8_t> tile(size_t(TIFFTileSize(tif)));
    for (uint32_t ty = 0; ty < kHeight; ty += l.tileSide)
      for (uint32_t tx = 0; tx < kWidth; tx += l.tileSide) {
        std::fill(tile.begin(), tile.end(), 0);
        for (uint32_t y = ty; y < std::min(ty + l.tileSide, kHeight); ++y) {
          const std::vector<uint8_t> row = PackedRow(l, y, 0);
          const size_t offset = tx * tileRowBytes / l.tileSide;
          std::copy_n(row.begin() + offset, std::min(tileRowBytes, row.size() - offset),
                      tile.begin() + (y - ty) * tileRowBytes);
        }
        written = written && TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0) >= 0;
      }
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, l.rowsPerStrip);
    for (uint16_t plane = 0; plane < (l.separatePlanes ? Samples(l) : 1); ++plane)
      for (uint32_t y = 0; y < kHeight; ++y) {
        std::vector<uint8_t> row = PackedRow(l, y, plane);
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
    testing::Values(Layout{"oddStrips", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 7, 0},
                    Layout{"bottomUpStrips", COMPRESSION_NONE, ORIENTATION_BOTLEFT, 5, 0},
                    Layout{"rightToLeftBottomUpTiles", COMPRESSION_LZW, ORIENTATION_BOTRIGHT, 0, 256},
                    Layout{"rightToLeftStrips", COMPRESSION_NONE, ORIENTATION_TOPRIGHT, 64, 0},
                    Layout{"tiles", COMPRESSION_PACKBITS, ORIENTATION_TOPLEFT, 0, 112},
                    Layout{"oneStrip", COMPRESSION_NONE, ORIENTATION_TOPLEFT, kHeight, 0},
                    Layout{"deflateStrips", COMPRESSION_ADOBE_DEFLATE, ORIENTATION_TOPLEFT, 16, 0},
                    Layout{"jpegTiles", COMPRESSION_JPEG, ORIENTATION_TOPLEFT, 0, 128},
                    Layout{"oneLzwStripReadByScanline", COMPRESSION_LZW, ORIENTATION_TOPLEFT, kHeight, 0},
                    Layout{"oneLzwStripBottomUp", COMPRESSION_LZW, ORIENTATION_LEFTBOT, kHeight, 0},
                    Layout{"separatePlanes", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 33, 0, true},
                    Layout{"unassociatedAlpha", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 16, 0, false, PHOTOMETRIC_RGB, 8, EXTRASAMPLE_UNASSALPHA},
                    Layout{"associatedAlphaTiles", COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 64, false, PHOTOMETRIC_RGB, 8, EXTRASAMPLE_ASSOCALPHA},
                    Layout{"rgb16", COMPRESSION_LZW, ORIENTATION_TOPLEFT, 9, 0, false, PHOTOMETRIC_RGB, 16},
                    Layout{"greyMinIsBlack", COMPRESSION_PACKBITS, ORIENTATION_TOPLEFT, 20, 0, false, PHOTOMETRIC_MINISBLACK},
                    Layout{"greyMinIsWhiteTiles", COMPRESSION_LZW, ORIENTATION_BOTLEFT, 0, 48, false, PHOTOMETRIC_MINISWHITE},
                    Layout{"greyAlpha", COMPRESSION_NONE, ORIENTATION_TOPLEFT, 11, 0, false, PHOTOMETRIC_MINISBLACK, 8, EXTRASAMPLE_ASSOCALPHA},
                    Layout{"palette", COMPRESSION_LZW, ORIENTATION_TOPRIGHT, 30, 0, false, PHOTOMETRIC_PALETTE},
                    Layout{"palette4BitTiles", COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 32, false, PHOTOMETRIC_PALETTE, 4},
                    Layout{"bilevelMinIsWhite", COMPRESSION_PACKBITS, ORIENTATION_BOTRIGHT, 100, 0, false, PHOTOMETRIC_MINISWHITE, 1},
                    Layout{"bilevelTiles", COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 80, false, PHOTOMETRIC_MINISBLACK, 1}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

}  // namespace
