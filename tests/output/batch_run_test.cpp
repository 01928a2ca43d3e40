// Batch runs over real photographs: what the run asks, shows and writes, in which order, and
// that each written picture has exactly the pixels of the image library's own steps.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "batch_run.h"
#include "file_system.h"
#include "missing_files.h"
#include "temp_folder.h"
#include "viewer_pictures.h"

namespace {

// Photographs and pictures from Debian's test-image packages.
const char kFlower[] = "/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_420.jpg";     // 2268 x 1512
const char kSquare[] = "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";            // 1040 x 1040
const char kPortrait[] = "/usr/libexec/installed-tests/gdk-pixbuf/bug725582-testrotate.png";  // 428 x 640
const char kBadge[] = "/usr/libexec/installed-tests/gdk-pixbuf/dpi.png";                      // 48 x 48

std::string Real(const char* path) {
#ifdef _WIN32
  return std::string("Z:") + path;
#else
  return path;
#endif
}

const std::string kSep(1, platform::kPathSeparator);

using Answer = BatchHost::Answer;

// Answers as a user would, recording every question and progress text; presses Abort when a
// progress text starting with abortOn appears.
class ScriptedHost : public BatchHost {
 public:
  std::vector<std::string> events;
  std::vector<Answer> overwriteAnswers;  // in turn; Yes once they run out
  bool continueAnswer = true;
  std::string abortOn;

  bool AbortRequested() override { return aborted_; }
  void ShowProgress(const std::string& text) override {
    events.push_back(text);
    if (!abortOn.empty() && text.compare(0, abortOn.size(), abortOn) == 0) aborted_ = true;
  }
  Answer AskOverwrite(const std::string& path) override {
    events.push_back("Exists " + path);
    if (asked_ >= overwriteAnswers.size()) return Answer::kYes;
    return overwriteAnswers[asked_++];
  }
  bool AskContinue(const std::string& message) override {
    events.push_back(message);
    return continueAnswer;
  }
  void FileChanged(const std::string& path) override { events.push_back("Changed " + path); }

 private:
  bool aborted_ = false;
  size_t asked_ = 0;
};

class BatchRun : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* path : {kFlower, kSquare, kPortrait, kBadge})
      if (!std::filesystem::exists(Real(path))) SKIP_OR_FAIL_MISSING(std::string("missing ") + path);
    Cimage::S_Initialize();
    recipe_.folder = folder_.string();
    recipe_.format = 4;  // true-colour PNG keeps the pixels exactly
    recipe_.colormap = 0;
    recipe_.originalSize = false;
    recipe_.output = {320, 240};
  }

  std::string Output(const std::string& name) const { return recipe_.folder + kSep + name; }

  static Cimage Load(const std::string& path) {
    Cimage picture;
    picture.LoadImageA(path.c_str(), 0, 0, 5);
    return picture;
  }

  // The source through the image library's own steps, as the recipe asks for them.
  Cimage Expected(const char* source, int bevelMode, bool border, bool overlay) const {
    Cimage picture;
    if (recipe_.originalSize)
      picture = Load(Real(source));
    else
      picture.LoadFrameFilled(Real(source).c_str(), recipe_.output.width, recipe_.output.height, recipe_.overfill);
    if (bevelMode < 3) {
      int bevel[3] = {recipe_.bevel[0], recipe_.bevel[1], recipe_.bevel[2]};
      picture.Effect(1, bevelMode, bevel);
    }
    if (border) {
      Cimage canvas;
      const BatchSize size =
          SolidBorderCanvas(recipe_.borderWidth, recipe_.borderHeight,
                            recipe_.originalSize ? BatchSize{picture.m_width, picture.m_height} : recipe_.output);
      canvas.Blank(size.width, size.height,
                   recipe_.matchBorderColour ? picture.FindCommonColor() : recipe_.borderColour);
      picture.BorderMerge(&canvas, recipe_.borderEdge);
    }
    if (overlay) {
      Cimage badge = Load(Real(kBadge));
      picture.OverlayMerge(&badge, recipe_.overlayColumn, recipe_.overlayRow, recipe_.overlayKey);
    }
    return picture;
  }

  BatchRecipe recipe_;
};

TEST_F(BatchRun, AnEmptyListEndsAtOnceWithoutAWord) {
  ScriptedHost host;
  EXPECT_TRUE(RunBatch(recipe_, BatchWorkList(), host));
  EXPECT_TRUE(host.events.empty());
}

