// Real GIF files that nobody here made: the GIF test suite of Debian's gdk-pixbuf-tests, with
// its descriptions of frames, delays and reference pixels, and the package's broken and fuzzed
// files.
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "gif_test_support.h"
#include "picture_limits.h"
#include "test_files.h"

namespace {

const std::string kPixbufTests = "/usr/libexec/installed-tests/gdk-pixbuf";
const std::string kSuite = kPixbufTests + "/test-images/gif-test-suite/";

constexpr uint32_t kBackground = 0x102030;
constexpr uint32_t kBlack = 0x000000, kRed = 0xFF0000;

struct GifPicture : Cimage {
  GifPicture() {
    m_bgR = 0x10;
    m_bgG = 0x20;
    m_bgB = 0x30;
  }
};

// What a suite file's .conf says: the frames a viewer shows, each with its reference pixels
// (RGBA) and delay.
struct SuiteFrame {
  std::string pixels;
  int delay = 0;
};

struct SuiteFile {
  std::string name;
  int width = 0, height = 0;
  std::vector<SuiteFrame> frames;
};

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

SuiteFile ReadConf(const std::string& path) {
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::ifstream in(path);
  std::string line, section;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    const size_t eq = line.find('=');
    if (eq != std::string::npos) sections[section][Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
  }
  SuiteFile file;
  std::map<std::string, std::string>& config = sections["config"];
  file.name = config["input"].substr(0, config["input"].rfind('.'));
  file.width = std::stoi(config["width"]);
  file.height = std::stoi(config["height"]);
  std::stringstream names(config["frames"]);
  std::string name;
  while (std::getline(names, name, ',')) {
    std::map<std::string, std::string>& frame = sections[Trim(name)];
    file.frames.push_back({frame["pixels"], frame.count("delay") ? std::stoi(frame["delay"]) : 0});
  }
  return file;
}

// The reference pixels as this system shows them: transparent ones are the picture's background.
std::vector<uint32_t> Reference(const std::string& rgbaFile) {
  const std::vector<uint8_t> rgba = ReadBytes(SystemPath(kSuite + rgbaFile));
  std::vector<uint32_t> pixels;
  for (size_t i = 0; i + 3 < rgba.size(); i += 4)
    pixels.push_back(rgba[i + 3] == 0 ? kBackground : uint32_t(rgba[i]) << 16 | uint32_t(rgba[i + 1]) << 8 | rgba[i + 2]);
  return pixels;
}

// Where this system deliberately differs from what the suite expects; any other file shows
// every frame in turn, with its delay, as the suite says.
enum class Outcome {
  kRefused,          // a load error
  kComposite,        // the suite shows the images combined; here they are frames in turn,
                     // and the last of them completes the suite's picture
  kLeadingFrame,     // a frame before the ones the suite lists
  kOwnPicture,       // decoded by the rules of this system, the suite expecting otherwise
};

struct Difference {
  Outcome outcome;
  const char* why;
  int frames;                     // kComposite: how many frames the file holds
  int width, height;              // kOwnPicture
  std::vector<uint32_t> pixels;   // kOwnPicture
};

Difference Refused(const char* why) { return {Outcome::kRefused, why, 0, 0, 0, {}}; }
Difference Composite(const char* why, int frames) { return {Outcome::kComposite, why, frames, 0, 0, {}}; }
Difference LeadingFrame(const char* why) { return {Outcome::kLeadingFrame, why, 0, 0, 0, {}}; }
Difference OwnPicture(const char* why, int width, int height, const std::vector<uint32_t>& pixels) {
  return {Outcome::kOwnPicture, why, 0, width, height, pixels};
}

const std::map<std::string, Difference>& Differences() {
  const uint32_t B = kBackground, R = kRed;
  static const std::map<std::string, Difference> differences = {
      {"max-codes", Refused("minimum code size 11: indices above 255")},
      {"overflow-codes", Refused("minimum code size 12")},
      {"overflow-codes-max", Refused("minimum code size 255")},
      {"max-width", Refused("65535 wide, beyond the picture cap")},
      {"max-height", Refused("65535 high, beyond the picture cap")},
      {"max-size", Refused("beyond the picture cap")},
      {"zero-width", Refused("no image")},
      {"zero-height", Refused("no image")},
      {"zero-size", Refused("no image")},
      {"no-data", Refused("no image")},
      {"image-zero-width", Refused("the trailer stands where the minimum code size belongs")},
      {"image-zero-height", Refused("the local colour table is cut short: no whole image")},
      {"image-zero-size", Refused("the local colour table is cut short: no whole image")},
      {"high-color", Composite("four quarters, each with its own table", 4)},
      {"images-combine", Composite("four single pixels", 4)},
      {"images-overlap", Composite("two images on the same pixel", 2)},
      {"animation-multi-image", Composite("frames without delays of their own", 7)},
      {"animation-multi-image-explicit-zero-delay", Composite("frames with zero delays", 7)},
      {"dispose-restore-previous", LeadingFrame("an all-black first image without graphic control")},
      {"image-outside-bg", OwnPicture("placed beyond the screen: drawn from its corner", 2, 2, {R, R, R, R})},
      {"image-overlap-bg", OwnPicture("reaching beyond the screen: the screen grows", 3, 3, {B, B, B, B, R, R, B, R, R})},
      {"invalid-code", OwnPicture("a code beyond the next free one ends the data", 2, 2, {kBlack, kBlack, kBlack, kBlack})},
      {"invalid-colors", OwnPicture("an index beyond the table leaves the background", 1, 1, {B})},
      {"plain-text", OwnPicture("the image after the plain text is shown", 40, 8, std::vector<uint32_t>(320, kBlack))},
  };
  return differences;
}

std::vector<SuiteFile> SuiteFiles() {
  std::vector<SuiteFile> files;
  for (const std::string& conf : FilesIn(kSuite, {".conf"})) files.push_back(ReadConf(conf));
  return files;
}

void ExpectFramesAsTheSuiteSays(Cimage& picture, const SuiteFile& file, size_t firstListed) {
  ASSERT_EQ(picture.m_loadError, 0);
  EXPECT_EQ(picture.m_width, file.width);
  EXPECT_EQ(picture.m_height, file.height);
  EXPECT_EQ(picture.m_animated, file.frames.size() + firstListed > 1 ? 1 : 0);
  for (size_t i = 0; i < file.frames.size(); ++i) {
    if (i + firstListed > 0) picture.NextFrame();
    EXPECT_EQ(Canvas(picture), Reference(file.frames[i].pixels)) << "frame " << i;
    EXPECT_EQ(picture.m_frameDelay, file.frames[i].delay) << "frame " << i;
  }
}

TEST(GifTestSuite, EveryFileDecodesAsItsDescriptionSaysOrAsThisSystemDiffers) {
  const std::vector<SuiteFile> files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "gdk-pixbuf-tests is not installed";
  int asTheSuiteSays = 0;
  for (const SuiteFile& file : files) {
    SCOPED_TRACE(file.name);
    GifPicture picture;
    ASSERT_TRUE(LoadGifFile(picture, SystemPath(kSuite + file.name + ".gif")));
    const auto difference = Differences().find(file.name);
    if (difference == Differences().end()) {
      ASSERT_FALSE(file.frames.empty()) << "the suite expects a failure this system does not give";
      ExpectFramesAsTheSuiteSays(picture, file, 0);
      ++asTheSuiteSays;
      continue;
    }
    const Difference& d = difference->second;
    SCOPED_TRACE(d.why);
    switch (d.outcome) {
      case Outcome::kRefused:
        EXPECT_EQ(picture.m_loadError, 1);
        EXPECT_FALSE(picture.m_pixels);
        break;
      case Outcome::kComposite:
        ASSERT_EQ(picture.m_loadError, 0);
        for (int i = 1; i < d.frames; ++i) picture.NextFrame();
        EXPECT_EQ(Canvas(picture), Reference(file.frames.back().pixels));
        break;
      case Outcome::kLeadingFrame:
        ExpectFramesAsTheSuiteSays(picture, file, 1);
        break;
      case Outcome::kOwnPicture:
        ASSERT_EQ(picture.m_loadError, 0);
        EXPECT_EQ(picture.m_width, d.width);
        EXPECT_EQ(picture.m_height, d.height);
        EXPECT_EQ(Canvas(picture), d.pixels);
        break;
    }
  }
  EXPECT_EQ(asTheSuiteSays + int(Differences().size()), int(files.size()));
}

TEST(GifTestSuite, ThisSystemsDifferencesStillNameSuiteFiles) {
  const std::vector<SuiteFile> files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "gdk-pixbuf-tests is not installed";
  for (const auto& entry : Differences()) {
    bool found = false;
    for (const SuiteFile& file : files) found = found || file.name == entry.first;
    EXPECT_TRUE(found) << entry.first;
  }
}

TEST(GifRealFiles, RealAnimationsAnimateWithTheirDelays) {
  const struct {
    const char* file;
    int width, height, firstDelay, secondDelay;
  } animations[] = {{"/aero.gif", 350, 189, 40, 0},
                    {"/test-animation.gif", 17, 17, 10, 10},
                    {"/1_partyanimsm2.gif", 660, 666, 30, 43}};
  for (const auto& a : animations) {
    const std::string path = SystemPath(kPixbufTests + a.file);
    GifPicture picture;
    if (!LoadGifFile(picture, path)) GTEST_SKIP() << "gdk-pixbuf-tests is not installed";
    SCOPED_TRACE(a.file);
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(picture.m_width, a.width);
    EXPECT_EQ(picture.m_height, a.height);
    EXPECT_EQ(picture.m_animated, 1);
    EXPECT_EQ(picture.m_frameDelay, a.firstDelay);
    picture.NextFrame();
    EXPECT_EQ(picture.m_frameDelay, a.secondDelay);
  }
}

// Every GIF of the package, the broken and fuzzed ones included: each either decodes to a sane
// picture that animates without fault, or is a load error; nothing is printed, and the
// sanitizers see no fault.
TEST(GifRealFiles, EveryPackageFileDecodesOrFailsCleanly) {
  std::vector<std::string> files = FilesIn(kPixbufTests, {".gif"});
  for (const char* folder : {"/test-images/fail", "/test-images/randomly-modified", "/test-images/reftests",
                             "/test-images/gif-test-suite"})
    for (const std::string& f : FilesIn(kPixbufTests + folder, {".gif"})) files.push_back(f);
  if (files.empty()) GTEST_SKIP() << "gdk-pixbuf-tests is not installed";
  int decoded = 0, refused = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    GifPicture picture;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(LoadGifFile(picture, path));
    if (picture.m_loadError) {
      ++refused;
      EXPECT_FALSE(picture.m_pixels || picture.m_gif);
    } else {
      ++decoded;
      EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height));
      EXPECT_EQ(picture.m_stride, ravelight::RowStride(picture.m_width));
      for (int i = 0; i < 64 && picture.m_animated; ++i) picture.NextFrame();
      EXPECT_TRUE(picture.m_pixels && picture.m_bmi);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
