// Sound memos stored inside JPEG files as FlashPix streams.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "embedded_audio.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutName(std::vector<uint8_t>& out, const std::string& name) {
  for (char c : name) out.insert(out.end(), {uint8_t(c), 0});
  out.insert(out.end(), {0, 0});
}

struct Entry {
  uint32_t size;
  uint8_t fill;
  std::string name;
};

std::vector<uint8_t> ContentsList(const std::vector<Entry>& entries) {
  std::vector<uint8_t> body = {'F', 'P', 'X', 'R', 0, 0, 1};
  Put(body, uint32_t(entries.size()), 2);
  for (const Entry& e : entries) {
    Put(body, e.size, 4);
    body.push_back(e.fill);
    PutName(body, e.name);
    if (e.size == 0xFFFFFFFF) body.insert(body.end(), 16, 0xCC);
  }
  std::vector<uint8_t> segment = {0xFF, 0xE2};
  Put(segment, uint32_t(body.size() + 2), 2);
  segment.insert(segment.end(), body.begin(), body.end());
  return segment;
}

std::vector<uint8_t> StreamData(uint32_t index, uint32_t offset, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> body = {'F', 'P', 'X', 'R', 0, 0, 2};
  Put(body, index, 2);
  Put(body, offset, 4);
  body.insert(body.end(), data.begin(), data.end());
  std::vector<uint8_t> segment = {0xFF, 0xE2};
  Put(segment, uint32_t(body.size() + 2), 2);
  segment.insert(segment.end(), body.begin(), body.end());
  return segment;
}

class EmbeddedAudio : public TempFolderTest {
 protected:
  // A JPEG-like file: SOI, the segments, then padding so the scan reaches them.
  std::string Image(const std::vector<std::vector<uint8_t>>& segments) {
    std::vector<uint8_t> file = {0xFF, 0xD8};
    for (const auto& s : segments) file.insert(file.end(), s.begin(), s.end());
    file.insert(file.end(), 2000, 0x00);
    return Make("photo.jpg", std::string(file.begin(), file.end()));
  }
  static std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(EmbeddedAudio, TheAudioStreamIsWrittenWithoutItsHeader) {
  std::vector<uint8_t> stream(28, 0xEE);  // the stream's own header
  for (int i = 0; i < 300; ++i) stream.push_back(uint8_t(i));
  const std::vector<uint8_t> first(stream.begin(), stream.begin() + 200), second(stream.begin() + 200, stream.end());
  const std::string image = Image({ContentsList({{0xFFFFFFFF, 0, "Root"}, {100, 0x11, "Data/Other Stream"},
                                                 {uint32_t(stream.size()), 0x80, "Data/Audio Stream 1"}}),
                                   StreamData(1, 0, {9, 9, 9}), StreamData(2, 0, first), StreamData(2, 200, second)});
  EXPECT_EQ(ExtractEmbeddedAudio(image), 0);
  const std::vector<uint8_t> sound = Read((folder_ / "photo.wav").string());
  ASSERT_EQ(sound.size(), 300u);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(sound[size_t(i)], uint8_t(i)) << i;
  // Never overwritten.
  EXPECT_EQ(ExtractEmbeddedAudio(image), -1);
}

TEST_F(EmbeddedAudio, MissingDataKeepsTheFillByteAndNothingGoesPastTheEnd) {
  const std::string image = Image({ContentsList({{28 + 10, 0x80, "Audio Stream"}}),
                                   StreamData(0, 28 + 6, std::vector<uint8_t>(40, 0x55))});
  EXPECT_EQ(ExtractEmbeddedAudio(image), 0);
  EXPECT_EQ(Read((folder_ / "photo.wav").string()),
            (std::vector<uint8_t>{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x55, 0x55, 0x55, 0x55}));
}

TEST_F(EmbeddedAudio, ImagesWithoutASoundOrWithNonsenseLeaveNoFile) {
  EXPECT_EQ(ExtractEmbeddedAudio(Image({})), 0);
  EXPECT_FALSE(fs::exists(folder_ / "photo.wav"));
  std::vector<Entry> many(11, Entry{10, 0, "x"});
  EXPECT_EQ(ExtractEmbeddedAudio(Image({ContentsList(many)})), 1);
  EXPECT_FALSE(fs::exists(folder_ / "photo.wav"));
  EXPECT_EQ(ExtractEmbeddedAudio((folder_ / "missing.jpg").string()), 1);
}

TEST(CompanionSound, TheExtensionComesFromTheFileNameOnly) {
  EXPECT_EQ(CompanionSoundPath("C:\\pics\\a.jpg"), "C:\\pics\\a.wav");
  EXPECT_EQ(CompanionSoundPath("C:\\pics.2004\\readme"), "C:\\pics.2004\\readme.wav");
  EXPECT_EQ(CompanionSoundPath("photo"), "photo.wav");
}

}  // namespace
