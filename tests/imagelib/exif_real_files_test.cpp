// Camera text of real files nobody here made, read through the JPEG decoder and the header-only read.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "exif_block_builder.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

const std::string kPixbufTests = "/usr/libexec/installed-tests/gdk-pixbuf";

std::string TextOf(Cimage& picture, unsigned lines = kAllExifLines) {
  char text[30000];
  picture.EXIF_ImageInfoText(text, lines, sizeof text);
  return text;
}

struct RealFile {
  const char* path;
  const char* text;
};

void PrintTo(const RealFile& f, std::ostream* os) { *os << f.path; }

class ExifRealFile : public ::testing::TestWithParam<RealFile> {};

TEST_P(ExifRealFile, GivesTheCameraTextByBothReads) {
  const std::string path = SystemPath(GetParam().path);
  Cimage header;
  if (header.EXIFLoadBuffer(path.c_str()) == 0) SKIP_OR_FAIL_MISSING(std::string(GetParam().path) + " is not installed");
  EXPECT_EQ(TextOf(header), GetParam().text);

  Cimage decoded;
  ASSERT_TRUE(LoadJpegFile(decoded, path, 160, 160, 1));
  EXPECT_EQ(TextOf(decoded), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExifRealFile,
    ::testing::Values(
        // A 1×1 picture from an image editor: a description in IFD0, a comment of the undefined
        // character code (eight zeros), and an XMP segment after the EXIF one.
        RealFile{"/usr/share/libjxl-testdata/jxl/jpeg_reconstruction/1x1_exif_xmp.jpg",
                 "Flash used   : No\n"
                 "Description  : Created with GIMP\n"},
        // A system camera: flash value 16 is "off, did not fire"; white balance 11 is shade.
        RealFile{"/usr/libexec/installed-tests/gdk-pixbuf/bug725582-testrotate.jpg",
                 "Camera make  : Panasonic\n"
                 "Camera model : DMC-GF1\n"
                 "Date/Time    : 2013:06:23 16:49:15\n"
                 "Flash used   : No\n"
                 "Focal length : 20.0mm\n"
                 "Aperture     : f/1.7\n"
                 "Exposure time: 0.002 s  (1/400)\n"  // 1/400 held as a float is just below 0.0025
                 "ISO equiv.   : 100\n"
                 "Whitebalance : cloudy\n"
                 "Metering Mode: matrix\n"
                 "Exposure     : program (auto)\n"
                 "JPG Quality  : fine\n"},
        // A phone: fields padded with zeros, a description of zeros only, tags in no order.
        RealFile{"/usr/libexec/installed-tests/gdk-pixbuf/issue70.jpg",
                 "Camera make  : Meizu\n"
                 "Camera model : M5 Note\n"
                 "Date/Time    : 2017:04:02 21:33:51\n"
                 "Flash used   : No\n"
                 "Focal length :  3.5mm\n"
                 "Aperture     : f/2.2\n"
                 "Exposure time: 0.070 s  (1/14)\n"
                 "ISO equiv.   : 2859\n"
                 "Whitebalance : cloudy\n"
                 "Metering Mode: center weight\n"},
        // Big-endian, with nothing but resolutions and sizes.
        RealFile{"/usr/libexec/installed-tests/gdk-pixbuf/issue205.jpg", "Flash used   : No\n"},
        RealFile{"/usr/libexec/installed-tests/gdk-pixbuf/large.jpg", "No EXIF data found"}));

TEST(ExifRealFiles, TheDateAloneForFileDates) {
  const std::string path = SystemPath(kPixbufTests + "/bug143608-comment.jpg");
  Cimage picture;
  if (picture.EXIFLoadBuffer(path.c_str()) == 0) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  EXPECT_EQ(TextOf(picture, 0x4), "Date/Time    : 2013:06:23 16:49:15\n");
}

// Broken and randomly modified files: whatever their header holds gives one of the texts, with
// no sanitizer report.
TEST(ExifRealFiles, DamagedFilesGiveAText) {
  std::vector<std::string> files;
  for (const char* folder : {"", "/test-images/fail", "/test-images/randomly-modified"})
    for (const std::string& file : FilesIn(kPixbufTests + folder, {".jpg", ".jpeg"})) files.push_back(file);
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  for (const std::string& file : files) {
    Cimage picture;
    picture.EXIFLoadBuffer(file.c_str());
    const std::string text = TextOf(picture);
    EXPECT_TRUE(text == "No EXIF data found" || text == "Error in EXIF data" ||
                text.find("Flash used   : ") != std::string::npos)
        << file << ": " << text;
  }
}

}  // namespace
