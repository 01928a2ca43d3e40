// Damaged and hostile EXIF segments: every fault gives "Error in EXIF data" or a sound text, never
// a read outside the block (the sanitizers watch), and the stored block is never changed.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "exif_block_builder.h"
#include "exif_tags.h"

namespace {

using namespace ravelight;  // the tags

const std::string kError = "Error in EXIF data";

ExifBlock WithMake() {
  ExifBlock block;
  block.ifd0 = {ExifAscii(kTagMake, "Ravenstone")};
  block.exif = {ExifShort(kTagIsoSpeed, 100)};
  return block;
}

const std::string kMakeText = "Camera make  : Ravenstone\nFlash used   : No\nISO equiv.   : 100\n";

// A block of IFD0 with one entry whose last four bytes are given, followed by extra bytes at
// offset 26 from the TIFF header (right after the directory and its link).
std::vector<uint8_t> OneEntryThenBytes(const ExifEntry& entry, const std::string& extra) {
  ExifBlock block;
  block.ifd0 = {entry};
  std::vector<uint8_t> bytes = block.Build();
  EXPECT_EQ(bytes.size(), kExifTiffStart + 26);
  bytes.insert(bytes.end(), extra.begin(), extra.end());
  return bytes;
}

TEST(ExifDamage, ABrokenHeaderIsAnError) {
  const std::vector<uint8_t> good = WithMake().Build();
  ASSERT_EQ(ExifTextOf(good), kMakeText);
  const struct {
    size_t at;
    uint8_t value;
  } patches[] = {
      {2, 'e'}, {5, 'v'}, {6, ' '}, {7, 1},  // identifier "Exif" with two zero bytes
      {8, 'M'}, {9, 'M'}, {8, 'i'}, {9, 'X'},  // byte order: "MI", "IM", "iI", "IX"
      {10, 43}, {11, 1},                      // 42
      {12, 10}, {13, 1}, {15, 1},             // first directory at 8
  };
  for (const auto& p : patches) {
    std::vector<uint8_t> bad = good;
    bad[p.at] = p.value;
    EXPECT_EQ(ExifTextOf(bad), kError) << "byte " << p.at << " = " << int(p.value);
  }
  const std::string xmp = "http://ns.adobe.com/xap/1.0/";
  std::vector<uint8_t> other = {0, uint8_t(xmp.size() + 2)};
  other.insert(other.end(), xmp.begin(), xmp.end());
  EXPECT_EQ(ExifTextOf(other), kError);
}

TEST(ExifDamage, BlocksTooShortForTheHeaderAreErrors) {
  const std::vector<uint8_t> good = WithMake().Build();
  for (size_t size = 1; size <= 17; ++size)
    EXPECT_EQ(ExifTextOf(std::vector<uint8_t>(good.begin(), good.begin() + size)), kError) << size;
  EXPECT_EQ(ExifTextOf({}), "No EXIF data found");
}

TEST(ExifDamage, ADirectoryRunningPastTheEndIsAnError) {
  std::vector<uint8_t> bad = WithMake().Build();
  bad[16] = 0xE8;  // 1000 entries
  bad[17] = 0x03;
  EXPECT_EQ(ExifTextOf(bad), kError);

  ExifBlock block;
  block.ifd0 = {ExifShort(kTagIsoSpeed, 100), ExifShort(kTagIsoSpeed, 200)};
  const std::vector<uint8_t> whole = block.Build();
  const auto cut = [&](size_t bytes) { return std::vector<uint8_t>(whole.begin(), whole.end() - bytes); };
  EXPECT_EQ(ExifTextOf(whole, 0x200), "ISO equiv.   : 200\n");
  EXPECT_EQ(ExifTextOf(cut(4), 0x200), "ISO equiv.   : 200\n");  // no room for the link: none
  EXPECT_EQ(ExifTextOf(cut(2), 0x200), "ISO equiv.   : 200\n");
  EXPECT_EQ(ExifTextOf(cut(5), 0x200), kError);               // the last entry is cut
  EXPECT_EQ(ExifTextOf(cut(4 + 12), 0x200), kError);
}

TEST(ExifDamage, AFormatOutsideOneToTwelveIsAnError) {
  for (uint16_t format : {0, 13, 255, 0xFFFF}) {
    ExifBlock block;
    block.ifd0 = {ExifRaw(kTagIsoSpeed, format, 1, 100)};
    EXPECT_EQ(ExifTextOf(block.Build()), kError) << format;
  }
  for (uint16_t format = 1; format <= 12; ++format) {
    ExifBlock block;
    block.ifd0 = {ExifRaw(0x1234, format, 0, 0)};
    EXPECT_EQ(ExifTextOf(block.Build()), "Flash used   : No\n") << format;
  }
}

TEST(ExifDamage, AValueMayEndExactlyAtTheEndOfTheBlockButNoFurther) {
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagMake, 2, 6, 26), std::string("Raven\0", 6)), 0x1),
            "Camera make  : Raven\n");
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagMake, 2, 7, 26), std::string("Raven\0", 6)), 0x1), kError);
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagMake, 2, 6, 27), std::string("Raven\0", 6)), 0x1), kError);
  // The length bytes and "Exif" are not part of what offsets count.
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagMake, 2, 8, 26), std::string("Raven\0", 6)), 0x1), kError);
}

