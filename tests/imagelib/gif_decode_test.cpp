// GIF decoding: signatures, colour tables, LZW data, interlacing, extensions, frame placement,
// and damaged or hostile files.
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "gif_test_encoder.h"
#include "gif_test_support.h"

namespace {

// Grey levels 0..n-1: every index has a colour of its own.
std::vector<uint32_t> GreyRamp(int n) {
  std::vector<uint32_t> table;
  for (int i = 0; i < n; ++i) table.push_back(uint32_t(i) * 0x010101);
  return table;
}

std::vector<uint32_t> ColoursOf(const Bytes& indices, const std::vector<uint32_t>& table) {
  std::vector<uint32_t> colours;
  for (uint8_t i : indices) colours.push_back(table[i]);
  return colours;
}

Bytes RandomIndices(size_t count, int colours, unsigned seed) {
  std::mt19937 random(seed);
  Bytes indices(count);
  for (uint8_t& i : indices) i = uint8_t(random() % unsigned(colours));
  return indices;
}

GifImage ImageOf(int width, int height, const Bytes& indices, int minCodeSize) {
  GifImage image;
  image.width = width;
  image.height = height;
  image.indices = indices;
  image.minCodeSize = minCodeSize;
  return image;
}

// Image data written as it stands: the minimum code size, then the codes in sub-blocks.
Bytes RawData(int minCodeSize, const std::vector<LzwCode>& codes) {
  Bytes data = {uint8_t(minCodeSize)};
  const Bytes blocks = SubBlocks(PackCodes(codes));
  data.insert(data.end(), blocks.begin(), blocks.end());
  return data;
}

GifImage RawImage(int width, int height, const Bytes& rawData) {
  GifImage image;
  image.width = width;
  image.height = height;
  image.rawData = rawData;
  return image;
}

// A 3 × 2 picture of indices 0..3 (and 1, 2) in the four-colour table.
Bytes SmallPicture(const std::string& signature = "GIF89a") {
  return GifBuilder(3, 2, kFourColours, signature).Image(ImageOf(3, 2, {0, 1, 2, 3, 1, 2}, 2)).File();
}

const std::vector<uint32_t> kSmallPictureColours = {kBlack, kRed, kGreen, kBlue, kRed, kGreen};

void ExpectRefused(const Cimage& picture) {
  EXPECT_EQ(picture.m_loadError, 1);
  EXPECT_EQ(picture.m_valid, 0);
  EXPECT_FALSE(picture.m_pixels);
  EXPECT_FALSE(picture.m_gif);
  EXPECT_FALSE(picture.m_bmi);
  EXPECT_EQ(picture.m_animated, 0);
}

struct SignatureCase {
  const char* signature;
  bool accepted;
};

class GifSignature : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(GifSignature, OnlyTheTwoVersionsAreGifs) {
  GifPicture picture;
  LoadGifBytes(picture, SmallPicture(GetParam().signature));
  if (!GetParam().accepted) {
    ExpectRefused(picture);
    return;
  }
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_valid, 1);
  // Size, size in the file, stride, components and scale.
  const std::vector<int> geometry = {picture.m_width, picture.m_height, picture.m_origWidth, picture.m_origHeight,
                                     picture.m_stride, picture.m_components, picture.m_scaleNum, picture.m_scaleDen};
  EXPECT_EQ(geometry, (std::vector<int>{3, 2, 3, 2, 12, 3, 1, 1}));
  ASSERT_TRUE(picture.m_bmi);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biWidth, 3);
  EXPECT_EQ(picture.m_bmi->bmiHeader.biHeight, -2);
  EXPECT_EQ(Canvas(picture), kSmallPictureColours);
}

INSTANTIATE_TEST_SUITE_P(Signatures, GifSignature,
                         ::testing::Values(SignatureCase{"GIF89a", true}, SignatureCase{"GIF87a", true},
                                           SignatureCase{"GIF88a", false}, SignatureCase{"gif89a", false},
                                           SignatureCase{"GIF89b", false}, SignatureCase{"GIF8", false},
                                           SignatureCase{"\x89PNG\r\n", false}),
                         [](const ::testing::TestParamInfo<SignatureCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

TEST(GifDecode, FilesCutBeforeTheFirstImageDataAreRefused) {
  const Bytes file = SmallPicture();
  for (size_t size : {size_t{0}, size_t{6}, size_t{12}, size_t{13}, size_t{20}, size_t{30}}) {
    GifPicture picture;
    LoadGifBytes(picture, Bytes(file.begin(), file.begin() + long(size)));
    SCOPED_TRACE(size);
    ExpectRefused(picture);
  }
}

class GifCodeSizes : public ::testing::TestWithParam<int> {};

TEST_P(GifCodeSizes, IndicesRoundTripAtEveryMinimumCodeSize) {
  const int minCodeSize = GetParam();
  const int colours = 1 << minCodeSize;
  const std::vector<uint32_t> table = GreyRamp(colours);
  const Bytes indices = RandomIndices(37 * 23, colours, unsigned(minCodeSize));
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(37, 23, table).Image(ImageOf(37, 23, indices, minCodeSize)).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), ColoursOf(indices, table));
}

