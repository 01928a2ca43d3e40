// The settings record against an INI profile: the names it stores, the clamps, the image
// library's statics, round trips, and the mended faults of earlier versions.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "app_settings_expectations.h"
#include "geometry.h"
#include "ini_profile.h"

namespace {

namespace fs = std::filesystem;

static_assert(std::is_same_v<decltype(CAppSettings::Capture::vkey), uint16_t>, "the hot key is 16-bit");
static_assert(std::is_same_v<decltype(CAppSettings::Capture::kmod), uint16_t>, "the hot key is 16-bit");

class AppSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vireldan-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  // A record loaded from an INI file holding the given text.
  CAppSettings LoadFromText(const std::string& text) {
    std::ofstream(Path("stored.ini"), std::ios::binary) << text;
    IniProfile profile(Path("stored.ini"));
    CAppSettings settings;
    settings.Load(profile, TestScreen());
    return settings;
  }

  CAppSettings LoadDefaults() { return LoadFromText(""); }

  // Saves the record into a new INI file and returns its path.
  std::string SaveToFile(CAppSettings& settings, const std::string& name = "saved.ini") {
    IniProfile profile(Path(name));
    settings.Save(profile);
    return Path(name);
  }

  fs::path folder_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The section and value names of an INI file, in the order they stand.
std::vector<std::pair<std::string, std::vector<std::string>>> NamesInFile(const std::string& text) {
  std::vector<std::pair<std::string, std::vector<std::string>>> sections;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']')
      sections.push_back({line.substr(1, line.size() - 2), {}});
    else if (line.find('=') != std::string::npos && !sections.empty())
      sections.back().second.push_back(line.substr(0, line.find('=')));
  }
  return sections;
}

TEST_F(AppSettingsTest, ASavedProfileHasExactlyTheTwentySectionsAndTheirValueNames) {
  CAppSettings settings = LoadDefaults();
  const auto saved = NamesInFile(ReadFile(SaveToFile(settings)));

  std::vector<std::pair<std::string, std::vector<std::string>>> expected;
  size_t count = 0;
  for (const ExpectedSection& section : ExpectedSections()) {
    expected.push_back({section.name, {}});
    for (const ExpectedValue& value : section.values) expected.back().second.push_back(value.name);
    count += section.values.size();
  }
  EXPECT_EQ(expected.size(), 20u);
  EXPECT_EQ(count, 316u);
  EXPECT_EQ(saved, expected);
}

TEST_F(AppSettingsTest, EveryStoredValueReachesItsOwnField) {
  IniProfile profile(Path("distinct.ini"));
  const std::vector<std::string> written = WriteDistinctValues(profile);
  CAppSettings settings;
  settings.Load(profile, TestScreen());
  EXPECT_EQ(FieldValues(settings), written);
}

TEST_F(AppSettingsTest, DistinctValuesSurviveASaveAndALoad) {
  const std::vector<std::string> defaults = FieldValues(LoadDefaults());

  IniProfile distinct(Path("distinct.ini"));
  const std::vector<std::string> written = WriteDistinctValues(distinct);
  CAppSettings first;
  first.Load(distinct, TestScreen());
  const std::vector<std::string> firstValues = FieldValues(first);
  ASSERT_EQ(firstValues.size(), defaults.size());
  for (size_t i = 0; i < defaults.size(); ++i) EXPECT_NE(firstValues[i], defaults[i]) << "value " << i;

  IniProfile saved(SaveToFile(first));
  EXPECT_EQ(ReadAllValues(saved), written);
  CAppSettings second;
  second.Load(saved, TestScreen());
  EXPECT_EQ(FieldValues(second), firstValues);
}

TEST_F(AppSettingsTest, NegativeNumbersAndWholeColoursRoundTrip) {
  CAppSettings settings = LoadDefaults();
  settings.batchPrint.coloffset = -25;
  settings.frameLayout.preview_x = -1200;
  settings.batchResize.bordercolor = 0xFFFFFF;
  settings.thumbnails.exif_tipoptions = int(0x80000007u);
  settings.capture.vkey = 0xFFFF;
  IniProfile saved(SaveToFile(settings));
  CAppSettings loaded;
  loaded.Load(saved, TestScreen());
  EXPECT_EQ(loaded.batchPrint.coloffset, -25);
  EXPECT_EQ(loaded.frameLayout.preview_x, -1200);
  EXPECT_EQ(loaded.batchResize.bordercolor, 0xFFFFFF);
  EXPECT_EQ(loaded.thumbnails.exif_tipoptions, int(0x80000007u));
  EXPECT_EQ(loaded.capture.vkey, 0xFFFF);
}

