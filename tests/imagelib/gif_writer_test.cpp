// GIF saving: the GIF87a header, colour table and code size, LZW data that an independent
// decoder reads back, clear codes when the table fills, and failures; the writer's grey output.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "colour_quantizer.h"
#include "gif_reference_decoder.h"
#include "gif_writer.h"
#include "palette_test_pictures.h"
#include "test_files.h"

namespace {

std::vector<uint8_t> SaveGif(Cimage& picture, int dither = 0) {
  return SavedBytes(picture, [&](Cimage& p, FILE* f) { CimageTestAccess::SaveGIF(p, f, dither); });
}

Rgb TableEntry(const ReferenceGif& gif, int index) {
  const uint8_t* e = &gif.globalTable[3 * size_t(index)];
  return {e[0], e[1], e[2]};
}

::testing::AssertionResult ShowsThePicture(const ReferenceGif& gif, const Cimage& picture) {
  if (!gif.error.empty()) return ::testing::AssertionFailure() << gif.error;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) {
      const int index = gif.indices[size_t(y) * picture.m_width + x];
      if (3 * size_t(index) >= gif.globalTable.size()) return ::testing::AssertionFailure() << "index beyond the table";
      if (!(TableEntry(gif, index) == PixelAt(picture, x, y)))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    }
  return ::testing::AssertionSuccess();
}

TEST(GifWriter, TwoColourPictureGoldenHeader) {
  Cimage picture;
  MakePicture(picture, MakeBgrImage(3, 2, [](int x, int) { return x ? Rgb{10, 20, 30} : Rgb{200, 100, 50}; }));
  const std::vector<uint8_t> file = SaveGif(picture);
  const std::vector<uint8_t> head = {'G', 'I', 'F', '8', '7', 'a', 3, 0, 2, 0,
                                     0x80, 0, 0,                   // global table of 2 entries, background, aspect
                                     200, 100, 50, 10, 20, 30,     // the table: red, green, blue
                                     ',', 0, 0, 0, 0, 3, 0, 2, 0,  // image at 0,0 of 3 × 2
                                     0,                            // no local table, not interlaced
                                     2};                           // code size 2 even for 1 bit per pixel
  ASSERT_GE(file.size(), head.size() + 2);
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + long(head.size())), head);
  EXPECT_EQ(file[file.size() - 2], 0);
  EXPECT_EQ(file.back(), ';');
  EXPECT_TRUE(ShowsThePicture(DecodeReferenceGif(file), picture));
}

struct DepthCase {
  int colours;
  int flags;
  int codeSize;
};

void PrintTo(const DepthCase& c, std::ostream* out) { *out << c.colours << " colours"; }

class GifDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(GifDepth, FlagsTableAndCodeSizeFollowTheColourCount) {
  const DepthCase& c = GetParam();
  Cimage picture;
  MakePicture(picture, RandomImage(16, 16, DistinctPalette(c.colours)));
  const ReferenceGif gif = DecodeReferenceGif(SaveGif(picture));
  EXPECT_EQ(gif.signature, "GIF87a");
  EXPECT_EQ(gif.screenFlags, c.flags);
  EXPECT_EQ(gif.background, 0);
  EXPECT_EQ(gif.aspect, 0);
  EXPECT_EQ(gif.codeSize, c.codeSize);
  EXPECT_EQ(gif.imageLeft | gif.imageTop | gif.imageFlags, 0);
  const size_t entries = gif.globalTable.size() / 3;
  for (size_t i = size_t(c.colours); i < entries; ++i) EXPECT_EQ(TableEntry(gif, int(i)), (Rgb{0, 0, 0})) << i;
  EXPECT_TRUE(gif.trailer);
  EXPECT_TRUE(gif.endCode);
  EXPECT_TRUE(ShowsThePicture(gif, picture));
}

