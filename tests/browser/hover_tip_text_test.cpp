// The hover tip's text: the file part, the camera information from a real camera's EXIF block
// and the annotation, each when asked for, parted by one blank line and with no empty line at
// the foot.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Cimage.h"
#include "case_name.h"
#include "hover_tip_text.h"
#include "missing_files.h"

namespace {

const char* const kCameraFile = "/usr/libexec/installed-tests/gdk-pixbuf/bug725582-testrotate.jpg";

std::string CameraFile() {
#ifdef _WIN32
  return std::string("Z:") + kCameraFile;
#else
  return kCameraFile;
#endif
}

struct TipCase {
  const char* what;
  HoverTipOptions options;
  bool withThumbnail;
  const char* annotation;
  // "%file" stands for the file part's first two lines (path and date).
  const char* expected;
};

class HoverTip : public ::testing::TestWithParam<TipCase> {};

HoverTipOptions Options(bool fileInfo, bool annotations, bool exifTips, unsigned exifLines) {
  HoverTipOptions options;
  options.fileInfo = fileInfo;
  options.annotations = annotations;
  options.exifTips = exifTips;
  options.exifLines = exifLines;
  return options;
}

TEST_P(HoverTip, PutsThePartsTogether) {
  const TipCase& c = GetParam();
  const std::string path = CameraFile();
  if (!std::filesystem::exists(path)) SKIP_OR_FAIL_MISSING(std::string(kCameraFile) + " is not installed");
  CThumbItem item;
  const size_t slash = path.find_last_of("/\\");
  item.folder = path.substr(0, slash + 1);
  item.name = path.substr(slash + 1);
  item.sizeKB = 37;
  item.lastWrite = FILETIME{0xD53E8000, 0x01D2F8A1};
  if (c.withThumbnail) {
    item.thumbnail = new Cimage;
    item.thumbnail->LoadImageA(path.c_str(), 80, 80, 1);
    ASSERT_TRUE(item.thumbnail->m_valid);
  }
  std::string expected = c.expected;
  const size_t at = expected.find("%file");
  if (at != std::string::npos) expected.replace(at, 5, path + "\n" + item.GetDateText());
  EXPECT_EQ(HoverTipText(item, c.options, c.annotation), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HoverTip,
    ::testing::Values(
        TipCase{"nothing asked for: no tip", Options(false, false, false, 0), true, "", ""},
        TipCase{"file part before the thumbnail is in", Options(true, false, false, 0), false, "", "%file\n37 K"},
        TipCase{"file part with the picture's full size", Options(true, false, false, 0), true, "",
                "%file\n37 K, 640 x 428"},
        TipCase{"annotations on but none: no blank line at the foot", Options(true, true, false, 0), true, "",
                "%file\n37 K, 640 x 428"},
        TipCase{"camera make and model alone", Options(false, false, true, 0x3), false, "",
                "Camera make  : Panasonic\nCamera model : DMC-GF1"},
        TipCase{"every part, one blank line between them", Options(true, true, true, 0x4 | 0x40), true,
                "Holiday\nsecond line",
                "%file\n37 K, 640 x 428\n\nDate/Time    : 2013:06:23 16:49:15\nAperture     : f/1.7\n\n"
                "Holiday\nsecond line"},
        TipCase{"an empty line mask leaves the camera part out", Options(true, true, true, 0), false, "note",
                "%file\n37 K\n\nnote"}),
    [](const ::testing::TestParamInfo<TipCase>& info) { return CaseName(info.param.what); });

// A file without an EXIF block says so in its tip.
TEST(HoverTipWithoutExif, SaysThereIsNone) {
  CThumbItem item;
  item.folder = "/nonexistent/";
  item.name = "picture.png";
  EXPECT_EQ(HoverTipText(item, Options(false, false, true, 0x8000000), ""), "No EXIF data found");
}

}  // namespace