INSTANTIATE_TEST_SUITE_P(TwoToEight, GifCodeSizes, ::testing::Range(2, 9));

TEST(GifDecode, ClearCodesMidStreamAndAFullTableDecodeExactly) {
  const std::vector<uint32_t> table = GreyRamp(256);
  struct {
    int side, clearEvery;
  } cases[] = {{64, 100}, {64, 1}, {256, 0}};  // the last fills the table and clears it many times
  for (const auto& c : cases) {
    const Bytes indices = RandomIndices(size_t(c.side) * size_t(c.side), 256, unsigned(c.side + c.clearEvery));
    GifImage image = ImageOf(c.side, c.side, indices, 8);
    image.clearEvery = c.clearEvery;
    GifPicture picture;
    LoadGifBytes(picture, GifBuilder(c.side, c.side, table).Image(image).File());
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(Canvas(picture), ColoursOf(indices, table)) << c.side << " clear every " << c.clearEvery;
  }
}

// Codes as they follow each other when every one is the next free code: each string is one
// longer than the one before, up to the longest the table allows.
std::vector<LzwCode> LongestStrings(int minCodeSize, int literal) {
  const int clear = 1 << minCodeSize;
  int width = minCodeSize + 1, nextFree = clear + 2;
  std::vector<LzwCode> codes = {{clear, width}, {literal, width}};
  while (nextFree < 4096) {
    codes.push_back({nextFree, width});
    if (++nextFree == 1 << width && width < 12) ++width;
  }
  codes.push_back({clear + 1, width});
  return codes;
}

TEST(GifDecode, TheLongestStringsDecodeInFull) {
  const std::vector<LzwCode> codes = LongestStrings(2, 1);
  const int strings = int(codes.size()) - 2;  // the literal and every table code
  const int64_t pixels = int64_t{strings} * (strings + 1) / 2;
  ASSERT_EQ(pixels, 4091 * 2046);
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(4091, 2046, kFourColours).Image(RawImage(4091, 2046, RawData(2, codes))).File());
  ASSERT_EQ(picture.m_loadError, 0);
  int64_t red = 0;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) red += ColourAt(picture, x, y) == kRed;
  EXPECT_EQ(red, pixels);
}

struct CodeCase {
  const char* name;
  std::vector<LzwCode> codes;  // minimum code size 2: clear 4, end 5, first free code 6
  std::vector<uint32_t> colours;  // of a 6 × 1 image in the four-colour table
};

class GifCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(GifCodes, DecodeAsTheTableStands) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(6, 1, kFourColours).Image(RawImage(6, 1, RawData(2, GetParam().codes))).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), GetParam().colours);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, GifCodes,
    ::testing::Values(
        // The next free code is the previous string and its own first character.
        CodeCase{"NextFreeCodeRepeatsThePreviousString",
                 {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}},
                 {kRed, kRed, kRed, kRed, kRed, kRed}},
        // A code beyond the next free one names nothing: the data ends, the rest is index 0.
        CodeCase{"CodeAboveTheNextFreeEndsTheData",
                 {{4, 3}, {1, 3}, {7, 3}, {1, 3}, {1, 3}, {1, 3}},
                 {kRed, kBlack, kBlack, kBlack, kBlack, kBlack}},
        CodeCase{"NextFreeCodeWithNoPreviousStringEndsTheData",
                 {{4, 3}, {6, 3}, {1, 3}, {1, 3}},
                 {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}},
        CodeCase{"ClearCodesResetTheTable",
                 {{4, 3}, {2, 3}, {4, 3}, {4, 3}, {3, 3}, {6, 3}, {4, 3}, {1, 3}, {6, 3}, {5, 3}},
                 {kGreen, kBlue, kBlue, kBlue, kRed, kRed}},
        CodeCase{"DataWithoutAClearCodeStartsAfreshTable",
                 {{2, 3}, {6, 3}, {2, 3}, {3, 4}, {5, 4}},
                 {kGreen, kGreen, kGreen, kGreen, kBlue, kBlack}},
        CodeCase{"EndCodeFirstLeavesIndexZero", {{4, 3}, {5, 3}, {1, 3}}, {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST(GifDecode, MinimumCodeSizesOutsideTwoToEightAreRefused) {
  for (int minCodeSize : {0, 1, 9, 11, 12, 255}) {
    GifPicture picture;
    LoadGifBytes(picture, GifBuilder(2, 2, kFourColours).Image(RawImage(2, 2, RawData(minCodeSize, {{0, 12}}))).File());
    SCOPED_TRACE(minCodeSize);
    ExpectRefused(picture);
  }
}

TEST(GifDecode, TruncatedImageDataKeepsTheLoadWithIndexZeroWhereDataIsMissing) {
  GifImage image = SolidImage(0, 0, 64, 64, 1);
  image.minCodeSize = 2;
  const Bytes whole = GifBuilder(64, 64, kFourColours).Image(image).File();
  const size_t dataStart = 13 + 12 + 10 + 1;  // header, table, descriptor, code size
  struct {
    size_t size;
    bool somePixelsRed;
  } cuts[] = {{whole.size() - 4, true}, {dataStart + 3, true}, {dataStart, false}, {dataStart - 1, false}};
  for (const auto& cut : cuts) {
    GifPicture picture;
    LoadGifBytes(picture, Bytes(whole.begin(), whole.begin() + long(cut.size)));
    SCOPED_TRACE(cut.size);
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(ColourAt(picture, 0, 0), cut.somePixelsRed ? kRed : kBlack);
    EXPECT_EQ(ColourAt(picture, 63, 63), kBlack);
  }
}

TEST(GifDecode, DataThatEndsEarlyLeavesIndexZeroInTheRest) {
  GifImage image = ImageOf(4, 4, {}, 2);
  image.rawData = Bytes{2};
  const Bytes blocks = SubBlocks(LzwCompress({1, 2, 3, 1, 2}, 2));
  image.rawData.insert(image.rawData.end(), blocks.begin(), blocks.end());
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(4, 4, kFourColours).Image(image).File());
  ASSERT_EQ(picture.m_loadError, 0);
  const std::vector<uint32_t> expected = {kRed, kGreen, kBlue, kRed, kGreen, kBlack, kBlack, kBlack,
                                          kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack};
  EXPECT_EQ(Canvas(picture), expected);
}

TEST(GifDecode, InterlacedRowsLandWhereTheFourPassesSay) {
  // Rows sent in order 0, 8, 4, 2, 6, 1, 3, 5, 7, 9: row y shows the index it was sent with.
  const Bytes sent = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  GifImage image = RawImage(1, 10, Bytes{4});
  const Bytes blocks = SubBlocks(LzwCompress(sent, 4));
  image.rawData.insert(image.rawData.end(), blocks.begin(), blocks.end());
  image.interlaced = true;
  const std::vector<uint32_t> table = GreyRamp(16);
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(1, 10, table).Image(image).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), ColoursOf({0, 5, 3, 6, 2, 7, 4, 8, 1, 9}, table));
}

TEST(GifDecode, InterlacedImagesOfEveryHeightRoundTrip) {
  const std::vector<uint32_t> table = GreyRamp(64);
  for (int height : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 33}) {
    GifImage image = ImageOf(3, height, RandomIndices(3 * size_t(height), 64, unsigned(height)), 6);
    image.interlaced = true;
    GifPicture picture;
    LoadGifBytes(picture, GifBuilder(3, height, table).Image(image).File());
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(Canvas(picture), ColoursOf(image.indices, table)) << "height " << height;
  }
}

TEST(GifDecode, IndicesBeyondTheColourTableLeaveTheBackground) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(4, 1, {kBlack, kRed}).Image(ImageOf(4, 1, {0, 1, 2, 7}, 3)).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), (std::vector<uint32_t>{kBlack, kRed, kBackground, kBackground}));
}

TEST(GifDecode, WithNoColourTableAtAllThePictureIsBackground) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(2, 2, {}).Image(ImageOf(2, 2, {0, 1, 2, 3}, 2)).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), std::vector<uint32_t>(4, kBackground));
}

TEST(GifDecode, TransparentIndexShowsTheBackground) {
  GifPicture picture;
  LoadGifBytes(picture,
               GifBuilder(4, 1, kFourColours).GraphicControl(0, 0, 2).Image(ImageOf(4, 1, {0, 1, 2, 3}, 2)).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), (std::vector<uint32_t>{kBlack, kRed, kBackground, kBlue}));
}

TEST(GifDecode, EveryExtensionIsSkippedByItsSubBlocks) {
  // Block bytes that would read as an image, a trailer or another extension if not skipped.
  const Bytes tricky = {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, ';', '!'};
  for (uint8_t label : {0x01, 0x2A, 0xFE, 0xFF, 0x00, 0xF8}) {
    GifPicture picture;
    LoadGifBytes(picture, GifBuilder(3, 2, kFourColours)
                              .Extension(label, {tricky, Bytes(255, ';')})
                              .Image(ImageOf(3, 2, {0, 1, 2, 3, 1, 2}, 2))
                              .Extension(label, {tricky})
                              .File());
    SCOPED_TRACE(int(label));
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(Canvas(picture), kSmallPictureColours);
  }
}

