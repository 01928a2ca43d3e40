// Sound memos stored inside JPEG files as FlashPix streams, extracted to the ".wav" beside the
// image. The segments are built byte by byte as cameras lay them out.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "embedded_audio.h"
#include "fpx_segments.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace fpx_test;

// A stream of 28 header bytes (EE) followed by the sound 0, 1, 2, ... of the given length.
Bytes Stream(size_t sound) {
  Bytes stream(28, 0xEE);
  for (size_t i = 0; i < sound; ++i) stream.push_back(uint8_t(i * 7));
  return stream;
}
Bytes SoundOf(const Bytes& stream) { return Bytes(stream.begin() + 28, stream.end()); }

// The stream's bytes from..to as a data segment of stream index.
Bytes Piece(uint32_t index, const Bytes& stream, size_t from, size_t to) {
  return StreamData(index, uint32_t(from), Bytes(stream.begin() + from, stream.begin() + to));
}

const Bytes kStream = Stream(300);
const Bytes kSound = SoundOf(kStream);
const Entry kAudio = {uint32_t(kStream.size()), 0x80, "Audio Stream"};
const Entry kRoot = {kStorage, 0, "Root Entry"};
const Entry kOther = {100, 0x11, "Data/Other Stream"};

// Sound bytes that read as a segment: FF E2 and a contents list of 11 entries.
Bytes LookalikeStream() {
  Bytes stream(28, 0xEE);
  const Bytes fake = ContentsList(std::vector<Entry>(11, Entry{10, 0, "x"}));
  stream.insert(stream.end(), fake.begin(), fake.end());
  stream.insert(stream.end(), 50, 0x42);
  return stream;
}
const Bytes kLookalike = LookalikeStream();

struct Case {
  const char* what;
  std::vector<Bytes> segments;
  int result;
  std::optional<Bytes> sound;  // no ".wav" when empty
  size_t padding = 2000;       // bytes after the segments (the scan stops 500 before the end)
};

Bytes Filled(size_t size, uint8_t fill, size_t from, const Bytes& bytes) {
  Bytes out(size, fill);
  std::copy(bytes.begin(), bytes.begin() + std::min(bytes.size(), size - from), out.begin() + from);
  return out;
}

const Case kCases[] = {
    {"no FlashPix data", {}, 0, std::nullopt},
    {"a contents list without data", {ContentsList({kRoot, kOther, kAudio})}, 0, std::nullopt},
    {"only the audio stream among others is extracted",
     {ContentsList({kRoot, kOther, kAudio}), StreamData(1, 0, Bytes(100, 9)), Piece(2, kStream, 0, 200),
      StreamData(1, 100, Bytes(50, 9)), Piece(2, kStream, 200, 328)},
     0, kSound},
    {"segments in any order land at their offsets",
     {ContentsList({kAudio}), Piece(0, kStream, 150, 328), Piece(0, kStream, 0, 60), Piece(0, kStream, 60, 150)},
     0, kSound},
    {"ten entries are read, the last one the audio",
     {ContentsList({kOther, kOther, kOther, kOther, kOther, kOther, kOther, kOther, kOther, kAudio}),
      Piece(9, kStream, 0, 328)},
     0, kSound},
    {"more than ten entries are not believed",
     {ContentsList(std::vector<Entry>(11, kOther)), ContentsList({kAudio}), Piece(0, kStream, 0, 328)}, 1,
     std::nullopt},
    {"the name is matched after its last slash",
     {ContentsList({{40, 0, "Data/Audio Stream 1"}}), StreamData(0, 0, Bytes(40, 3))}, 0, Bytes(12, 3)},
    {"a name merely containing it is not the audio",
     {ContentsList({{40, 0, "My Audio Stream"}}), StreamData(0, 0, Bytes(40, 3))}, 0, std::nullopt},
    {"a storage is never the audio",
     {ContentsList({{kStorage, 0, "Audio Stream"}}), StreamData(0, 0, Bytes(40, 3))}, 0, std::nullopt},
    {"missing pieces keep the fill byte, bytes past the length are dropped",
     {ContentsList({{28 + 10, 0x80, "Audio Stream"}}), StreamData(0, 28 + 6, Bytes(40, 0x55))}, 0,
     Filled(10, 0x80, 6, Bytes(4, 0x55))},
    {"a stream of its header only has no sound",
     {ContentsList({{28, 0, "Audio Stream"}}), StreamData(0, 0, Bytes(28, 1))}, 0, std::nullopt},
    {"a stream shorter than its header has no sound",
     {ContentsList({{20, 0, "Audio Stream"}}), StreamData(0, 0, Bytes(20, 1))}, 0, std::nullopt},
    {"a stream longer than the file is not believed",
     {ContentsList({{0xFFFFFFFE, 0, "Audio Stream"}}), StreamData(0, 0, Bytes(100, 1))}, 0, std::nullopt},
    {"a huge offset writes nothing and does not wrap around",
     {ContentsList({kAudio}), StreamData(0, 0xFFFFFFF0, Bytes(200, 0x66)), Piece(0, kStream, 0, 28)}, 0,
     Bytes(300, 0x80)},
    {"a stream index out of range is ignored",
     {ContentsList({kOther, kAudio}), StreamData(7, 0, Bytes(100, 1)), StreamData(0xFFFF, 0, Bytes(100, 1))}, 0,
     std::nullopt},
    {"an unterminated name ends the list",
     {Segment(ContentsBody({{kAudio.size, 0, "Audio Stream", false}})), Piece(0, kStream, 0, 328)}, 0,
     std::nullopt},
    {"an entry count past the segment's end reads what is there",
     {Segment([] { Bytes b = ContentsBody({kAudio}); b[8] = 5; return b; }()), Piece(0, kStream, 0, 328)}, 0,
     kSound},
    {"a segment too short for its header is skipped",
     {ContentsList({kAudio}), Segment(StreamBody(0, 0, {}), 5), Piece(0, kStream, 0, 328)}, 0, kSound},
    {"a segment running past the end of the file is not trusted",
     {ContentsList({kAudio}), Piece(0, kStream, 0, 100), Segment(StreamBody(0, 100, Bytes(228, 1)), 0xFFFF)}, 0,
     Filled(300, 0x80, 0, SoundOf(Bytes(kStream.begin(), kStream.begin() + 100))), 600},
    {"sound bytes that look like a segment are sound",
     {ContentsList({{uint32_t(kLookalike.size()), 0, "Audio Stream"}}),
      Piece(0, kLookalike, 0, kLookalike.size())},
     0, SoundOf(kLookalike)},
    {"a later contents list naming the audio again starts it afresh",
     {ContentsList({kAudio}), StreamData(0, 28, Bytes(300, 1)), ContentsList({kOther, kAudio}),
      Piece(1, kStream, 0, 328)},
     0, kSound},
};