TEST(ExifDamage, OffsetsAndCountsThatWrapIn32BitsAreErrors) {
  const std::string data("Raven\0ABCDEFGH", 14);
  const ExifEntry cases[] = {
      ExifRaw(kTagMake, 2, 0x20, 0xFFFFFFF0),             // offset + count wraps to 0x10
      ExifRaw(kTagFocalLength, 5, 0x20000000, 26),       // 8 × count wraps to 0
      ExifRaw(kTagIsoSpeed, 4, 0x40000001, 26),               // 4 × count wraps to 4: would sit in the entry
      ExifRaw(kTagIsoSpeed, 12, 0x20000000, 26),
      ExifRaw(kTagMake, 2, 0xFFFFFFFF, 26),              // a count of -1
      ExifRaw(kTagIsoSpeed, 3, 0x80000000, 26),               // a count below zero when read signed
      ExifRaw(kTagUserComment, 7, 0x7FFFFFFF, 26),
  };
  for (const ExifEntry& entry : cases)
    EXPECT_EQ(ExifTextOf(OneEntryThenBytes(entry, data)), kError) << std::hex << entry.count;
}

TEST(ExifDamage, ValuesWithoutAWholeNumberReadNothingBeyondTheEntry) {
  // The entry is the last thing in the block: a rational or double read from its four bytes
  // would run past the end.
  for (uint16_t format : {5, 10, 12}) {
    ExifBlock block;
    block.ifd0 = {ExifRaw(kTagFocalLength, format, 0, 0x01010101)};
    std::vector<uint8_t> bytes = block.Build();
    bytes.resize(bytes.size() - 4);
    EXPECT_EQ(ExifTextOf(bytes), "Flash used   : No\n") << format;
  }
}

TEST(ExifDamage, TextsWithoutTerminatorStopAtTheirByteCount) {
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagMake, 2, 10, 26), "Ravenstone"), 0x1),
            "Camera make  : Ravenstone\n");
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagUserComment, 7, 10, 26), "ASCII Gull"), 0x20000),
            "Comment      : Gull\n");
  EXPECT_EQ(ExifTextOf(OneEntryThenBytes(ExifRaw(kTagDescription, 2, 8, 26), "Jetty   "), 0x40000),
            "Description  : Jetty\n");
  // In the entry itself: three letters and a byte that is not theirs.
  ExifBlock block;
  block.ifd0 = {ExifRaw(kTagMake, 2, 3, 'R' | 'a' << 8 | 'v' << 16 | uint32_t('e') << 24)};
  EXPECT_EQ(ExifTextOf(block.Build(), 0x1), "Camera make  : Rav\n");
  // Zero bytes of text, at the block's very end.
  block.ifd0 = {ExifRaw(kTagUserComment, 7, 0, 0), ExifRaw(kTagDescription, 2, 0, 0)};
  std::vector<uint8_t> bytes = block.Build();
  bytes.resize(bytes.size() - 4);
  EXPECT_EQ(ExifTextOf(bytes, 0x60000), "");
}

TEST(ExifDamage, SubDirectoriesOutsideTheBlockAreErrors) {
  for (uint16_t tag : {kTagExifDirectory, kTagInteropDirectory}) {
    for (uint32_t offset : {26u, 27u, 0xFFFFu, 0xFFFFFFFFu}) {
      ExifBlock block;
      block.ifd0 = {ExifRaw(tag, 4, 1, offset)};
      EXPECT_EQ(ExifTextOf(block.Build()), kError) << std::hex << tag << " at " << offset;
    }
  }
}

