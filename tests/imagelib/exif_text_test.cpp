// The camera text made from an EXIF segment: each line's exact wording and the mask that picks lines.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "exif_block_builder.h"
#include "exif_tags.h"

namespace {

using namespace ravelight;  // the tags

constexpr uint16_t kCompression = 0x0103;
constexpr uint16_t kInteropIndex = 0x0001;

const std::string kAsciiCode("ASCII\0\0\0", 8);

ExifBlock Camera(ExifOrder order) {
  ExifBlock block;
  block.order = order;
  block.ifd0 = {ExifAscii(kTagMake, "Ravenstone"), ExifAscii(kTagModel, "RS-200 Zoom"),
                ExifAscii(kTagDescription, "Harbour at dusk   ")};
  block.exif = {ExifRational(kTagExposureTime, 1, 125),
                ExifRational(kTagFNumber, 28, 10),
                ExifShort(kTagExposureProgram, 3),
                ExifShort(kTagIsoSpeed, 200),
                ExifAscii(kTagDateTimeOriginal, "2004:07:15 18:42:07"),
                ExifRational(kTagCompressedBitsPerPixel, 2, 1),
                ExifSignedRational(kTagExposureBias, -1, 3),
                ExifRational(kTagSubjectDistance, 350, 100),
                ExifShort(kTagMeteringMode, 2),
                ExifShort(kTagLightSource, 2),
                ExifShort(kTagFlash, 1),
                ExifRational(kTagFocalLength, 58, 10),
                ExifUndefined(kTagUserComment, kAsciiCode + "Boats"),
                ExifLong(kTagImageWidth, 2400),
                ExifShort(kTagImageHeight, 1800),
                ExifRational(kTagFocalPlaneXResolution, 25400, 3),
                ExifShort(kTagFocalPlaneUnit, 2)};
  block.interop = {ExifAscii(kInteropIndex, "R98")};
  block.thumbnail = {ExifShort(kCompression, 6), ExifLong(kTagThumbnailOffset, 8), ExifLong(kTagThumbnailLength, 16)};
  return block;
}

const char kCameraText[] =
    "Camera make  : Ravenstone\n"
    "Camera model : RS-200 Zoom\n"
    "Date/Time    : 2004:07:15 18:42:07\n"
    "Flash used   : Yes\n"
    "Focal length :  5.8mm  (35mm equivalent: 28mm)\n"
    "Aperture     : f/2.8\n"
    "Exposure time: 0.008 s  (1/125)\n"
    "ISO equiv.   : 200\n"
    "Focus Dist.  : 3.50m\n"
    "Whitebalance : fluorescent\n"
    "Metering Mode: center weight\n"
    "Exposure     : aperture priority (semi-auto)\n"
    "JPG Quality  : normal\n"
    "Comment      : Boats\n"
    "Description  : Harbour at dusk\n";

TEST(ExifText, EveryLineOfACameraInOrder) {
  EXPECT_EQ(ExifTextOf(Camera(ExifOrder::kIntel).Build()), kCameraText);
}

TEST(ExifText, BothByteOrdersGiveTheSameText) {
  const std::vector<uint8_t> intel = Camera(ExifOrder::kIntel).Build();
  const std::vector<uint8_t> motorola = Camera(ExifOrder::kMotorola).Build();
  ASSERT_NE(intel, motorola);
  EXPECT_EQ(std::string(motorola.begin() + 8, motorola.begin() + 10), "MM");
  EXPECT_EQ(ExifTextOf(motorola), kCameraText);
  for (unsigned bit = 1; bit < kAllExifLines; bit <<= 1)
    EXPECT_EQ(ExifTextOf(motorola, bit), ExifTextOf(intel, bit)) << "mask " << bit;
}

TEST(ExifText, TheMaskPicksTheLines) {
  const std::vector<uint8_t> camera = Camera(ExifOrder::kIntel).Build();
  EXPECT_EQ(ExifTextOf(camera, 0), "");
  EXPECT_EQ(ExifTextOf(camera, 0x4), "Date/Time    : 2004:07:15 18:42:07\n");
  EXPECT_EQ(ExifTextOf(camera, 0x1 | 0x2), "Camera make  : Ravenstone\nCamera model : RS-200 Zoom\n");
  EXPECT_EQ(ExifTextOf(camera, 0x20 | 0x40), "Aperture     : f/2.8\nExposure time: 0.008 s  (1/125)\n");
  EXPECT_EQ(ExifTextOf(camera, 0x8000000 | 0x4), kCameraText);
  // Bits that name no line add nothing.
  EXPECT_EQ(ExifTextOf(camera, 0x100 | 0x400 | 0x8000 | 0x10000 | 0x80000), "");
}

TEST(ExifText, AbsentValuesLeaveTheirLinesOutButFlashSaysNo) {
  ExifBlock block;
  block.ifd0 = {ExifAscii(kTagMake, "Ravenstone")};
  EXPECT_EQ(ExifTextOf(block.Build()), "Camera make  : Ravenstone\nFlash used   : No\n");
  EXPECT_EQ(ExifTextOf(ExifBlock{}.Build()), "Flash used   : No\n");
}

struct LineCase {
  const char* name;
  std::vector<ExifEntry> exif;
  unsigned mask;
  const char* text;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ExifLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ExifLine, HasItsExactText) {
  for (ExifOrder order : {ExifOrder::kIntel, ExifOrder::kMotorola}) {
    ExifBlock block;
    block.order = order;
    block.exif = GetParam().exif;
    EXPECT_EQ(ExifTextOf(block.Build(), GetParam().mask), GetParam().text);
  }
}

const ExifEntry kFocalPlane[] = {ExifLong(kTagImageWidth, 2400), ExifRational(kTagFocalPlaneXResolution, 25400, 3),
                                 ExifShort(kTagFocalPlaneUnit, 2)};

INSTANTIATE_TEST_SUITE_P(
    FocalLength, ExifLine,
    ::testing::Values(
        LineCase{"plain", {ExifRational(kTagFocalLength, 58, 10)}, 0x10, "Focal length :  5.8mm\n"},
        LineCase{"long lens", {ExifRational(kTagFocalLength, 200, 1)}, 0x10, "Focal length : 200.0mm\n"},
        LineCase{"with sensor width from inches",
                 {ExifRational(kTagFocalLength, 58, 10), kFocalPlane[0], kFocalPlane[1], kFocalPlane[2]},
                 0x10, "Focal length :  5.8mm  (35mm equivalent: 28mm)\n"},
        // 3000 pixels at 5000 per centimetre: a 6 mm sensor.
        LineCase{"with sensor width from centimetres",
                 {ExifRational(kTagFocalLength, 6, 1), ExifShort(kTagImageHeight, 3000),
                  ExifRational(kTagFocalPlaneXResolution, 5000, 1), ExifShort(kTagFocalPlaneUnit, 3)},
                 0x10, "Focal length :  6.0mm  (35mm equivalent: 35mm)\n"},
        LineCase{"the larger of width and height counts",
                 {ExifRational(kTagFocalLength, 6, 1), ExifShort(kTagImageWidth, 1500), ExifShort(kTagImageHeight, 3000),
                  ExifRational(kTagFocalPlaneXResolution, 5000, 1), ExifShort(kTagFocalPlaneUnit, 3)},
                 0x10, "Focal length :  6.0mm  (35mm equivalent: 35mm)\n"},
        LineCase{"no unit, no equivalent",
                 {ExifRational(kTagFocalLength, 58, 10), kFocalPlane[0], kFocalPlane[1]}, 0x10,
                 "Focal length :  5.8mm\n"},
        LineCase{"no resolution, no equivalent",
                 {ExifRational(kTagFocalLength, 58, 10), kFocalPlane[0], kFocalPlane[2]}, 0x10,
                 "Focal length :  5.8mm\n"},
        LineCase{"zero is absent", {ExifRational(kTagFocalLength, 0, 1)}, 0x10, ""},
        LineCase{"zero denominator is absent", {ExifRational(kTagFocalLength, 58, 0)}, 0x8000000,
                 "Flash used   : No\n"}));

INSTANTIATE_TEST_SUITE_P(
    Exposure, ExifLine,
    ::testing::Values(
        LineCase{"1/125", {ExifRational(kTagExposureTime, 1, 125)}, 0x20, "Exposure time: 0.008 s  (1/125)\n"},
        LineCase{"half a second", {ExifRational(kTagExposureTime, 1, 2)}, 0x20, "Exposure time: 0.500 s  (1/2)\n"},
        LineCase{"long", {ExifRational(kTagExposureTime, 2, 1)}, 0x20, "Exposure time: 2.000 s \n"},
        LineCase{"from shutter speed 7", {ExifSignedRational(kTagShutterSpeed, 7, 1)}, 0x20,
                 "Exposure time: 0.008 s  (1/128)\n"},
        LineCase{"exposure time after shutter speed wins",
                 {ExifSignedRational(kTagShutterSpeed, 7, 1), ExifRational(kTagExposureTime, 1, 60)}, 0x20,
                 "Exposure time: 0.017 s  (1/60)\n"},
        LineCase{"shutter speed after exposure time is ignored",
                 {ExifRational(kTagExposureTime, 1, 60), ExifSignedRational(kTagShutterSpeed, 7, 1)}, 0x20,
                 "Exposure time: 0.017 s  (1/60)\n"},
        LineCase{"zero denominator", {ExifRational(kTagExposureTime, 1, 0)}, 0x20, ""}));

INSTANTIATE_TEST_SUITE_P(
    Aperture, ExifLine,
    ::testing::Values(
        LineCase{"f-number", {ExifRational(kTagFNumber, 28, 10)}, 0x40, "Aperture     : f/2.8\n"},
        LineCase{"aperture value 4", {ExifRational(kTagApertureValue, 4, 1)}, 0x40, "Aperture     : f/4.0\n"},
        LineCase{"largest aperture 6", {ExifRational(kTagMaxApertureValue, 6, 1)}, 0x40, "Aperture     : f/8.0\n"},
        LineCase{"f-number first wins", {ExifRational(kTagFNumber, 28, 10), ExifRational(kTagApertureValue, 4, 1)},
                 0x40, "Aperture     : f/2.8\n"},
        LineCase{"f-number after aperture value replaces it",
                 {ExifRational(kTagApertureValue, 4, 1), ExifRational(kTagFNumber, 28, 10)}, 0x40,
                 "Aperture     : f/2.8\n"},
        LineCase{"zero denominator", {ExifRational(kTagFNumber, 28, 0)}, 0x40, ""}));

INSTANTIATE_TEST_SUITE_P(
    Iso, ExifLine,
    ::testing::Values(LineCase{"gain code 4", {ExifShort(kTagIsoSpeed, 4)}, 0x200, "ISO equiv.   : 800\n"},
                      LineCase{"49 is a gain code", {ExifShort(kTagIsoSpeed, 49)}, 0x200, "ISO equiv.   : 9800\n"},
                      LineCase{"50 is a speed", {ExifShort(kTagIsoSpeed, 50)}, 0x200, "ISO equiv.   : 50\n"},
                      LineCase{"1600", {ExifShort(kTagIsoSpeed, 1600)}, 0x200, "ISO equiv.   : 1600\n"},
                      LineCase{"zero", {ExifShort(kTagIsoSpeed, 0)}, 0x200, ""}));

INSTANTIATE_TEST_SUITE_P(
    FocusDistance, ExifLine,
    ::testing::Values(
        LineCase{"metres", {ExifRational(kTagSubjectDistance, 150, 100)}, 0x80, "Focus Dist.  : 1.50m\n"},
        LineCase{"far", {ExifRational(kTagSubjectDistance, 12345, 100)}, 0x80, "Focus Dist.  :123.45m\n"},
        LineCase{"negative is infinite", {ExifSignedRational(kTagSubjectDistance, -1, 1)}, 0x80,
                 "Focus Dist.  : Infinite\n"},
        // The standard's "infinity", all bits set, reads as -1 over 1.
        LineCase{"all ones is infinite", {ExifRational(kTagSubjectDistance, 0xFFFFFFFF, 1)}, 0x80,
                 "Focus Dist.  : Infinite\n"},
        LineCase{"zero", {ExifRational(kTagSubjectDistance, 0, 1)}, 0x80, ""}));

INSTANTIATE_TEST_SUITE_P(
    Modes, ExifLine,
    ::testing::Values(
        LineCase{"white balance 1", {ExifShort(kTagLightSource, 1)}, 0x800, "Whitebalance : sunny\n"},
        LineCase{"white balance 2", {ExifShort(kTagLightSource, 2)}, 0x800, "Whitebalance : fluorescent\n"},
        LineCase{"white balance 3", {ExifShort(kTagLightSource, 3)}, 0x800, "Whitebalance : incandescent\n"},
        LineCase{"white balance other", {ExifShort(kTagLightSource, 10)}, 0x800, "Whitebalance : cloudy\n"},
        LineCase{"white balance zero", {ExifShort(kTagLightSource, 0)}, 0x800, ""},
        LineCase{"metering 2", {ExifShort(kTagMeteringMode, 2)}, 0x1000, "Metering Mode: center weight\n"},
        LineCase{"metering 3", {ExifShort(kTagMeteringMode, 3)}, 0x1000, "Metering Mode: spot\n"},
        LineCase{"metering 5", {ExifShort(kTagMeteringMode, 5)}, 0x1000, "Metering Mode: matrix\n"},
        LineCase{"metering 1", {ExifShort(kTagMeteringMode, 1)}, 0x1000, ""},
        LineCase{"program 2", {ExifShort(kTagExposureProgram, 2)}, 0x2000, "Exposure     : program (auto)\n"},
        LineCase{"program 3", {ExifShort(kTagExposureProgram, 3)}, 0x2000,
                 "Exposure     : aperture priority (semi-auto)\n"},
        LineCase{"program 4", {ExifShort(kTagExposureProgram, 4)}, 0x2000,
                 "Exposure     : shutter priority (semi-auto)\n"},
        LineCase{"program 1", {ExifShort(kTagExposureProgram, 1)}, 0x2000, ""},
        LineCase{"quality 1", {ExifRational(kTagCompressedBitsPerPixel, 1, 1)}, 0x4000, "JPG Quality  : basic\n"},
        LineCase{"quality 2", {ExifRational(kTagCompressedBitsPerPixel, 2, 1)}, 0x4000, "JPG Quality  : normal\n"},
        LineCase{"quality 4", {ExifRational(kTagCompressedBitsPerPixel, 4, 1)}, 0x4000, "JPG Quality  : fine\n"},
        LineCase{"quality 5/2 counts as 2", {ExifRational(kTagCompressedBitsPerPixel, 5, 2)}, 0x4000,
                 "JPG Quality  : normal\n"},
        LineCase{"quality 3", {ExifRational(kTagCompressedBitsPerPixel, 3, 1)}, 0x4000, ""}));

INSTANTIATE_TEST_SUITE_P(
    Flash, ExifLine,
    ::testing::Values(LineCase{"absent", {}, 0x8, "Flash used   : No\n"},
                      LineCase{"fired", {ExifShort(kTagFlash, 1)}, 0x8, "Flash used   : Yes\n"},
                      LineCase{"not fired", {ExifShort(kTagFlash, 0)}, 0x8, "Flash used   : No\n"},
                      LineCase{"fired with return light", {ExifShort(kTagFlash, 7)}, 0x8, "Flash used   : Yes\n"},
                      LineCase{"auto, fired", {ExifShort(kTagFlash, 0x19)}, 0x8, "Flash used   : Yes\n"},
                      // Mode bits alone (here "off") mean the flash stayed dark.
                      LineCase{"off, not fired", {ExifShort(kTagFlash, 0x10)}, 0x8, "Flash used   : No\n"},
                      LineCase{"auto, not fired", {ExifShort(kTagFlash, 0x18)}, 0x8, "Flash used   : No\n"}));

INSTANTIATE_TEST_SUITE_P(
    Comment, ExifLine,
    ::testing::Values(
        LineCase{"ASCII code then a word", {ExifUndefined(kTagUserComment, kAsciiCode + "Boats")}, 0x20000,
                 "Comment      : Boats\n"},
        LineCase{"ASCII code then zeros", {ExifUndefined(kTagUserComment, kAsciiCode + std::string(12, '\0'))},
                 0x20000, ""},
        LineCase{"ASCII code and nothing else", {ExifUndefined(kTagUserComment, "ASCII")}, 0x20000, ""},
        LineCase{"ASCII then blanks before the word", {ExifUndefined(kTagUserComment, "ASCII   Sails")}, 0x20000,
                 "Comment      : Sails\n"},
        LineCase{"ASCII with text only after byte 9", {ExifUndefined(kTagUserComment, "ASCII      late")}, 0x20000,
                 ""},
        LineCase{"short ASCII text", {ExifUndefined(kTagUserComment, "ASCIIab")}, 0x20000, "Comment      : ab\n"},
        LineCase{"no code, padded with blanks", {ExifUndefined(kTagUserComment, "Low tide    ")}, 0x20000,
                 "Comment      : Low tide\n"},
        LineCase{"blanks and zeros only", {ExifUndefined(kTagUserComment, std::string("  \0  ", 5))}, 0x20000, ""},
        LineCase{"undefined code of zeros", {ExifUndefined(kTagUserComment, std::string(8, '\0') + "Gulls")},
                 0x20000, ""},
        LineCase{"empty", {ExifUndefined(kTagUserComment, "")}, 0x20000, ""}));

TEST(ExifText, DescriptionLosesItsTrailingBlanks) {
  const struct {
    ExifEntry entry;
    const char* text;
  } cases[] = {
      {ExifAscii(kTagDescription, "Harbour at dusk   "), "Description  : Harbour at dusk\n"},
      {ExifUndefined(kTagDescription, "Harbour at dusk   "), "Description  : Harbour at dusk\n"},
      {ExifAscii(kTagDescription, "  Quay"), "Description  :   Quay\n"},
      {ExifAscii(kTagDescription, "     "), ""},
      {ExifAscii(kTagDescription, std::string("ASCII\0\0\0Pier", 12)), "Description  : Pier\n"},
  };
  for (const auto& c : cases) {
    ExifBlock block;
    block.ifd0 = {c.entry};
    EXPECT_EQ(ExifTextOf(block.Build(), 0x40000), c.text);
  }
}

TEST(ExifText, LongTextsAreCutToTheirFields) {
  const std::string make(50, 'm'), model(50, 'o'), date = "2004:07:15 18:42:07 +02:00";
  const std::string comment(1200, 'c');
  ExifBlock block;
  block.ifd0 = {ExifAscii(kTagMake, make), ExifAscii(kTagModel, model)};
  block.exif = {ExifAscii(kTagDateTimeOriginal, date), ExifUndefined(kTagUserComment, comment)};
  EXPECT_EQ(ExifTextOf(block.Build(), 0x1 | 0x2 | 0x4 | 0x20000),
            "Camera make  : " + make.substr(0, 31) + "\nCamera model : " + model.substr(0, 39) +
                "\nDate/Time    : " + date.substr(0, 19) + "\nComment      : " + comment.substr(0, 998) + "\n");
}

TEST(ExifText, TheInteroperabilityAndThumbnailDirectoriesAreReadToo) {
  ExifBlock block;
  block.exif = {ExifShort(kTagMeteringMode, 3)};
  block.interop = {ExifShort(kTagIsoSpeed, 400)};
  block.thumbnail = {ExifAscii(kTagMake, "Ravenstone")};
  EXPECT_EQ(ExifTextOf(block.Build(), 0x1 | 0x200 | 0x1000),
            "Camera make  : Ravenstone\nISO equiv.   : 400\nMetering Mode: spot\n");
}

TEST(ExifText, EveryNumericFormatIsRead) {
  const struct {
    ExifEntry entry;
    const char* text;
  } cases[] = {
      {ExifByte(kTagIsoSpeed, 200), "ISO equiv.   : 200\n"},
      {ExifShort(kTagIsoSpeed, 60000), "ISO equiv.   : 60000\n"},
      {ExifLong(kTagIsoSpeed, 100000), "ISO equiv.   : 100000\n"},
      {ExifSignedLong(kTagIsoSpeed, 3200), "ISO equiv.   : 3200\n"},
      {ExifSignedShort(kTagIsoSpeed, 640), "ISO equiv.   : 640\n"},
      {ExifRational(kTagIsoSpeed, 1000, 10), "ISO equiv.   : 100\n"},
      {ExifSignedRational(kTagIsoSpeed, -100, -1), "ISO equiv.   : 100\n"},
      {ExifFloat(kTagIsoSpeed, 125.75f), "ISO equiv.   : 125\n"},
      {ExifDouble(kTagIsoSpeed, 6400.0), "ISO equiv.   : 6400\n"},
      {ExifAscii(kTagIsoSpeed, "400"), ""},      // text is no number
      {ExifUndefined(kTagIsoSpeed, "\x90\x01"), ""},
  };
  for (ExifOrder order : {ExifOrder::kIntel, ExifOrder::kMotorola}) {
    for (const auto& c : cases) {
      ExifBlock block;
      block.order = order;
      block.exif = {c.entry};
      EXPECT_EQ(ExifTextOf(block.Build(), 0x200), c.text) << "format " << c.entry.format;
    }
  }
}

TEST(ExifText, WithoutABlockTheTextSaysSo) {
  Cimage picture;
  char text[64] = "stale";
  picture.EXIF_ImageInfoText(text, kAllExifLines, sizeof text);
  EXPECT_STREQ(text, "No EXIF data found");

  SetExifBlock(picture, Camera(ExifOrder::kIntel).Build());
  picture.EXIFDeleteBuffer();
  picture.EXIF_ImageInfoText(text, 0x4, sizeof text);
  EXPECT_STREQ(text, "No EXIF data found");
}

}  // namespace