INSTANTIATE_TEST_SUITE_P(Colours, GifDepth,
                         ::testing::Values(DepthCase{1, 0x80, 2}, DepthCase{2, 0x80, 2}, DepthCase{3, 0x91, 2},
                                           DepthCase{4, 0x91, 2}, DepthCase{5, 0xA2, 3}, DepthCase{17, 0xC4, 5},
                                           DepthCase{128, 0xE6, 7}, DepthCase{256, 0xF7, 8}),
                         [](const ::testing::TestParamInfo<DepthCase>& info) { return std::to_string(info.param.colours); });

// Random indices make nearly every pixel a new string, so the 4096 codes run out and the
// encoder must clear the table part-way through.
TEST(GifWriter, RandomPictureOf256ColoursRoundTripsThroughClearCodes) {
  Cimage picture;
  MakePicture(picture, RandomImage(64, 64, DistinctPalette(256)));
  const ReferenceGif gif = DecodeReferenceGif(SaveGif(picture));
  EXPECT_GE(gif.clearCodes, 2);
  EXPECT_TRUE(ShowsThePicture(gif, picture));
  // The palette keeps the order in which colours first appear, so the indices are the picture's own.
  for (int i = 0; i < 256; ++i) EXPECT_EQ(gif.indices[size_t(i)], i);
  ASSERT_FALSE(gif.blockSizes.empty());
  for (size_t i = 0; i + 1 < gif.blockSizes.size(); ++i) EXPECT_EQ(gif.blockSizes[i], 255) << "block " << i;
  EXPECT_LE(gif.blockSizes.back(), 255);
}

