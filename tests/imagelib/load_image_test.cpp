// Loading by extension: the attempt cycle over decoders, file names, and the size modes.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "dib_bytes.h"
#include "jpeg_reference.h"
#include "test_files.h"

namespace {

std::string FileWith(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = TempPath(name);
  WriteBytes(path, bytes);
  return path;
}

std::string Jpeg(const std::string& name, int width, int height) {
  return FileWith(name, EncodeReferenceJpeg(GradientPicture(width, height, 3), 85));
}

// A 24-bit bottom-up BMP of the same gradient.
std::string Bmp(const std::string& name, int width, int height) {
  const ReferencePicture rgb = GradientPicture(width, height, 3);
  DibSpec spec;
  spec.width = width;
  spec.height = height;
  const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb.samples[(size_t(y) * width + x) * 3];
      spec.bits.insert(spec.bits.end(), {p[2], p[1], p[0]});
    }
    spec.bits.resize(spec.bits.size() + rowBytes - size_t(width) * 3, 0);
  }
  return FileWith(name, BmpFile(spec));
}

TEST(LoadByExtension, AJpegLoadsAndRecordsItsFile) {
  const std::string path = Jpeg("photo.jpg", 64, 48);
  Cimage picture;
  picture.LoadImageA(path.c_str(), 0, 0, 5);
  EXPECT_EQ(picture.m_valid, 1);
  EXPECT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_unknownExt, 0);
  EXPECT_EQ(picture.m_width, 64);
  EXPECT_EQ(picture.m_fileSize, long(ReadBytes(path).size()));
  ASSERT_TRUE(picture.m_bmi);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biHeight, -48);
}

TEST(LoadByExtension, FileNamesAreReadAsTheUserMeantThem) {
  const std::string jpeg = Jpeg("named.jpg", 20, 10);
  Cimage picture;
  picture.LoadImageA((jpeg + "   ").c_str(), 0, 0, 5);  // trailing blanks are cut
  EXPECT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_unknownExt, 0);

  // A name that is only an extension has none, and is tried as JPEG first.
  const std::string dotFirst = FileWith(".jpg", ReadBytes(jpeg));
  Cimage relative;
  relative.LoadImageA(dotFirst.c_str(), 0, 0, 5);
  EXPECT_FALSE(relative.m_loadError);
  EXPECT_EQ(relative.m_unknownExt, 1);
}

TEST(LoadByExtension, AWrongExtensionFallsBackThroughEveryDecoder) {
  // A JPEG named .gif: GIF, BMP, TIFF, PNG, PSD and PCX three times fail; JPEG wins last.
  const std::string path = FileWith("really-a-jpeg.gif", ReadBytes(Jpeg("source.jpg", 30, 20)));
  Cimage picture;
  picture.LoadImageA(path.c_str(), 0, 0, 5);
  EXPECT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_width, 30);
  EXPECT_EQ(picture.m_unknownExt, 0);

  const std::string bmpAsJpg = FileWith("really-a-bmp.jpg", ReadBytes(Bmp("source.bmp", 7, 5)));
  picture.LoadImageA(bmpAsJpg.c_str(), 0, 0, 5);
  EXPECT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_width, 7);
}

TEST(LoadByExtension, NothingLoadableLeavesAFailedEmptyPicture) {
  Cimage missing;
  missing.LoadImageA(TempPath("missing.jpg").c_str(), 0, 0, 5);
  EXPECT_EQ(missing.m_valid, 1);
  EXPECT_EQ(missing.m_loadError, 1);
  EXPECT_FALSE(missing.m_pixels);

  const std::string junk = FileWith("junk.png", std::vector<uint8_t>(300, 0x5A));
  Cimage picture;
  picture.LoadImageA(junk.c_str(), 0, 0, 5);
  EXPECT_EQ(picture.m_valid, 1);
  EXPECT_EQ(picture.m_loadError, 1);
  EXPECT_FALSE(picture.m_pixels);

  const std::string tooLong = TempPath(std::string(300, 'x') + ".jpg");
  picture.LoadImageA(tooLong.c_str(), 0, 0, 5);
  EXPECT_EQ(picture.m_loadError, 1);
}

