// Captions are drawn in Arial. Wine has no Arial, so the test prefix (and the run command's) maps
// it to the metric-compatible Liberation Sans: text must measure as it will on Windows, not in
// Wine's serif fallback, or screenshots and layout checks judge the wrong picture.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

struct Measured {
  std::string face;
  SIZE extent;
};

Measured Measure(const char* face) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HFONT font = ::CreateFontA(14, 0, 0, 0, 500, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
  HGDIOBJ old = ::SelectObject(dc, font);
  const std::string caption = "9 K, 2140 x 1203 Wide photograph.jpg";
  Measured measured = {};
  ::GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &measured.extent);
  char name[LF_FACESIZE] = {};
  ::GetTextFaceA(dc, LF_FACESIZE, name);
  measured.face = name;
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::DeleteDC(dc);
  return measured;
}

TEST(CaptionFont, ArialMeasuresAsTheMetricCompatibleSansSerif) {
  const Measured sans = Measure("Liberation Sans");
  ASSERT_EQ(sans.face, "Liberation Sans") << "fonts-liberation is not installed";
  const Measured serif = Measure("Liberation Serif");
  const Measured arial = Measure("arial");
  EXPECT_EQ(arial.extent.cx, sans.extent.cx);
  EXPECT_EQ(arial.extent.cy, sans.extent.cy);
  EXPECT_NE(arial.extent.cx, serif.extent.cx) << "Arial fell back to a serif face";
}

}  // namespace
