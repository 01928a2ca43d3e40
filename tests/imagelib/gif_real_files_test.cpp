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
#include "missing_files.h"

namespace {

const std::string kPixbufTests = "/usr/libexec/installed-tests/gdk-pixbuf";
const std::string kSuite = kPixbufTests + "/test-images/gif-test-suite/";

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

// Where this system deliberately differs from what the suite expects. Files refused on purpose:
struct Refusal {
  std::vector<std::string> names;
  const char* why;
};

const Refusal kRefusals[] = {
    {{"max-codes", "overflow-codes", "overflow-codes-max"}, "minimum code sizes 11, 12, 255: indices beyond a byte"},
    {{"max-width", "max-height", "max-size"}, "65535 pixels across, beyond the picture cap"},
    {{"zero-width", "zero-height", "zero-size", "no-data"}, "no image"},
    {{"image-zero-width"}, "the trailer stands where the minimum code size belongs"},
    {{"image-zero-height", "image-zero-size"}, "the local colour table is cut short: no whole image"},
};

// Files whose images the suite shows combined; here they are frames in turn, and the last of
// them completes the suite's picture.
struct Composite {
  const char* name;
  int frames;
};

const Composite kComposites[] = {{"high-color", 4},
                                 {"images-combine", 4},
                                 {"images-overlap", 2},
                                 {"animation-multi-image", 7},
                                 {"animation-multi-image-explicit-zero-delay", 7}};

// Files the suite refuses or draws otherwise, decoded here by this system's own rules.
struct OwnPicture {
  const char* name;
  const char* why;
  int width, height;
  std::vector<uint32_t> pixels;
};

const std::vector<OwnPicture>& OwnPictures() {
  static const std::vector<OwnPicture> pictures = {
      {"image-outside-bg", "placed beyond the screen: drawn from its corner", 2, 2, Pixels("RR RR")},
      {"image-overlap-bg", "reaching beyond the screen: the screen grows", 3, 3, Pixels("BBB BRR BRR")},
      {"invalid-code", "a code beyond the next free one ends the data", 2, 2, Pixels("KK KK")},
      {"invalid-colors", "an index beyond the table leaves the background", 1, 1, Pixels("B")},
      {"plain-text", "the image after the plain text is shown", 40, 8, std::vector<uint32_t>(320, kBlack)}};
  return pictures;
}

// Its first image, all black and without graphic control, comes before the frames the suite lists.
const char kLeadingFrame[] = "dispose-restore-previous";

bool Differs(const std::string& name) {
  for (const Refusal& r : kRefusals)
    for (const std::string& refused : r.names)
      if (refused == name) return true;
  for (const Composite& c : kComposites)
    if (c.name == name) return true;
  for (const OwnPicture& o : OwnPictures())
    if (o.name == name) return true;
  return name == kLeadingFrame;
}

std::vector<SuiteFile> SuiteFiles() {
  std::vector<SuiteFile> files;
  for (const std::string& conf : FilesIn(kSuite, {".conf"})) files.push_back(ReadConf(conf));
  return files;
}

SuiteFile SuiteFileNamed(const std::string& name) { return ReadConf(SystemPath(kSuite + name + ".conf")); }

// False (with a failure) when the file is missing.
bool LoadSuiteFile(Cimage& picture, const std::string& name) {
  const bool opened = LoadGifFile(picture, SystemPath(kSuite + name + ".gif"));
  EXPECT_TRUE(opened) << name;
  return opened;
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

TEST(GifTestSuite, EveryOtherFileShowsItsFramesAndDelaysAsTheSuiteSays) {
  const std::vector<SuiteFile> files = SuiteFiles();
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  int compared = 0;
  for (const SuiteFile& file : files) {
    if (Differs(file.name)) continue;
    SCOPED_TRACE(file.name);
    ASSERT_FALSE(file.frames.empty()) << "the suite expects a failure this system does not give";
    GifPicture picture;
    if (LoadSuiteFile(picture, file.name)) ExpectFramesAsTheSuiteSays(picture, file, 0);
    ++compared;
  }
  EXPECT_GE(compared, 55);
}

TEST(GifTestSuite, FilesBeyondTheseRulesAreRefused) {
  if (SuiteFiles().empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  for (const Refusal& r : kRefusals)
    for (const std::string& name : r.names) {
      GifPicture picture;
      if (!LoadSuiteFile(picture, name)) continue;
      EXPECT_EQ(picture.m_loadError, 1) << name << ": " << r.why;
      EXPECT_FALSE(picture.m_pixels) << name;
    }
}

TEST(GifTestSuite, ImagesTheSuiteCombinesAreFramesHere) {
  if (SuiteFiles().empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  for (const Composite& c : kComposites) {
    SCOPED_TRACE(c.name);
    GifPicture picture;
    if (!LoadSuiteFile(picture, c.name)) continue;
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(picture.m_animated, 1);
    for (int i = 1; i < c.frames; ++i) picture.NextFrame();
    EXPECT_EQ(Canvas(picture), Reference(SuiteFileNamed(c.name).frames.back().pixels));
  }
}

TEST(GifTestSuite, OtherFilesFollowThisSystemsOwnRules) {
  if (SuiteFiles().empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  for (const OwnPicture& o : OwnPictures()) {
    SCOPED_TRACE(std::string(o.name) + ": " + o.why);
    GifPicture picture;
    if (!LoadSuiteFile(picture, o.name)) continue;
    ASSERT_EQ(picture.m_loadError, 0);
    EXPECT_EQ(picture.m_width, o.width);
    EXPECT_EQ(picture.m_height, o.height);
    EXPECT_EQ(Canvas(picture), o.pixels);
  }
}

TEST(GifTestSuite, RestoreToPreviousBringsBackTheFirstImage) {
  if (SuiteFiles().empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  GifPicture picture;
  if (!LoadSuiteFile(picture, kLeadingFrame)) return;
  EXPECT_EQ(Canvas(picture), std::vector<uint32_t>(4, kBlack));
  ExpectFramesAsTheSuiteSays(picture, SuiteFileNamed(kLeadingFrame), 1);
  picture.NextFrame();
  EXPECT_EQ(Canvas(picture), std::vector<uint32_t>(4, kBlack));
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
    if (!LoadGifFile(picture, path)) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
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

// Every GIF of the package: its own, the test suite, and the broken and fuzzed sets.
std::vector<std::string> PackageGifs() {
  std::vector<std::string> files = FilesIn(kPixbufTests, {".gif"});
  for (const char* folder : {"/test-images/gif-test-suite", "/test-images/fail", "/test-images/randomly-modified",
                             "/test-images/reftests"}) {
    const std::vector<std::string> more = FilesIn(kPixbufTests + folder, {".gif"});
    files.insert(files.end(), more.begin(), more.end());
  }
  return files;
}

// Loads a file and, when it decodes, steps its animation; whether it decodes or not, it leaves a
// consistent picture and prints nothing. True when it decoded.
bool DecodesCleanly(const std::string& path) {
  GifPicture picture;
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadGifFile(picture, path));
  for (int i = 0; i < 64 && picture.m_animated; ++i) picture.NextFrame();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  if (picture.m_loadError) {
    EXPECT_FALSE(picture.m_pixels || picture.m_gif);
    return false;
  }
  EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height));
  EXPECT_EQ(picture.m_stride, ravelight::RowStride(picture.m_width));
  EXPECT_TRUE(picture.m_pixels && picture.m_bmi);
  return true;
}

// Nothing crashes, and the sanitizers see no fault.
TEST(GifRealFiles, EveryPackageFileDecodesOrFailsCleanly) {
  const std::vector<std::string> files = PackageGifs();
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  size_t decoded = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    decoded += DecodesCleanly(path) ? 1 : 0;
  }
  EXPECT_GT(decoded, 0u);
  EXPECT_LT(decoded, files.size());
}

}  // namespace
