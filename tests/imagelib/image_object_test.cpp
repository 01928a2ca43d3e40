// The picture object itself: its layout, construction, copying and release.
#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"

namespace {

// A decoded 40 × 30 colour picture with an EXIF segment and the file's quantisation tables.
void LoadSample(Cimage& picture) {
  std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42};
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(40, 30, 3), 75, {{0xE1, exif}}));
  ASSERT_TRUE(picture.m_pixels);
  ASSERT_FALSE(picture.m_loadError);
  ASSERT_TRUE(picture.m_exif);
  ASSERT_TRUE(picture.m_hasOrigQuant);
}

bool SamePixels(const Cimage& a, const Cimage& b) {
  return a.m_width == b.m_width && a.m_height == b.m_height && a.m_stride == b.m_stride &&
         std::memcmp(a.m_pixels, b.m_pixels, size_t(a.m_stride) * a.m_height) == 0;
}

TEST(ImageLayout, FieldsKeepTheirOrderAndWidths) {
  // Other programs read these fields by offset; a 32-bit build must match exactly.
  const size_t offsets[] = {
      offsetof(Cimage, m_origHeight), offsetof(Cimage, m_origWidth), offsetof(Cimage, m_height),
      offsetof(Cimage, m_width), offsetof(Cimage, m_stride), offsetof(Cimage, m_components),
      offsetof(Cimage, m_valid), offsetof(Cimage, m_loadError), offsetof(Cimage, m_saveError),
      offsetof(Cimage, m_animated), offsetof(Cimage, m_displayDithered), offsetof(Cimage, m_unknownExt),
      offsetof(Cimage, m_scaleNum), offsetof(Cimage, m_scaleDen), offsetof(Cimage, m_frameDelay),
      offsetof(Cimage, m_fileSize), offsetof(Cimage, m_hasOrigQuant)};
  for (size_t i = 0; i < sizeof offsets / sizeof offsets[0]; ++i) EXPECT_EQ(offsets[i], 4 * i) << "field " << i + 1;
  EXPECT_EQ(offsetof(Cimage, m_chromaQuant), 68u);
  EXPECT_EQ(offsetof(Cimage, m_lumaQuant), 324u);
  EXPECT_EQ(offsetof(Cimage, m_bgR), 580u);
  EXPECT_EQ(offsetof(Cimage, m_bgG), 581u);
  EXPECT_EQ(offsetof(Cimage, m_bgB), 582u);
  const size_t p = sizeof(void*);
  EXPECT_EQ(offsetof(Cimage, m_pixels), 584u);
  EXPECT_EQ(offsetof(Cimage, m_dispBits), 584 + p);
  EXPECT_EQ(offsetof(Cimage, m_bmi), 584 + 2 * p);
  EXPECT_EQ(offsetof(Cimage, m_gif), 584 + 3 * p);
  EXPECT_EQ(offsetof(Cimage, m_frameBuf), 584 + 4 * p);
  EXPECT_EQ(offsetof(Cimage, m_exif), 584 + 5 * p);
  EXPECT_EQ(offsetof(Cimage, m_exifSize), 584 + 6 * p);
  if (p == 4) {
    EXPECT_EQ(sizeof(Cimage), 612u);
  }
}

TEST(ImageObject, StartsEmptyWithItsDefaults) {
  Cimage picture;
  EXPECT_EQ(picture.m_scaleNum, 1);
  EXPECT_EQ(picture.m_scaleDen, 1);
  EXPECT_FALSE(picture.m_pixels || picture.m_dispBits || picture.m_bmi || picture.m_gif ||
               picture.m_frameBuf || picture.m_exif);
  EXPECT_EQ(picture.m_exifSize, 0u);
  EXPECT_EQ(picture.m_width | picture.m_height | picture.m_valid | picture.m_loadError |
                picture.m_saveError | picture.m_hasOrigQuant | picture.m_fileSize,
            0);
  EXPECT_EQ(picture.m_bgR, 255);
  EXPECT_EQ(picture.m_bgG, 255);
  EXPECT_EQ(picture.m_bgB, 255);
  EXPECT_EQ(Cimage::initstatus, 1);
}

TEST(ImageObject, LibrarySettingsStartAsDocumented) {
  EXPECT_EQ(Cimage::S_16bit_color, 1);
  EXPECT_EQ(Cimage::S_file_dither16, 1);
  EXPECT_EQ(Cimage::S_file_save_useorig, 0);
  EXPECT_EQ(Cimage::S_tifcompression, 0);
  EXPECT_EQ(Cimage::S_use_palette, 0);
  EXPECT_EQ(Cimage::S_hpal, nullptr);
}

TEST(ImageCopy, CopyingAnEmptyPictureGivesAnEmptyPicture) {
  Cimage empty;
  Cimage byPointer(&empty);
  Cimage byReference(empty);
  EXPECT_FALSE(byPointer.m_pixels);
  EXPECT_FALSE(byReference.m_pixels);
  Cimage target;
  target = empty;
  EXPECT_FALSE(target.m_pixels);
}

