// The clipboard's bitmap of a picture, byte for byte.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "clipboard_dib.h"
#include "missing_files.h"
#include "viewer_pictures.h"

namespace {

// A picture whose pixel (x, y) is blue 10x+y, green 100+y, red 200+x.
Cimage Gradient(int width, int height) {
  Cimage picture;
  picture.Blank(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
      p[0] = uint8_t(10 * x + y);
      p[1] = uint8_t(100 + y);
      p[2] = uint8_t(200 + x);
    }
  return picture;
}

TEST(PackedDib, HeaderThenRowsFromTheBottomPaddedToFourBytes) {
  // Three pixels of three bytes make nine; each row is padded with three zero bytes.
  const std::vector<uint8_t> expected = {
      40, 0, 0, 0,     // header size
      3, 0, 0, 0,      // width
      2, 0, 0, 0,      // height: positive, the bottom row first
      1, 0,            // planes
      24, 0,           // bits per pixel
      0, 0, 0, 0,      // no compression
      24, 0, 0, 0,     // image size: 2 rows of 12
      0xE8, 3, 0, 0,   // 1000 pixels per metre across
      0xE8, 3, 0, 0,   // and down
      0, 0, 0, 0,      // no palette
      0, 0, 0, 0,
      // row 1 (the bottom one)
      1, 101, 200, 11, 101, 201, 21, 101, 202, 0, 0, 0,
      // row 0
      0, 100, 200, 10, 100, 201, 20, 100, 202, 0, 0, 0,
      0, 0, 0, 0,  // the block's four spare bytes
  };
  EXPECT_EQ(PackedDibOf(Gradient(3, 2)), expected);
}

TEST(PackedDib, RowsOfWholeWordsNeedNoPadding) {
  const std::vector<uint8_t> dib = PackedDibOf(Gradient(4, 3));
  ASSERT_EQ(dib.size(), 40u + 3 * 12 + 4);
  EXPECT_EQ(dib[20], 36);  // image size
  const uint8_t bottomRow[12] = {2, 102, 200, 12, 102, 201, 22, 102, 202, 32, 102, 203};
  EXPECT_EQ(std::memcmp(dib.data() + 40, bottomRow, 12), 0);
}

TEST(PackedDib, NothingForAnEmptyPicture) {
  Cimage empty;
  EXPECT_TRUE(PackedDibOf(empty).empty());
}

// The library reads the block back to the same photograph.
TEST(PackedDib, ThePhotographComesBackFromIt) {
  const std::string path = FlowerPhotoPath();
  if (path.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  Cimage photo;
  photo.LoadImageA(path.c_str(), 0, 0, 5);
  ASSERT_TRUE(photo.m_valid);
  const std::vector<uint8_t> dib = PackedDibOf(photo);
  Cimage back;
  back.FromPackedDIB(dib.data(), dib.size());
  EXPECT_TRUE(SamePixels(photo, back));
}

}  // namespace