struct ClampCase {
  const char* section;
  const char* name;
  int (*field)(const CAppSettings&);
  std::vector<std::pair<int, int>> storedAndLoaded;
};

TEST_F(AppSettingsTest, LoadBringsOutOfRangeValuesIntoRange) {
  // On a 1024 by 768 screen; the frame's other edges keep their defaults 128, 96, 896, 672.
  const ClampCase cases[] = {
      {"Batch Print", "colwidth", [](const CAppSettings& s) { return s.batchPrint.colwidth; },
       {{-5, 1}, {0, 1}, {1, 1}, {2, 2}}},
      {"Batch Print", "colheight", [](const CAppSettings& s) { return s.batchPrint.colheight; },
       {{-5, 1}, {0, 1}, {1, 1}, {2, 2}}},
      {"Batch Print", "pawidth", [](const CAppSettings& s) { return s.batchPrint.pawidth; },
       {{3, 10}, {9, 10}, {10, 10}, {11, 11}, {-1, 10}}},
      {"Batch Print", "paheight", [](const CAppSettings& s) { return s.batchPrint.paheight; },
       {{3, 10}, {9, 10}, {10, 10}, {11, 11}}},
      {"Batch Print", "tasizex", [](const CAppSettings& s) { return s.batchPrint.tasizex; },
       {{0, 1}, {1, 1}, {2, 2}}},
      {"Batch Print", "tasizey", [](const CAppSettings& s) { return s.batchPrint.tasizey; },
       {{0, 1}, {1, 1}, {2, 2}}},
      {"Picture Frames", "scalingmode", [](const CAppSettings& s) { return s.pictureFrames.scalingmode; },
       {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 0}, {5, 1}, {6, 2}, {7, 2}, {-1, 2}}},
      {"Frame Layout", "top", [](const CAppSettings& s) { return s.frameLayout.top; },
       {{-20, 0}, {-1, 0}, {0, 0}, {5, 5}}},
      {"Frame Layout", "left", [](const CAppSettings& s) { return s.frameLayout.left; },
       {{-5, 0}, {-1, 0}, {0, 0}, {7, 7}}},
      {"Frame Layout", "bottom", [](const CAppSettings& s) { return s.frameLayout.bottom; },
       {{900, 768}, {769, 768}, {768, 768}, {700, 700}}},
      {"Frame Layout", "right", [](const CAppSettings& s) { return s.frameLayout.right; },
       {{5000, 1024}, {1025, 1024}, {1024, 1024}, {1000, 1000}}},
      {"Frame Layout", "leftpane", [](const CAppSettings& s) { return s.frameLayout.leftpane; },
       {{5, 300}, {-3, 300}, {9, 300}, {10, 10}, {320, 320}}},
      {"Frame Layout", "keypane", [](const CAppSettings& s) { return s.frameLayout.keypane; },
       {{5, 300}, {0, 300}, {9, 300}, {10, 10}, {500, 500}}},
      // Values without a clamp are taken as they are.
      {"Frame Layout", "dirpaney", [](const CAppSettings& s) { return s.frameLayout.dirpaney; }, {{5, 5}, {-2, -2}}},
      {"Thumbnails", "Thumbnail Size", [](const CAppSettings& s) { return s.thumbnails.thumbnailSize; },
       {{99, 99}}},
  };
  for (const ClampCase& clamp : cases) {
    for (const auto& [stored, loaded] : clamp.storedAndLoaded) {
      const CAppSettings settings = LoadFromText(std::string("[") + clamp.section + "]\n" + clamp.name + "=" +
                                                 std::to_string(stored) + "\n");
      EXPECT_EQ(clamp.field(settings), loaded) << clamp.section << " " << clamp.name << " stored as " << stored;
    }
  }
}

CRect FrameOf(const CAppSettings& settings) {
  const auto& layout = settings.frameLayout;
  return CRect(layout.left, layout.top, layout.right, layout.bottom);
}