TEST_F(BatchRun, ListedFilesAreWorkedOnLastFirst) {
  ScriptedHost host;
  EXPECT_TRUE(RunBatch(recipe_, BatchWorkList({Real(kFlower), Real(kSquare), Real(kPortrait)}), host));
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"Loading " + Real(kPortrait), "Saving " + Output("bug725582-testrotate.png"),
                                      "Loading " + Real(kSquare), "Saving " + Output("flower_cropped.png"),
                                      "Loading " + Real(kFlower), "Saving " + Output("flower.png.im_q85_420.png")}));
  // Underfill keeps the aspect inside 320 x 240.
  const struct {
    const char* name;
    int width, height;
  } sizes[] = {{"bug725582-testrotate.png", 160, 240},
               {"flower_cropped.png", 240, 240},
               {"flower.png.im_q85_420.png", 320, 213}};
  for (const auto& s : sizes) {
    const Cimage written = Load(Output(s.name));
    EXPECT_EQ((std::vector<int>{written.m_width, written.m_height}), (std::vector<int>{s.width, s.height})) << s.name;
  }
}

TEST_F(BatchRun, EachStepHasTheLibrarysOwnPixels) {
  recipe_.bevel[0] = 12;
  recipe_.bevel[1] = 20;
  recipe_.bevel[2] = 30;
  recipe_.borderWidth = 40;
  recipe_.borderHeight = 30;
  recipe_.borderColour = 0x2080C0;
  recipe_.overlayPath = Real(kBadge);
  recipe_.overlayColumn = 2;
  recipe_.overlayRow = 0;
  const struct {
    int bevelMode;
    bool border, overlay, overfill, originalSize, matchColour;
    int edge;
    unsigned key;
  } cases[] = {
      {3, false, false, false, false, false, 0, 0x80FFFFFF},  // fit only: no bevel at mode 3
      {0, false, false, true, false, false, 0, 0x80FFFFFF},   // overfill, bevel modes 0 to 2
      {1, true, false, false, false, false, 1, 0x80FFFFFF},
      {2, true, true, false, false, false, 3, 0xFFFFFF},     // overlay with white transparent
      {3, false, true, false, false, false, 0, 0x80FFFFFF},  // overlay with nothing transparent
      {3, true, false, false, false, true, 2, 0x80FFFFFF},   // border colour from each picture
      {3, true, true, false, true, false, 0, 0x80FFFFFF},    // original size: a canvas per picture
  };
  for (const auto& c : cases) {
    recipe_.bevelMode = c.bevelMode;
    recipe_.solidBorder = c.border;
    recipe_.overlay = c.overlay;
    recipe_.overfill = c.overfill;
    recipe_.originalSize = c.originalSize;
    recipe_.matchBorderColour = c.matchColour;
    recipe_.borderEdge = c.edge;
    recipe_.overlayKey = c.key;
    ScriptedHost host;
    host.overwriteAnswers = {Answer::kYesToAll};
    ASSERT_TRUE(RunBatch(recipe_, BatchWorkList({Real(kSquare), Real(kPortrait)}), host));
    const struct {
      const char* source;
      const char* output;
    } files[] = {{kSquare, "flower_cropped.png"}, {kPortrait, "bug725582-testrotate.png"}};
    for (const auto& f : files) {
      const Cimage expected = Expected(f.source, c.bevelMode, c.border, c.overlay);
      const Cimage written = Load(Output(f.output));
      EXPECT_TRUE(SamePixels(written, expected))
          << f.output << " bevel " << c.bevelMode << " border " << c.border << " overlay " << c.overlay
          << " original size " << c.originalSize << ": " << written.m_width << " x " << written.m_height;
      if (c.originalSize) {
        EXPECT_EQ(written.m_width, Load(Real(f.source)).m_width + recipe_.borderWidth) << f.output;
      }
    }
  }
}