TEST(ExifDamage, DirectoryLoopsEnd) {
  ExifBlock self = WithMake();
  self.ifd0.push_back(ExifRaw(kTagExifDirectory, 4, 1, 8));
  EXPECT_EQ(ExifTextOf(self.Build()), kMakeText);

  ExifBlock linkToSelf = WithMake();
  linkToSelf.ifd0Link = 8;
  EXPECT_EQ(ExifTextOf(linkToSelf.Build()), kMakeText);

  ExifBlock toAncestor = WithMake();
  toAncestor.exif.push_back(ExifRaw(kTagInteropDirectory, 4, 1, 8));
  EXPECT_EQ(ExifTextOf(toAncestor.Build()), kMakeText);

  ExifBlock fromThumbnail = WithMake();
  fromThumbnail.thumbnail = {ExifRaw(kTagExifDirectory, 4, 1, 8), ExifRaw(kTagInteropDirectory, 4, 1, 8)};
  EXPECT_EQ(ExifTextOf(fromThumbnail.Build()), kMakeText);

  ExifBlock fanOut = WithMake();
  for (int i = 0; i < 200; ++i) fanOut.ifd0.push_back(ExifRaw(kTagExifDirectory, 4, 1, 8));
  EXPECT_EQ(ExifTextOf(fanOut.Build()), kMakeText);
}

// Directories of no entries, each linking to the next one six bytes on.
std::vector<uint8_t> ChainOf(int directories) {
  std::vector<uint8_t> block = {0, 0, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0};
  for (int i = 0; i < directories; ++i) {
    const uint32_t next = i + 1 < directories ? uint32_t(8 + 6 * (i + 1)) : 0;
    const uint8_t directory[6] = {0, 0, uint8_t(next), uint8_t(next >> 8), 0, 0};
    block.insert(block.end(), directory, directory + 6);
  }
  return block;
}

TEST(ExifDamage, AChainOfDirectoriesIsFollowedOnlySoFar) {
  EXPECT_EQ(ExifTextOf(ChainOf(5)), "Flash used   : No\n");
  EXPECT_EQ(ExifTextOf(ChainOf(2000)), kError);
}

TEST(ExifDamage, ALinkJustPastTheEndIsIgnoredAndOneFurtherIsAnError) {
  const size_t limit = WithMake().Build().size() - kExifTiffStart;
  for (uint32_t beyond : {0u, 1u, 19u}) {
    ExifBlock block = WithMake();
    block.ifd0Link = uint32_t(limit) + beyond;
    EXPECT_EQ(ExifTextOf(block.Build()), kMakeText) << beyond;
  }
  for (uint32_t beyond : {20u, 1000u}) {
    ExifBlock block = WithMake();
    block.ifd0Link = uint32_t(limit) + beyond;
    EXPECT_EQ(ExifTextOf(block.Build()), kError) << beyond;
  }
}

TEST(ExifDamage, TheStoredBlockIsNeverChanged) {
  ExifBlock block = WithMake();
  block.ifd0.push_back(ExifAscii(kTagDescription, "Harbour at dusk      "));
  block.exif.push_back(ExifUndefined(kTagUserComment, std::string("ASCII\0\0\0Boats     ", 18)));
  block.exif.push_back(ExifUndefined(0x927C, std::string(40, ' ')));
  const std::vector<uint8_t> original = block.Build();
  Cimage picture;
  SetExifBlock(picture, original);
  char text[2000];
  picture.EXIF_ImageInfoText(text, kAllExifLines, sizeof text);
  EXPECT_STREQ(text, (kMakeText + "Comment      : Boats\nDescription  : Harbour at dusk\n").c_str());
  ASSERT_EQ(picture.m_exifSize, original.size());
  EXPECT_EQ(std::vector<uint8_t>(picture.m_exif, picture.m_exif + picture.m_exifSize), original);
}