class EmbeddedAudio : public TempFolderTest {
 protected:
  // A JPEG-like file: SOI, the segments, then padding.
  std::string Image(const std::vector<Bytes>& segments, size_t padding = 2000) {
    Bytes file = {0xFF, 0xD8};
    for (const Bytes& s : segments) file.insert(file.end(), s.begin(), s.end());
    file.insert(file.end(), padding, 0x00);
    return Make("photo.jpg", std::string(file.begin(), file.end()));
  }
  std::string SoundFile() const { return (folder_ / "photo.wav").string(); }
  static Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  size_t FilesInFolder() const { return size_t(std::distance(fs::directory_iterator(folder_), fs::directory_iterator())); }
};

TEST_F(EmbeddedAudio, SegmentsAsCamerasWriteThemAndAsNobodyShould) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    fs::remove(SoundFile());
    EXPECT_EQ(ExtractEmbeddedAudio(Image(c.segments, c.padding)), c.result);
    if (c.sound) {
      EXPECT_EQ(Read(SoundFile()), *c.sound);
    } else {
      EXPECT_FALSE(fs::exists(SoundFile()));
    }
    EXPECT_EQ(FilesInFolder(), c.sound ? 2u : 1u) << "a temporary file was left behind";
  }
}

TEST_F(EmbeddedAudio, AnExistingSoundIsNeverOverwritten) {
  const std::string image = Image({ContentsList({kAudio}), Piece(0, kStream, 0, 328)});
  ASSERT_EQ(ExtractEmbeddedAudio(image), 0);
  const Bytes first = Read(SoundFile());
  ASSERT_EQ(first, kSound);
  EXPECT_EQ(ExtractEmbeddedAudio(image), -1);
  EXPECT_EQ(Read(SoundFile()), first);

  // Nor a sound of the user's own, whatever the image holds.
  Make("photo.wav", "mine");
  EXPECT_EQ(ExtractEmbeddedAudio(image), -1);
  EXPECT_EQ(Read(SoundFile()), Bytes({'m', 'i', 'n', 'e'}));
}

TEST_F(EmbeddedAudio, ImagesThatCannotHoldASound) {
  EXPECT_EQ(ExtractEmbeddedAudio((folder_ / "missing.jpg").string()), 1);
  // Under 1000 bytes: too small to look at, however it looks; from 1000 on it is read.
  const std::vector<Bytes> segments = {ContentsList({{28 + 10, 0, "Audio Stream"}}), StreamData(0, 0, Bytes(38, 1))};
  for (size_t padding : {898, 899}) {
    const std::string image = Image(segments, padding);
    const bool small = fs::file_size(image) < 1000;
    ASSERT_EQ(small, padding == 898);
    EXPECT_EQ(ExtractEmbeddedAudio(image), 0);
    EXPECT_EQ(fs::exists(SoundFile()), !small);
  }
}

TEST(CompanionSound, TheExtensionComesFromTheFileNameOnly) {
  const struct {
    const char* image;
    const char* sound;
  } cases[] = {
      {"C:\\pics\\a.jpg", "C:\\pics\\a.wav"},
      {"C:\\pics\\a.b.JPEG", "C:\\pics\\a.b.wav"},
      {"C:\\pics.2004\\readme", "C:\\pics.2004\\readme.wav"},
      {"/home/me/pics.old/photo", "/home/me/pics.old/photo.wav"},
      {"photo", "photo.wav"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompanionSoundPath(c.image), c.sound) << c.image;
}

}  // namespace