TEST(GifDecode, GraphicControlOfAnyBlockLengthIsReadThroughItsSubBlocks) {
  const Bytes longer = {0x01, 0, 0, 1, 0x99, ','};
  GifPicture picture;
  LoadGifBytes(picture,
               GifBuilder(4, 1, kFourColours).Extension(0xF9, {longer, {';'}}).Image(ImageOf(4, 1, {0, 1, 2, 3}, 2)).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), (std::vector<uint32_t>{kBlack, kBackground, kGreen, kBlue}));
}

TEST(GifDecode, AnUnknownBlockByteFailsTheLoad) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(3, 2, kFourColours).Image(ImageOf(3, 2, {0, 1, 2, 3, 1, 2}, 2)).Raw({0x99}).File());
  ExpectRefused(picture);
}

TEST(GifDecode, AFileWithoutImagesFails) {
  for (const Bytes& file : {GifBuilder(2, 2, kFourColours).File(), GifBuilder(2, 2, kFourColours).GraphicControl(0, 10).File(false)}) {
    GifPicture picture;
    LoadGifBytes(picture, file);
    ExpectRefused(picture);
  }
}

TEST(GifDecode, AMissingTrailerKeepsWhatWasRead) {
  const Bytes file = SmallPicture();
  GifPicture picture;
  LoadGifBytes(picture, Bytes(file.begin(), file.end() - 1));
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(Canvas(picture), kSmallPictureColours);
}

struct PlacementCase {
  const char* name;
  int screenWidth, screenHeight;
  GifImage image;
  int width, height;  // of the canvas
  std::vector<uint32_t> colours;
};

class GifPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(GifPlacement, FramesAreDrawnWhereTheScreenAllows) {
  const PlacementCase& c = GetParam();
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(c.screenWidth, c.screenHeight, kFourColours).Image(c.image).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_width, c.width);
  EXPECT_EQ(picture.m_height, c.height);
  EXPECT_EQ(picture.m_origWidth, c.width);
  EXPECT_EQ(picture.m_origHeight, c.height);
  EXPECT_EQ(Canvas(picture), c.colours);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, GifPlacement,
    ::testing::Values(PlacementCase{"Inside", 3, 2, SolidImage(1, 1, 1, 1, 1), 3, 2, Pixels("BBB BRB")},
                      PlacementCase{"LeftBeyondTheWidthStartsAtColumnZero", 3, 2, SolidImage(3, 1, 1, 1, 1), 3, 2, Pixels("BBB RBB")},
                      PlacementCase{"TopBeyondTheHeightStartsAtRowZero", 3, 2, SolidImage(1, 7, 1, 1, 1), 3, 2, Pixels("BRB BBB")},
                      PlacementCase{"FrameBeyondTheEdgesGrowsTheScreen", 2, 1, SolidImage(1, 0, 2, 2, 1), 3, 2, Pixels("BRR BRR")},
                      PlacementCase{"EmptyScreenTakesTheFrameSize", 0, 0, SolidImage(0, 0, 2, 1, 1), 2, 1, Pixels("RR")}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(GifDecode, ScreensAndFramesBeyondThePictureCapsAreRefused) {
  struct {
    int screenWidth, screenHeight, left, width, height;
  } cases[] = {
      {30001, 1, 0, 1, 1},
      {1, 65535, 0, 1, 1},
      {20000, 20000, 0, 1, 1},  // each side fits, the area does not
      {100, 100, 50, 29990, 1},
      {1, 1, 0, 20000, 20000},
      {1, 1, 0, 65535, 65535},
  };
  for (const auto& c : cases) {
    GifPicture picture;
    // A few bytes claiming a huge frame.
    GifImage image = RawImage(c.width, c.height, RawData(2, {{4, 3}, {1, 3}, {5, 3}}));
    image.left = c.left;
    LoadGifBytes(picture, GifBuilder(c.screenWidth, c.screenHeight, kFourColours).Image(image).File());
    SCOPED_TRACE(std::to_string(c.screenWidth) + "x" + std::to_string(c.screenHeight));
    ExpectRefused(picture);
  }
}

TEST(GifDecode, ThePictureCapItselfIsAPicture) {
  GifPicture picture;
  GifImage image = SolidImage(0, 0, 30000, 1, 1);
  LoadGifBytes(picture, GifBuilder(30000, 1, kFourColours).Image(image).File());
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_width, 30000);
  EXPECT_EQ(ColourAt(picture, 29999, 0), kRed);
}

TEST(GifDecode, AScreenThatStaysEmptyIsRefused) {
  GifPicture picture;
  LoadGifBytes(picture, GifBuilder(0, 0, kFourColours).Image(RawImage(0, 5, RawData(2, {{4, 3}, {5, 3}}))).File());
  ExpectRefused(picture);
}

}  // namespace
