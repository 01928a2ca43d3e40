// JPEG decoding and encoding: DCT scaling, colour spaces, quantisation tables and failures.
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "test_files.h"

namespace {

// Pixel for pixel: the picture holds blue, green, red of the reference's samples (grey in all three).
::testing::AssertionResult MatchesReference(const Cimage& picture, const ReferencePicture& reference) {
  if (!picture.m_pixels) return ::testing::AssertionFailure() << "no pixels";
  if (picture.m_width != reference.width || picture.m_height != reference.height)
    return ::testing::AssertionFailure() << "size " << picture.m_width << "x" << picture.m_height << ", expected "
                                         << reference.width << "x" << reference.height;
  const int n = reference.components;
  for (int y = 0; y < reference.height; ++y)
    for (int x = 0; x < reference.width; ++x) {
      const uint8_t* got = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
      const uint8_t* want = reference.samples.data() + (size_t(y) * reference.width + x) * n;
      const uint8_t blue = want[n == 1 ? 0 : 2], green = want[n == 1 ? 0 : 1], red = want[0];
      if (got[0] != blue || got[1] != green || got[2] != red)
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
    }
  return ::testing::AssertionSuccess();
}

// The picture's rows as the reference writer takes them: red, green, blue (or one grey channel).
ReferencePicture AsReference(const Cimage& picture, int components) {
  ReferencePicture p;
  p.width = picture.m_width;
  p.height = picture.m_height;
  p.components = components;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) {
      const uint8_t* bgr = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
      if (components == 1) {
        p.samples.push_back(bgr[0]);
      } else {
        p.samples.insert(p.samples.end(), {bgr[2], bgr[1], bgr[0]});
      }
    }
  return p;
}

std::vector<std::vector<uint8_t>> DqtSegments(const std::vector<uint8_t>& file) {
  std::vector<std::vector<uint8_t>> tables;
  for (const JpegSegment& s : JpegHeaderSegments(file))
    if (s.marker == 0xDB) tables.push_back(s.data);
  return tables;
}

int SofComponents(const std::vector<uint8_t>& file) {
  for (const JpegSegment& s : JpegHeaderSegments(file))
    if (s.marker >= 0xC0 && s.marker <= 0xC2) return s.data[5];
  return 0;
}

const std::vector<uint8_t>& LargeJpeg() {
  static const std::vector<uint8_t> file = EncodeReferenceJpeg(GradientPicture(4000, 3000, 3), 75);
  return file;
}

struct ScaleCase {
  int mode, boxWidth, boxHeight, width, height, denominator;
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
  *out << "mode " << c.mode << " in " << c.boxWidth << "x" << c.boxHeight;
}

class JpegScaling : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(JpegScaling, DecodesAtTheReductionTheBoxAsksFor) {
  const ScaleCase& c = GetParam();
  Cimage picture;
  LoadJpegBytes(picture, LargeJpeg(), c.boxWidth, c.boxHeight, c.mode);
  ASSERT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_width, c.width);
  EXPECT_EQ(picture.m_height, c.height);
  EXPECT_EQ(picture.m_scaleDen, c.denominator);
  EXPECT_EQ(picture.m_scaleNum, 1);
  EXPECT_EQ(picture.m_origWidth, 4000);
  EXPECT_EQ(picture.m_origHeight, 3000);
  EXPECT_EQ(picture.m_stride, (3 * c.width + 3) / 4 * 4);
}

INSTANTIATE_TEST_SUITE_P(
    BoxesAndModes, JpegScaling,
    ::testing::Values(ScaleCase{1, 160, 160, 500, 375, 8},  // 1/4 would be 1000 wide, over 240
                      ScaleCase{1, 700, 700, 1000, 750, 4},  // 1/2 would be 2000 wide, over 1050
                      ScaleCase{2, 2000, 2000, 2000, 1500, 2}, ScaleCase{2, 4000, 4000, 4000, 3000, 1},
                      ScaleCase{1, 4000, 100, 500, 375, 8},  // the height alone asks for 1/8
                      ScaleCase{3, 160, 160, 4000, 3000, 1}, ScaleCase{4, 160, 160, 4000, 3000, 1},
                      ScaleCase{5, 0, 0, 4000, 3000, 1}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) {
      const ScaleCase& c = info.param;
      return "Mode" + std::to_string(c.mode) + "Box" + std::to_string(c.boxWidth) + "x" + std::to_string(c.boxHeight);
    });