TEST(ImageCopy, CopyConstructorsCopyPixelsButNotFileExtras) {
  Cimage original;
  LoadSample(original);
  original.m_scaleDen = 2;
  original.m_fileSize = 1234;
  original.m_unknownExt = 1;
  for (const Cimage* copy : {new Cimage(&original), new Cimage(original)}) {
    EXPECT_TRUE(SamePixels(*copy, original));
    EXPECT_NE(copy->m_pixels, original.m_pixels);
    EXPECT_EQ(copy->m_scaleDen, 2);
    EXPECT_EQ(copy->m_fileSize, 1234);
    EXPECT_EQ(copy->m_unknownExt, 1);
    EXPECT_EQ(copy->m_valid, 1);
    EXPECT_EQ(copy->m_origWidth, 40);
    EXPECT_FALSE(copy->m_hasOrigQuant);
    EXPECT_FALSE(copy->m_exif);
    ASSERT_TRUE(copy->m_bmi);
    EXPECT_EQ(copy->m_bmi->bmiHeader.biHeight, -30);
    delete copy;
  }
  // The copy owns its pixels: changing the original leaves it alone.
  Cimage copy(original);
  original.m_pixels[0] ^= 0xFF;
  EXPECT_NE(copy.m_pixels[0], original.m_pixels[0]);
}

TEST(ImageCopy, AssignmentCarriesQuantTablesButNeitherExifNorBackground) {
  Cimage original;
  LoadSample(original);
  original.m_bgR = 1;
  Cimage target;
  target.m_bgR = 7;
  target = original;
  EXPECT_TRUE(SamePixels(target, original));
  EXPECT_EQ(target.m_hasOrigQuant, 1);
  EXPECT_EQ(0, std::memcmp(target.m_lumaQuant, original.m_lumaQuant, sizeof target.m_lumaQuant));
  EXPECT_EQ(0, std::memcmp(target.m_chromaQuant, original.m_chromaQuant, sizeof target.m_chromaQuant));
  EXPECT_FALSE(target.m_exif);
  EXPECT_EQ(target.m_bgR, 7);
  ASSERT_TRUE(target.m_bmi);
  EXPECT_EQ(target.m_bmi->bmiHeader.biWidth, 40);
}

TEST(ImageCopy, AssigningAPictureToItselfKeepsIt) {
  Cimage picture;
  LoadSample(picture);
  Cimage before(picture);
  Cimage& alias = picture;
  picture = alias;
  ASSERT_TRUE(picture.m_pixels);
  EXPECT_TRUE(SamePixels(picture, before));
  EXPECT_TRUE(picture.m_exif);
  EXPECT_EQ(picture.m_valid, 1);
}

TEST(ImageRelease, DeleteImageFreesEverythingButKeepsGeometryAndSaveError) {
  Cimage picture;
  LoadSample(picture);
  picture.m_saveError = 1;
  picture.m_animated = 1;
  picture.m_frameDelay = 10;
  picture.DeleteImage();
  EXPECT_FALSE(picture.m_pixels || picture.m_bmi || picture.m_exif || picture.m_dispBits);
  EXPECT_EQ(picture.m_exifSize, 0u);
  EXPECT_EQ(picture.m_valid | picture.m_loadError | picture.m_animated | picture.m_frameDelay |
                picture.m_hasOrigQuant,
            0);
  EXPECT_EQ(picture.m_width, 40);
  EXPECT_EQ(picture.m_saveError, 1);
  picture.DeleteImage();  // again, on an empty object
  EXPECT_EQ(picture.m_saveError, 1);
}

TEST(ImageRelease, NoAnimationKeepsTheCurrentPicture) {
  Cimage picture;
  LoadSample(picture);
  picture.m_animated = 1;
  picture.m_frameDelay = 10;
  picture.NoAnimation();
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_TRUE(picture.m_pixels);
  EXPECT_EQ(picture.m_valid, 1);
}

TEST(ExifBuffer, NewGetAndDelete) {
  Cimage picture;
  uint8_t* block = picture.EXIFNewBuffer(100);
  ASSERT_TRUE(block);
  EXPECT_EQ(picture.EXIFGetBuffer(), block);
  EXPECT_EQ(picture.EXIFGetBufferSize(), 100u);
  EXPECT_EQ(picture.EXIFNewBuffer(0), nullptr);
  EXPECT_EQ(picture.EXIFGetBufferSize(), 0u);
  picture.EXIFNewBuffer(8);
  picture.EXIFDeleteBuffer();
  EXPECT_EQ(picture.EXIFGetBuffer(), nullptr);
  EXPECT_EQ(picture.EXIFGetBufferSize(), 0u);
}

}  // namespace