struct SizeModeCase {
  const char* name;
  bool jpeg;
  int width, height, boxWidth, boxHeight, mode;
  int expectWidth, expectHeight, scaleNum, scaleDen;
};

void PrintTo(const SizeModeCase& c, std::ostream* out) { *out << c.name; }

class SizeModes : public ::testing::TestWithParam<SizeModeCase> {};

TEST_P(SizeModes, GiveTheSizeAndScaleOfTheRule) {
  const SizeModeCase& c = GetParam();
  const std::string path = c.jpeg ? Jpeg(std::string(c.name) + ".jpg", c.width, c.height)
                                  : Bmp(std::string(c.name) + ".bmp", c.width, c.height);
  Cimage picture;
  picture.LoadImageA(path.c_str(), c.boxWidth, c.boxHeight, c.mode);
  ASSERT_FALSE(picture.m_loadError);
  EXPECT_EQ(picture.m_width, c.expectWidth);
  EXPECT_EQ(picture.m_height, c.expectHeight);
  EXPECT_EQ(picture.m_scaleNum, c.scaleNum);
  EXPECT_EQ(picture.m_scaleDen, c.scaleDen);
  EXPECT_EQ(picture.m_origWidth, c.width);
  EXPECT_EQ(picture.m_origHeight, c.height);
  EXPECT_EQ(picture.m_stride, (3 * picture.m_width + 3) / 4 * 4);
}

INSTANTIATE_TEST_SUITE_P(
    LoaderBoxes, SizeModes,
    ::testing::Values(
        SizeModeCase{"GentleThreeQuarters", false, 800, 600, 640, 480, 2, 600, 450, 3, 4},
        SizeModeCase{"GentleHalf", false, 1000, 800, 640, 480, 2, 500, 400, 1, 2},
        SizeModeCase{"GentleAlreadyFits", false, 300, 200, 640, 480, 2, 300, 200, 1, 1},
        SizeModeCase{"ExactFit", false, 1600, 1200, 800, 800, 4, 800, 600, 800, 600},
        SizeModeCase{"FullSizeIgnoresTheBox", false, 333, 222, 10, 10, 5, 333, 222, 1, 1},
        // Doubled to 800 × 640 (while below three quarters of the box), then 3/4 brings it inside.
        SizeModeCase{"EnlargeThenFit", false, 100, 80, 640, 480, 3, 600, 480, 24, 4},
        // DCT scaling takes 2000 × 1500 to 250 × 188 (1/8); the fit then makes it 160 × 120.
        SizeModeCase{"ThumbnailFromAJpeg", true, 2000, 1500, 160, 160, 1, 160, 120, 1, 8},
        SizeModeCase{"ThumbnailEnlargesASmallPicture", false, 40, 20, 160, 160, 1, 160, 80, 1, 1},
        SizeModeCase{"WindowFitOfAJpegUsesDctScaling", true, 4000, 3000, 1000, 1000, 2, 1000, 750, 1, 4},
        // One pixel wide and very tall: the filters never narrow it to nothing, and the loop ends
        // (halved twice to 500, then 3/4).
        SizeModeCase{"ThinStripStillFits", false, 1, 2000, 640, 480, 2, 1, 375, 3, 16}),
    [](const ::testing::TestParamInfo<SizeModeCase>& info) { return std::string(info.param.name); });

TEST(LoadByExtension, ThumbnailLoadsDropTheExifBlock) {
  const std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
  const std::string path = FileWith("camera.jpg", EncodeReferenceJpeg(GradientPicture(400, 300, 3), 85, {{0xE1, exif}}));
  Cimage full, thumbnail;
  full.LoadImageA(path.c_str(), 0, 0, 5);
  thumbnail.LoadImageA(path.c_str(), 160, 160, 1);
  EXPECT_TRUE(full.m_exif);
  EXPECT_FALSE(thumbnail.m_exif);
}

}  // namespace