TEST(JpegDecode, PixelsMatchTheCodecAtEveryScale) {
  // Odd sizes, so rows are padded and the last block is partial.
  const std::vector<uint8_t> file = EncodeReferenceJpeg(GradientPicture(333, 211, 3), 90);
  const struct {
    int box, mode, denominator;
  } scales[] = {{0, 5, 1}, {200, 1, 2}, {100, 1, 4}, {10, 1, 8}};
  for (const auto& s : scales) {
    Cimage picture;
    LoadJpegBytes(picture, file, s.box, s.box, s.mode);
    ASSERT_FALSE(picture.m_loadError);
    EXPECT_EQ(picture.m_scaleDen, s.denominator);
    EXPECT_EQ(picture.m_components, 3);
    EXPECT_TRUE(MatchesReference(picture, DecodeReferenceJpeg(file, s.denominator))) << "1/" << s.denominator;
  }
}

TEST(JpegDecode, GreySourceFillsAllThreeChannelsAndKeepsOneComponent) {
  const std::vector<uint8_t> file = EncodeReferenceJpeg(GradientPicture(64, 48, 1), 90);
  Cimage picture;
  LoadJpegBytes(picture, file);
  ASSERT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_components, 1);
  EXPECT_FALSE(picture.m_hasOrigQuant);  // a grey file has only the luminance table
  EXPECT_TRUE(MatchesReference(picture, DecodeReferenceJpeg(file)));
}

TEST(JpegDecode, CmykSourceGoesThroughTheCmykConversion) {
  const std::vector<uint8_t> file = EncodeReferenceJpeg(GradientPicture(50, 40, 4), 90);
  const ReferencePicture cmyk = DecodeReferenceJpeg(file);
  ASSERT_EQ(cmyk.components, 4);
  ReferencePicture expected = cmyk;
  expected.components = 3;
  expected.samples.clear();
  for (size_t i = 0; i < cmyk.samples.size(); i += 4) {
    const unsigned rgb = RGBfromCMYK(cmyk.samples[i], cmyk.samples[i + 1], cmyk.samples[i + 2], cmyk.samples[i + 3]);
    expected.samples.insert(expected.samples.end(), {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)});
  }
  Cimage picture;
  LoadJpegBytes(picture, file);
  ASSERT_FALSE(picture.m_loadError);
  EXPECT_TRUE(MatchesReference(picture, expected));
  // The buffer is RGB now, and saves as a colour JPEG.
  EXPECT_EQ(picture.m_components, 3);
  const std::vector<uint8_t> saved = SaveJpegBytes(picture, 90);
  EXPECT_FALSE(picture.m_saveError);
  EXPECT_EQ(SofComponents(saved), 3);
}

TEST(JpegDecode, TwoComponentFileFails) {
  Cimage picture;
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(16, 16, 2), 90));
  EXPECT_EQ(picture.m_loadError, 1);
}

// Sets the picture size in the frame header, as a damaged or hostile file would.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> file, int width, int height) {
  for (size_t i = 2; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = uint8_t(height >> 8);
      file[i + 6] = uint8_t(height);
      file[i + 7] = uint8_t(width >> 8);
      file[i + 8] = uint8_t(width);
      break;
    }
  return file;
}

TEST(JpegDecode, PicturesBeyondTheSizeCapAreRefusedAtFullSize) {
  const std::vector<uint8_t> huge = EncodeReferenceJpeg(GradientPicture(40000, 16, 3), 90);
  Cimage picture;
  LoadJpegBytes(picture, huge);
  EXPECT_EQ(picture.m_loadError, 1);
  EXPECT_FALSE(picture.m_pixels);
  EXPECT_EQ(picture.m_origWidth, 40000);
  // Scaled down for a thumbnail it is a picture again.
  LoadJpegBytes(picture, huge, 160, 160, 1);
  EXPECT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_width, 5000);
}

TEST(JpegDecode, TruncatedFileShowsWhatIsThereSilently) {
  std::vector<uint8_t> file = EncodeReferenceJpeg(GradientPicture(200, 150, 3), 90);
  file.resize(file.size() / 2);
  Cimage picture;
  ::testing::internal::CaptureStderr();
  LoadJpegBytes(picture, file);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(picture.m_loadError);
  // The rows past the data are the decoder's own mid grey, whether decoded or filled.
  EXPECT_TRUE(MatchesReference(picture, DecodeReferenceJpeg(file)));
  EXPECT_EQ(picture.m_pixels[size_t(picture.m_height - 1) * picture.m_stride], 128);
}

