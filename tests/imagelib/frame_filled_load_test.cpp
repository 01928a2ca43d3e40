// Loading a picture straight into a frame: a JPEG much larger than the frame decodes reduced, yet
// ends at exactly the size, and very nearly the pixels, of the whole picture loaded and fitted.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "canvas_test_pictures.h"
#include "missing_files.h"
#include "test_files.h"

namespace {

using canvas_pictures::SamePixels;
using canvas_pictures::Size;
using canvas_pictures::SizeOf;

// Peak signal-to-noise ratio over every channel of two pictures of one size.
double Psnr(const Cimage& a, const Cimage& b) {
  double squares = 0;
  for (int y = 0; y < a.m_height; ++y) {
    const uint8_t* p = a.m_pixels + size_t(y) * a.m_stride;
    const uint8_t* q = b.m_pixels + size_t(y) * b.m_stride;
    for (int x = 0; x < 3 * a.m_width; ++x) squares += double(p[x] - q[x]) * (p[x] - q[x]);
  }
  const double mean = squares / (3.0 * a.m_width * a.m_height);
  return mean == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mean);
}

TEST(LoadFrameFilled, EndsAsTheWholePictureFittedDoes) {
  const std::string folder = "/usr/share/libjxl-testdata/jxl/flower/";
  if (FilesIn(folder, {".jpg"}).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  // 2268 × 1512 photographs in several samplings, progressive and grey; the PNG decodes whole.
  const char* files[] = {"flower.png.im_q85_420.jpg", "flower.png.im_q85_444.jpg", "flower.png.im_q85_440.jpg",
                         "flower.png.im_q85_420_progr.jpg", "flower.png.im_q85_gray.jpg", "flower_cropped.jpg"};
  struct Frame {
    int width, height, fill;
    bool reduced;  // for the 2268 × 1512 files
  } frames[] = {{1024, 1024, 0, true}, {640, 480, 0, true}, {100, 60, 0, true},  {200, 200, 1, true},
                {333, 257, 1, true},   {1200, 900, 0, false}, {2000, 2000, 1, false}};
  for (const char* name : files) {
    const std::string path = SystemPath(folder + name);
    Cimage whole;
    whole.LoadImageA(path.c_str(), 0, 0, 5);
    ASSERT_FALSE(whole.m_loadError) << name;
    for (const Frame& f : frames) {
      SCOPED_TRACE(testing::Message() << name << " into " << f.width << " x " << f.height << " fill " << f.fill);
      Cimage expected(&whole), framed;
      expected.FrameFill(f.width, f.height, f.fill);
      framed.LoadFrameFilled(path.c_str(), f.width, f.height, f.fill);
      ASSERT_FALSE(framed.m_loadError);
      ASSERT_EQ(SizeOf(framed), SizeOf(expected));
      EXPECT_EQ(Size(framed.m_origWidth, framed.m_origHeight), Size(expected.m_origWidth, expected.m_origHeight));
      if (whole.m_width != 2268 || f.reduced)
        EXPECT_GT(Psnr(framed, expected), 40.0);
      else
        EXPECT_TRUE(SamePixels(framed, expected));
    }
  }
}

TEST(LoadFrameFilled, AFileThatCannotBeReadIsALoadError) {
  for (const std::string& path : {TempPath("missing.jpg"), TempPath("garbage.jpg")}) {
    if (path.find("garbage") != std::string::npos) WriteBytes(path, {0xFF, 0xD8, 0xFF, 0xC0, 0, 3});
    Cimage picture;
    picture.LoadFrameFilled(path.c_str(), 640, 480, 0);
    EXPECT_TRUE(picture.m_loadError) << path;
    EXPECT_EQ(picture.m_pixels, nullptr) << path;
  }
}

// A caller that resamples once itself gets the JPEG at the largest reduction that still covers
// the box, whichever way up it is turned later; other formats come whole.
TEST(LoadCovering, DecodesAtTheLargestReductionThatCoversTheBox) {
  const std::string folder = "/usr/share/libjxl-testdata/jxl/flower/";
  if (FilesIn(folder, {".jpg"}).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  const struct {
    const char* name;
    int box;
    int width, height;
  } cases[] = {
      {"flower.png.im_q85_420.jpg", 100, 284, 189},         // 1/8: a reduced side rounds up
      {"flower.png.im_q85_420_progr.jpg", 300, 567, 378},   // 1/4: 1/8 would leave 189 rows
      {"flower.png.im_q85_444.jpg", 378, 567, 378},         // exactly covering still counts
      {"flower.png.im_q85_gray.jpg", 379, 1134, 756},       // 1/2
      {"flower.png.im_q85_420.jpg", 800, 2268, 1512},       // whole
      {"flower.png", 100, 2268, 1512},                       // not a JPEG: whole
  };
  for (const auto& c : cases) {
    Cimage picture;
    picture.LoadCovering(SystemPath(folder + c.name).c_str(), c.box, c.box);
    ASSERT_FALSE(picture.m_loadError) << c.name;
    EXPECT_EQ(SizeOf(picture), Size(c.width, c.height)) << c.name << " covering " << c.box;
    EXPECT_EQ(Size(picture.m_origWidth, picture.m_origHeight), Size(2268, 1512)) << c.name;
  }
}

}  // namespace
