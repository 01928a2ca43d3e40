#include "codec_bytes.h"

#include <string>

#include "picture_limits.h"
#include "test_files.h"

void DecodeBytes(Cimage& picture, const std::vector<uint8_t>& file, StreamDecoder decode) {
  const std::string path = TempPath("decode.bin");
  WriteBytes(path, file);
  FILE* stream = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(stream);
  decode(picture, stream);
  std::fclose(stream);
}

uint32_t RgbAt(const Cimage& picture, int x, int y) {
  const uint8_t* p = picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

std::vector<uint32_t> AllPixels(const Cimage& picture) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) pixels.push_back(RgbAt(picture, x, y));
  return pixels;
}

::testing::AssertionResult LoadedAs(const Cimage& picture, int width, int height) {
  if (picture.m_loadError) return ::testing::AssertionFailure() << "load error";
  if (!picture.m_valid || !picture.m_pixels || !picture.m_bmi)
    return ::testing::AssertionFailure() << "no usable picture";
  if (picture.m_width != width || picture.m_height != height || picture.m_origWidth != width ||
      picture.m_origHeight != height)
    return ::testing::AssertionFailure() << "size " << picture.m_width << "x" << picture.m_height << " (in file "
                                         << picture.m_origWidth << "x" << picture.m_origHeight << ")";
  if (picture.m_stride != ravelight::RowStride(width)) return ::testing::AssertionFailure() << "stride";
  if (picture.m_scaleNum != 1 || picture.m_scaleDen != 1 || picture.m_components != 3 || picture.m_saveError)
    return ::testing::AssertionFailure() << "not a fresh full-size colour load";
  if (picture.m_bmi->bmiHeader.biWidth != width || picture.m_bmi->bmiHeader.biHeight != -height)
    return ::testing::AssertionFailure() << "display header out of step";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult FailedCleanly(const Cimage& picture) {
  if (!picture.m_loadError || !picture.m_valid) return ::testing::AssertionFailure() << "not marked as a failed load";
  if (picture.m_pixels || picture.m_bmi) return ::testing::AssertionFailure() << "kept a partial picture";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult EveryTruncationFails(const std::vector<uint8_t>& file, StreamDecoder decode) {
  // Every cut through the headers, then about a hundred through the rest, and the last byte.
  constexpr size_t kHeaders = 160;
  const size_t step = file.size() > kHeaders ? (file.size() - kHeaders) / 100 + 1 : 1;
  std::vector<size_t> lengths;
  for (size_t n = 0; n < file.size(); n += n < kHeaders ? 1 : step) lengths.push_back(n);
  if (!file.empty()) lengths.push_back(file.size() - 1);
  for (size_t length : lengths) {
    Cimage picture;
    DecodeBytes(picture, std::vector<uint8_t>(file.begin(), file.begin() + length), decode);
    if (!FailedCleanly(picture)) return ::testing::AssertionFailure() << "cut to " << length << " bytes";
  }
  return ::testing::AssertionSuccess();
}

void ExpectDecodesExactly(const DecodeCase& c, StreamDecoder decode) {
  Cimage picture;
  DecodeBytes(picture, c.file, decode);
  ASSERT_TRUE(LoadedAs(picture, c.width, c.height));
  EXPECT_EQ(AllPixels(picture), c.pixels);
}