TEST_F(AppSettingsTest, AFrameWithNothingOnTheScreenFallsBackToTheMiddleThreeQuarters) {
  const CRect middle(128, 96, 896, 672);
  const struct {
    const char* what;
    CRect stored;
    CRect loaded;
  } cases[] = {
      {"right on left", CRect(500, 100, 500, 600), middle},
      {"right left of left", CRect(600, 100, 500, 600), middle},
      {"bottom on top", CRect(100, 300, 600, 300), middle},
      {"bottom above top", CRect(100, 400, 600, 300), middle},
      {"right of the screen", CRect(2000, 100, 3000, 600), middle},
      {"below the screen", CRect(100, 900, 600, 1200), middle},
      {"left of the screen", CRect(-600, 100, -100, 600), middle},
      {"above the screen", CRect(100, -500, 600, -100), middle},
      {"partly off the screen", CRect(-100, -50, 5000, 900), CRect(0, 0, 1024, 768)},
      {"one pixel", CRect(0, 0, 1, 1), CRect(0, 0, 1, 1)},
      {"the whole screen", CRect(0, 0, 1024, 768), CRect(0, 0, 1024, 768)},
  };
  for (const auto& frame : cases) {
    const CAppSettings settings = LoadFromText(
        "[Frame Layout]\nleft=" + std::to_string(frame.stored.left) + "\ntop=" + std::to_string(frame.stored.top) +
        "\nright=" + std::to_string(frame.stored.right) + "\nbottom=" + std::to_string(frame.stored.bottom) + "\n");
    const CRect loaded = FrameOf(settings);
    EXPECT_TRUE(loaded.left == frame.loaded.left && loaded.top == frame.loaded.top &&
                loaded.right == frame.loaded.right && loaded.bottom == frame.loaded.bottom)
        << frame.what << ": " << loaded.left << "," << loaded.top << "," << loaded.right << "," << loaded.bottom;
  }
}

TEST_F(AppSettingsTest, DefaultsThatDependOnTheMachine) {
  const CAppSettings settings = LoadDefaults();
  EXPECT_EQ(settings.mainOptions.cachepath, "C:\\Program Files\\Vireldan\\cache");
  const CRect frame = FrameOf(settings);
  EXPECT_EQ(frame.left, 128);
  EXPECT_EQ(frame.top, 96);
  EXPECT_EQ(frame.right, 896);
  EXPECT_EQ(frame.bottom, 672);

  // Multiplication before division: 7 * 1023 / 8 is 895, where 7 * (1023 / 8) would be 889.
  std::ofstream(Path("empty.ini")) << "";
  IniProfile profile(Path("empty.ini"));
  CAppSettings odd;
  odd.Load(profile, {1023, 767, "D:\\Apps"});
  EXPECT_EQ(FrameOf(odd).right, 895);
  EXPECT_EQ(FrameOf(odd).bottom, 671);
  EXPECT_EQ(FrameOf(odd).left, 127);
  EXPECT_EQ(FrameOf(odd).top, 95);
  EXPECT_EQ(odd.mainOptions.cachepath, "D:\\Apps\\cache");

  EXPECT_EQ(LoadFromText("[Main Options]\ncachepath=E:\\thumbs\n").mainOptions.cachepath, "E:\\thumbs");
}

// The seven image-library statics that stand for "File Options" values, in load order:
// ditherbmp, colormapbmp, ditherpng, colormappng, dithergif, keepexifinfo, savequality.
std::vector<int> FileOptionStatics() {
  return {Cimage::S_file_dither_bmp, Cimage::S_file_colormap_bmp, Cimage::S_file_dither_png,
          Cimage::S_file_colormap_png, Cimage::S_file_dither_gif,   Cimage::S_keep_exifinfo,
          Cimage::S_file_save_quality};
}

TEST_F(AppSettingsTest, LoadSetsTheImageLibrarysStaticsFromFileOptions) {
  Cimage::S_file_dither_bmp = Cimage::S_file_colormap_bmp = Cimage::S_file_dither_png = 77;
  Cimage::S_file_colormap_png = Cimage::S_file_dither_gif = Cimage::S_keep_exifinfo = 77;
  Cimage::S_file_save_quality = 77;
  LoadDefaults();
  EXPECT_EQ(FileOptionStatics(), (std::vector<int>{1, 0, 1, 0, 1, 1, 80}));

  LoadFromText(
      "[File Options]\nditherbmp=0\ncolormapbmp=1\nditherpng=0\ncolormappng=1\ndithergif=0\nkeepexifinfo=0\n"
      "savequality=55\n");
  EXPECT_EQ(FileOptionStatics(), (std::vector<int>{0, 1, 0, 1, 0, 0, 55}));
}