TEST(JpegDecode, AFewBytesClaimingAHugePictureAreRefused) {
  // 20000 × 12000 claimed, a few hundred bytes present: no Huffman-coded file that small holds a
  // bit for each of its blocks.
  std::vector<uint8_t> file = WithFrameSize(EncodeReferenceJpeg(GradientPicture(64, 64, 3), 90), 20000, 12000);
  Cimage picture;
  LoadJpegBytes(picture, file, 160, 160, 1);
  EXPECT_EQ(picture.m_loadError, 1);
  EXPECT_FALSE(picture.m_pixels);
}

TEST(JpegDecode, GarbageIsALoadErrorAndNothingIsPrinted) {
  const std::vector<std::vector<uint8_t>> files = {
      {},
      {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'},
      {0xFF, 0xD8, 0xFF, 0xD9},
      {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0xFF, 0xD9}};
  for (const auto& file : files) {
    Cimage picture;
    ::testing::internal::CaptureStderr();
    LoadJpegBytes(picture, file);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(picture.m_loadError, 1) << file.size() << " bytes";
  }
}

TEST(JpegDecode, QuantisationTablesAreKeptInNaturalOrder) {
  Cimage picture;
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(16, 16, 3), 75));
  ASSERT_EQ(picture.m_hasOrigQuant, 1);
  // Quality 75 halves the standard tables; row 0 of luminance is 16 11 10 16, column 0 is 16 12 14.
  EXPECT_EQ(picture.m_lumaQuant[0], 8);
  EXPECT_EQ(picture.m_lumaQuant[2], 5);
  EXPECT_EQ(picture.m_lumaQuant[8], 6);
  EXPECT_EQ(picture.m_lumaQuant[16], 7);
  EXPECT_EQ(picture.m_chromaQuant[0], 9);
  EXPECT_EQ(picture.m_chromaQuant[2], 12);
}

TEST(JpegEncode, ColourPictureIsWrittenAsTheCodecWouldWriteIt) {
  Cimage picture;
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(97, 61, 3), 90));
  const std::vector<uint8_t> saved = SaveJpegBytes(picture, 80);
  EXPECT_FALSE(picture.m_saveError);
  EXPECT_EQ(saved, EncodeReferenceJpeg(AsReference(picture, 3), 80));
}

TEST(JpegEncode, GreyPictureIsSavedGreyFromItsBlueChannel) {
  Cimage picture;
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(40, 30, 1), 90));
  ASSERT_EQ(picture.m_components, 1);
  for (int y = 0; y < picture.m_height; ++y) picture.m_pixels[size_t(y) * picture.m_stride + 2] = 255;
  const std::vector<uint8_t> saved = SaveJpegBytes(picture, 85);
  EXPECT_EQ(SofComponents(saved), 1);
  EXPECT_EQ(saved, EncodeReferenceJpeg(AsReference(picture, 1), 85));
}

TEST(JpegEncode, ReusingTheLoadedTablesReproducesTheDqtBytes) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(64, 64, 3), 85);
  Cimage picture;
  LoadJpegBytes(picture, source);
  EXPECT_EQ(DqtSegments(SaveJpegBytes(picture, 10, 1)), DqtSegments(source));
  EXPECT_NE(DqtSegments(SaveJpegBytes(picture, 10, 0)), DqtSegments(source));

  Cimage assigned;
  assigned = picture;
  EXPECT_EQ(DqtSegments(SaveJpegBytes(assigned, 10, 1)), DqtSegments(source));
  Cimage copied(picture);
  EXPECT_EQ(DqtSegments(SaveJpegBytes(copied, 10, 1)), DqtSegments(SaveJpegBytes(picture, 10, 0)));
}

TEST(JpegEncode, NothingToSaveOrNowhereToWriteIsASaveError) {
  Cimage empty;
  empty.m_width = 10;  // geometry survives DeleteImage; the pixels do not
  empty.m_height = 10;
  SaveJpegBytes(empty, 90);
  EXPECT_EQ(empty.m_saveError, 1);

  Cimage picture;
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(32, 32, 3), 90));
  const std::string path = TempPath("readonly.jpg");
  WriteBytes(path, {1, 2, 3});
  FILE* readOnly = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(readOnly);
  CimageTestAccess::SaveJPEG(picture, readOnly, 90, 0);
  std::fclose(readOnly);
  EXPECT_EQ(picture.m_saveError, 1);
  EXPECT_TRUE(picture.m_pixels);
}

}  // namespace