TEST_F(BatchRun, YesToAllStopsTheQuestionsAndNoStopsTheRun) {
  for (const char* name : {"flower_cropped.png", "bug725582-testrotate.png", "flower.png.im_q85_420.png"})
    Make(name, "old");
  const BatchWorkList files({Real(kFlower), Real(kSquare), Real(kPortrait)});
  const struct {
    std::vector<Answer> answers;
    bool completed;
    int questions;
    int written;  // files whose old bytes were replaced
  } cases[] = {
      {{Answer::kYesToAll}, true, 1, 3},
      {{Answer::kYes, Answer::kYes, Answer::kYes}, true, 3, 3},
      {{Answer::kYes, Answer::kNo}, false, 2, 1},
      {{Answer::kNo}, false, 1, 0},
  };
  for (const auto& c : cases) {
    for (const char* name : {"flower_cropped.png", "bug725582-testrotate.png", "flower.png.im_q85_420.png"})
      Make(name, "old");
    ScriptedHost host;
    host.overwriteAnswers = c.answers;
    EXPECT_EQ(RunBatch(recipe_, files, host), c.completed);
    int questions = 0;
    for (const std::string& event : host.events) questions += event.compare(0, 7, "Exists ") == 0;
    EXPECT_EQ(questions, c.questions);
    int written = 0;
    for (const char* name : {"flower_cropped.png", "bug725582-testrotate.png", "flower.png.im_q85_420.png"})
      written += std::filesystem::file_size(Output(name)) != 3;
    EXPECT_EQ(written, c.written);
  }
}

TEST_F(BatchRun, AbortLetsTheCurrentStepFinishAndLoadsNoFurtherFile) {
  const struct {
    const char* abortOn;
    int written;
  } cases[] = {{"Loading", 0}, {"Saving", 1}};
  for (const auto& c : cases) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ScriptedHost host;
    host.abortOn = c.abortOn;
    EXPECT_FALSE(RunBatch(recipe_, BatchWorkList({Real(kFlower), Real(kSquare)}), host));
    int loads = 0;
    for (const std::string& event : host.events) loads += event.compare(0, 8, "Loading ") == 0;
    EXPECT_EQ(loads, 1) << c.abortOn;
    // Only complete pictures are in the folder: no temporary beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), c.written) << c.abortOn;
    if (c.written) {
      EXPECT_TRUE(Load(Output("flower_cropped.png")).m_valid);
    }
  }
}

TEST_F(BatchRun, UnreadableSourcesAndUnwritableOutputsAskWhetherToGoOn) {
  const std::string broken = Make("broken.jpg", "\xFF\xD8\xFF\xE0 not a photograph");
  const std::string out = (folder_ / "out").string();
  std::filesystem::create_directory(out);
  recipe_.folder = out;
  const struct {
    int format;  // 0 keeps .pcx, which nothing writes
    const char* source;
    bool goOn;
    bool completed;
    std::vector<std::string> messages;
  } cases[] = {
      {4, nullptr, true, true, {"Error loading image" + broken + "\nDo you want to continue"}},
      {4, nullptr, false, false, {"Error loading image" + broken + "\nDo you want to continue"}},
      {0, "in.pcx", false, false, {"Error writing image " + out + kSep + "in.pcx" + "\nDo you want to continue"}},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    recipe_.format = c.format;
    std::string source = broken;
    if (c.source) {
      source = (folder_ / c.source).string();
      std::filesystem::copy_file(Real(kSquare), source, std::filesystem::copy_options::overwrite_existing);
      recipe_.format = 0;
    }
    ScriptedHost host;
    host.continueAnswer = c.goOn;
    EXPECT_EQ(RunBatch(recipe_, BatchWorkList({Real(kPortrait), source}), host), c.completed);
    std::vector<std::string> messages;
    for (const std::string& event : host.events)
      if (event.find("Do you want") != std::string::npos) messages.push_back(event);
    EXPECT_EQ(messages, c.messages);
    // After Yes the next file is done; after No it is never loaded.
    EXPECT_EQ(platform::FileExists(BatchOutputPath(out, Real(kPortrait), recipe_.format)), c.completed);
  }
}

TEST(BatchRecipeFromSettings, TakesSizesBevelAndTheOverlaysTransparencyBit) {
  CAppSettings settings;
  settings.batchResize.transparent = 0x00FFFFFF;
  settings.batchResize.customwidth = 300;
  settings.batchResize.customheight = 200;
  settings.effects.batchmode = 1;
  const struct {
    int targetsize, notrans;
    bool originalSize;
    unsigned key;
  } cases[] = {
      {0, 0, false, 0x80FFFFFF}, {1, 1, false, 0x00FFFFFF}, {3, 1, false, 0x00FFFFFF}, {4, 0, true, 0x80FFFFFF}};
  for (const auto& c : cases) {
    settings.batchResize.targetsize = c.targetsize;
    settings.batchResize.notrans = c.notrans;
    const BatchRecipe recipe = BatchRecipe::FromSettings(settings);
    EXPECT_EQ(recipe.originalSize, c.originalSize);
    EXPECT_EQ(recipe.overlayKey, c.key) << "\"Use transparency\" " << c.notrans;
    EXPECT_EQ(recipe.bevelMode, 1);
  }
}

}  // namespace