TEST_F(AppSettingsTest, SaveWritesTheImageLibrarysStaticsAsTheyAreNow) {
  CAppSettings settings = LoadDefaults();
  Cimage::S_file_save_quality = 42;
  Cimage::S_keep_exifinfo = 0;
  Cimage::S_file_colormap_png = 1;
  IniProfile saved(SaveToFile(settings));
  EXPECT_EQ(saved.GetInt("File Options", "savequality", -1), 42);
  EXPECT_EQ(saved.GetInt("File Options", "keepexifinfo", -1), 0);
  EXPECT_EQ(saved.GetInt("File Options", "colormappng", -1), 1);
  EXPECT_EQ(saved.GetInt("File Options", "ditherbmp", -1), 1);
}

TEST_F(AppSettingsTest, SaveWritesValuesAsTheyAreWithoutClamping) {
  CAppSettings settings = LoadDefaults();
  settings.batchPrint.pawidth = 3;
  settings.pictureFrames.scalingmode = 7;
  settings.frameLayout.right = 5000;
  IniProfile saved(SaveToFile(settings));
  EXPECT_EQ(saved.GetInt("Batch Print", "pawidth", -1), 3);
  EXPECT_EQ(saved.GetInt("Picture Frames", "scalingmode", -1), 7);
  EXPECT_EQ(saved.GetInt("Frame Layout", "right", -1), 5000);
}

TEST_F(AppSettingsTest, ImagePageStartAndEndIncludeNamesAreKeptApart) {
  CAppSettings settings = LoadDefaults();
  settings.quickWeb.imgps = "header.inc";
  settings.quickWeb.imgpe = "footer.inc";
  IniProfile saved(SaveToFile(settings));
  EXPECT_EQ(saved.GetString("QuickWeb", "imgps", ""), "header.inc");
  EXPECT_EQ(saved.GetString("QuickWeb", "imgpe", ""), "footer.inc");
  CAppSettings loaded;
  loaded.Load(saved, TestScreen());
  EXPECT_EQ(loaded.quickWeb.imgps, "header.inc");
  EXPECT_EQ(loaded.quickWeb.imgpe, "footer.inc");
}

TEST_F(AppSettingsTest, AProfileOfAnEarlierVersionWithOnlyImgpsGivesBothNames) {
  // Earlier versions wrote both names to "imgps", the end name last.
  const CAppSettings settings = LoadFromText("[QuickWeb]\nimgps=footer.inc\n");
  EXPECT_EQ(settings.quickWeb.imgps, "footer.inc");
  EXPECT_EQ(settings.quickWeb.imgpe, "footer.inc");

  const CAppSettings neither = LoadDefaults();
  EXPECT_EQ(neither.quickWeb.imgps, "image page start - include file name");
  EXPECT_EQ(neither.quickWeb.imgpe, "image page end   - include file name");
}

TEST_F(AppSettingsTest, TheStoredWebSavePathIsRead) {
  EXPECT_EQ(LoadFromText("[QuickWeb]\nsavepath=D:\\site\\pages\n").quickWeb.savepath, "D:\\site\\pages");
  EXPECT_EQ(LoadDefaults().quickWeb.savepath, "C:\\web\\quickpage");
}

TEST_F(AppSettingsTest, AnUnreadableProfileGivesTheSameRecordAsAnEmptyOne) {
  const std::vector<std::string> defaults = FieldValues(LoadDefaults());
  const char garbage[] = "\0\xff[Main Options\n=\n[\n]]]\n[Batch Print]\nrows=x\ncols=\n";
  const CAppSettings fromGarbage = LoadFromText(std::string(garbage, sizeof garbage - 1));
  EXPECT_EQ(FieldValues(fromGarbage), defaults);
}

TEST_F(AppSettingsTest, TheProgramWideRecordStartsEmpty) {
  // Before Load, as at program entry: empty strings and zero numbers.
  EXPECT_EQ(g_settings.mainOptions.mainpath, "");
  EXPECT_EQ(g_settings.batchPrint.rows, 0);
  EXPECT_EQ(g_settings.capture.vkey, 0);
  CAppSettings fresh;
  EXPECT_EQ(fresh.quickWeb.thumbquality, 0);
  EXPECT_EQ(fresh.audio.autoextract, 0);
}

}  // namespace