TEST(GifWriter, LargePictureIsTheQuantizersIndices) {
  const BgrImage image = RainbowImage(300, 200);
  Cimage picture;
  MakePicture(picture, image);
  for (int dither : {0, 1}) {
    const ReferenceGif gif = DecodeReferenceGif(SaveGif(picture, dither));
    ASSERT_TRUE(gif.error.empty()) << gif.error;
    ravelight::TwoPassQuantizer quantizer;
    ASSERT_TRUE(quantizer.Start(image.width, 256));
    for (int y = 0; y < image.height; ++y) quantizer.CountRow(image.Row(y));
    const ravelight::ColourMap& map = quantizer.ChooseColours();
    ASSERT_EQ(gif.globalTable.size(), 3u * 256);
    for (int i = 0; i < map.count; ++i) EXPECT_EQ(TableEntry(gif, i), (Rgb{map.red[i], map.green[i], map.blue[i]}));
    std::vector<uint8_t> indices(size_t(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) quantizer.MapRow(image.Row(y), &indices[size_t(y) * image.width], dither != 0);
    EXPECT_TRUE(gif.indices == indices) << "dither " << dither;
  }
}

TEST(GifWriter, FailedWritesSetTheSaveError) {
  Cimage picture;
  MakePicture(picture, RandomImage(64, 64, DistinctPalette(256)));
  EXPECT_EQ(SaveErrorOnReadOnlyStream(picture, [](Cimage& p, FILE* f) { CimageTestAccess::SaveGIF(p, f, 0); }), 1);
}

TEST(GifWriter, UnusablePictureWritesNothing) {
  EXPECT_TRUE(UnusablePicturesWriteNothing([](Cimage& p, FILE* f) { CimageTestAccess::SaveGIF(p, f, 0); }));
}

std::vector<uint8_t> Written(const std::function<bool(FILE*)>& write) { return WrittenBytes(write, ".gif"); }

// Grey output is not quantized: 8 bits per pixel, a table of all 256 grey levels, and the levels
// themselves as the pixel values. Four pixels make the codes clear, 0, 255, 128, 7 and end, 9 bits
// each, least significant bit first.
TEST(GifWriter, GreyOutputGoldenBytes) {
  const std::vector<uint8_t> levels = {0, 255, 128, 7};
  const std::vector<uint8_t> file =
      Written([&](FILE* f) { return ravelight::WriteGifGrey(f, {levels.data(), 2, 2, 2}); });
  std::vector<uint8_t> want = {'G', 'I', 'F', '8', '7', 'a', 2, 0, 2, 0,
                               0xF7, 0, 0};  // global table of 256 entries, background, aspect
  for (int i = 0; i < 256; ++i) want.insert(want.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
  want.insert(want.end(), {',', 0, 0, 0, 0, 2, 0, 2, 0, 0,  // image at 0,0 of 2 × 2, no local table
                           8,                               // code size
                           7, 0x00, 0x01, 0xFC, 0x03, 0x74, 0x20, 0x20,  // one sub-block of 7 bytes
                           0, ';'});
  EXPECT_EQ(file, want);
  const ReferenceGif gif = DecodeReferenceGif(file);
  EXPECT_TRUE(gif.error.empty()) << gif.error;
  EXPECT_EQ(gif.indices, levels);
}

TEST(GifWriter, GreyOutputOfEveryLevelReadsBack) {
  const int width = 91, height = 67;  // every level, and enough new strings to fill the table
  std::vector<uint8_t> levels(size_t(width) * height);
  uint32_t random = 12345;
  for (size_t i = 0; i < levels.size(); ++i) {
    random = random * 1103515245u + 12345u;
    levels[i] = uint8_t(i < 256 ? i : random >> 16);
  }
  const ReferenceGif gif =
      DecodeReferenceGif(Written([&](FILE* f) { return ravelight::WriteGifGrey(f, {levels.data(), width, width, height}); }));
  ASSERT_TRUE(gif.error.empty()) << gif.error;
  EXPECT_EQ(gif.screenFlags, 0xF7);
  EXPECT_EQ(gif.codeSize, 8);
  ASSERT_EQ(gif.globalTable.size(), 3u * 256);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(TableEntry(gif, i), (Rgb{uint8_t(i), uint8_t(i), uint8_t(i)})) << i;
  EXPECT_GE(gif.clearCodes, 2);
  EXPECT_TRUE(gif.endCode);
  EXPECT_TRUE(gif.trailer);
  EXPECT_TRUE(gif.indices == levels);
}

// A grey colour map (as a quantizer of grey samples makes) is written as each value three times,
// the table filled out to a power of 2 with zeros.
TEST(GifWriter, GreyPaletteIsEachValueThreeTimes) {
  const ravelight::ColourMap palette = GreyColourMap({0, 100, 255});
  const std::vector<uint8_t> indices = {0, 1, 2, 1};
  const std::vector<uint8_t> file =
      Written([&](FILE* f) { return ravelight::WriteGif(f, {indices.data(), 4, 4, 1}, palette); });
  ASSERT_GE(file.size(), 25u);
  EXPECT_EQ(file[10], 0x91);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 13, file.begin() + 25),
            (std::vector<uint8_t>{0, 0, 0, 100, 100, 100, 255, 255, 255, 0, 0, 0}));
  EXPECT_EQ(DecodeReferenceGif(file).indices, indices);
}

TEST(GifWriter, GreyOutputFailsOnAFailedWriteOrASizeBeyondTheFormat) {
  const std::string path = TempPath("grey-read-only.gif");
  WriteBytes(path, {1, 2, 3});
  FILE* stream = std::fopen(path.c_str(), "rb");
  ASSERT_NE(stream, nullptr);
  const std::vector<uint8_t> levels(70000, 9);
  EXPECT_FALSE(ravelight::WriteGifGrey(stream, {levels.data(), 64, 64, 64}));
  std::fclose(stream);
  EXPECT_TRUE(Written([&](FILE* f) { return ravelight::WriteGifGrey(f, {levels.data(), 0, 65536, 1}); }).empty());
  EXPECT_TRUE(Written([&](FILE* f) { return ravelight::WriteGifGrey(f, {levels.data(), 0, 0, 1}); }).empty());
}

}  // namespace