TEST(ExifDamage, NumbersBeyondEveryRangeGiveSoundText) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<ExifEntry> exif;
    unsigned mask;
    const char* text;
  } cases[] = {
      {{ExifDouble(kTagFocalLength, nan)}, 0x10, ""},
      {{ExifDouble(kTagFocalLength, 1e300), ExifDouble(kTagIsoSpeed, 1e300)}, 0x200, "ISO equiv.   : 2147483647\n"},
      {{ExifSignedLong(kTagIsoSpeed, std::numeric_limits<int32_t>::min())}, 0x200, "ISO equiv.   : -2147483648\n"},
      {{ExifDouble(kTagIsoSpeed, -1e300)}, 0x200, "ISO equiv.   : -2147483648\n"},
      {{ExifFloat(kTagExposureTime, 1e-30f)}, 0x20, "Exposure time: 0.000 s  (1/2147483647)\n"},
      {{ExifSignedRational(kTagShutterSpeed, 2000, 1)}, 0x20, ""},  // 2^-2000 is no time at all
      {{ExifRational(kTagFocalLength, 58, 10), ExifLong(kTagImageWidth, 2400), ExifDouble(kTagFocalPlaneXResolution, 1e-300),
        ExifShort(kTagFocalPlaneUnit, 2)},
       0x10, "Focal length :  5.8mm  (35mm equivalent: 0mm)\n"},
      {{ExifRational(kTagFocalLength, 58, 10), ExifLong(kTagImageWidth, 2400), ExifDouble(kTagFocalPlaneXResolution, nan),
        ExifShort(kTagFocalPlaneUnit, 2)},
       0x10, "Focal length :  5.8mm\n"},
  };
  for (const auto& c : cases) {
    ExifBlock block;
    block.exif = c.exif;
    EXPECT_EQ(ExifTextOf(block.Build(), c.mask), c.text);
  }
  // Infinities print as the C library spells them; the line is there and nothing breaks.
  ExifBlock block;
  block.exif = {ExifSignedRational(kTagShutterSpeed, -2000, 1), ExifDouble(kTagFocalLength, -1e300)};
  const std::string text = ExifTextOf(block.Build(), 0x30);
  EXPECT_EQ(text.rfind("Focal length : ", 0), 0u) << text;
  EXPECT_NE(text.find("\nExposure time:"), std::string::npos) << text;
}

class ExifTextSize : public ::testing::Test {
 protected:
  // The text written into a buffer of size bytes that has room after it, and whether anything
  // beyond size bytes was touched.
  std::string Write(Cimage& picture, unsigned lines, int size, bool* spilled) {
    std::vector<char> buffer(size_t(size > 0 ? size : 0) + 64, 'X');
    picture.EXIF_ImageInfoText(buffer.data(), lines, size);
    const size_t kept = size_t(size > 0 ? size : 0);
    *spilled = false;
    for (size_t i = kept; i < buffer.size(); ++i) *spilled |= buffer[i] != 'X';
    if (kept == 0) return buffer[0] == 'X' ? "untouched" : "touched";
    return std::memchr(buffer.data(), '\0', kept) ? std::string(buffer.data()) : "unterminated";
  }
};

TEST_F(ExifTextSize, NoSizeWritesNothing) {
  Cimage picture;
  SetExifBlock(picture, WithMake().Build());
  bool spilled = false;
  for (int size : {0, -1, -30000}) {
    EXPECT_EQ(Write(picture, kAllExifLines, size, &spilled), "untouched");
    EXPECT_FALSE(spilled);
  }
  picture.EXIF_ImageInfoText(nullptr, kAllExifLines, 100);
}

TEST_F(ExifTextSize, ATextLongerThanTheBufferKeepsItsWholeLeadingLines) {
  Cimage picture;
  SetExifBlock(picture, WithMake().Build());
  const std::string full = kMakeText;
  for (int size = 1; size <= int(full.size()) + 2; ++size) {
    bool spilled = false;
    const std::string text = Write(picture, kAllExifLines, size, &spilled);
    EXPECT_FALSE(spilled) << size;
    ASSERT_LT(text.size(), size_t(size));
    // The longest run of whole lines that fits with its terminator.
    size_t expected = 0;
    for (size_t end = full.find('\n'); end != std::string::npos && end + 2 <= size_t(size);
         end = full.find('\n', end + 1))
      expected = end + 1;
    EXPECT_EQ(text, full.substr(0, expected)) << size;
  }
}

TEST_F(ExifTextSize, MessagesAreWholeOrAbsent) {
  bool spilled = false;
  Cimage none;
  EXPECT_EQ(Write(none, kAllExifLines, 18, &spilled), "");
  EXPECT_EQ(Write(none, kAllExifLines, 19, &spilled), "No EXIF data found");
  Cimage bad;
  SetExifBlock(bad, {0, 4, 'x', 'y'});
  EXPECT_EQ(Write(bad, kAllExifLines, 18, &spilled), "");
  EXPECT_EQ(Write(bad, kAllExifLines, 19, &spilled), kError);
  EXPECT_FALSE(spilled);
}

}  // namespace
